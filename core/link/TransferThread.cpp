// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/TransferThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

/// The UI as the worker sees it: every call is posted to the owner thread's ui.
class CForwardingUi : public CTransferUi
{
public:
    CForwardingUi(CTransferUi &target, QObject *relay, const std::atomic<bool> &cancel)
        : m_target(target)
        , m_relay(relay)
        , m_cancel(cancel)
    {
    }

    MessageAnswer showMessage(int stringId) override
    {
        return ask([this, stringId] { return m_target.showMessage(stringId); });
    }
    MessageAnswer showMessageWithReason(int stringId, const QString &reason) override
    {
        return ask(
            [this, stringId, reason] { return m_target.showMessageWithReason(stringId, reason); });
    }
    void stepProgress() override
    {
        QMetaObject::invokeMethod(
            m_relay, [this] { m_target.stepProgress(); }, Qt::QueuedConnection);
    }
    bool pumpAndTest(int passes, int waitMs) override
    {
        // The events are the owner thread's business; here a pass is only the test and the wait.
        for (int i = 0; i < passes; ++i) {
            if (m_cancel.load())
                return true;
            if (waitMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        }
        return m_cancel.load();
    }
    bool isCancelled() override { return m_cancel.load(); }
    void beginStep(const QString &label) override
    {
        QMetaObject::invokeMethod(
            m_relay, [this, label] { m_target.beginStep(label); }, Qt::QueuedConnection);
    }
    bool confirmWrite(const QList<ImageDifference> &changes) override
    {
        // The compare window is a window of the owner thread; the worker waits for the choice.
        return ask([this, changes] {
            return m_target.confirmWrite(changes) ? MessageAnswer::Ok : MessageAnswer::Cancel;
        }) == MessageAnswer::Ok;
    }

private:
    /// Runs question on the owner thread and waits for its answer.
    MessageAnswer ask(std::function<MessageAnswer()> question)
    {
        std::mutex mutex;
        std::condition_variable answered;
        bool done = false;
        MessageAnswer answer = MessageAnswer::Cancel;
        QMetaObject::invokeMethod(
            m_relay,
            [&] {
                const MessageAnswer a = question();
                std::lock_guard<std::mutex> lock(mutex);
                answer = a;
                done = true;
                answered.notify_one();
            },
            Qt::QueuedConnection);
        std::unique_lock<std::mutex> lock(mutex);
        answered.wait(lock, [&] { return done; });
        return answer;
    }

    CTransferUi &m_target;
    QObject *m_relay;
    const std::atomic<bool> &m_cancel;
};

} // namespace

void RunOnWorkerThread(const TransferProcedure &procedure, CTransferUi &ui, int cancelPollMs)
{
    // Lives on this thread: what the worker posts to it runs here, in the order posted.
    QObject relay;
    std::atomic<bool> cancel { ui.isCancelled() };
    bool finished = false;
    CForwardingUi forwarding(ui, &relay, cancel);

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &relay, [&] {
        if (!cancel.load() && ui.isCancelled())
            cancel.store(true);
    });
    poll.start(cancelPollMs);

    std::unique_ptr<QThread> worker(QThread::create([&] {
        procedure(forwarding);
        // Posted last, so every progress step and message before it has been handled when
        // the loop below sees the end.
        QMetaObject::invokeMethod(
            &relay, [&finished] { finished = true; }, Qt::QueuedConnection);
    }));
    worker->setObjectName(QStringLiteral("transfer"));
    worker->start();
    // processEvents, not a QEventLoop: a loop's exec() returns at once once the application
    // is quitting, and would then spin without handling the worker's questions.
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    worker->wait();
}
