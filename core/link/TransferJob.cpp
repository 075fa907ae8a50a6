// SPDX-License-Identifier: GPL-3.0-or-later
// The worker's side posts every report to the job, which emits it on its own
// thread; a question parks the worker (never the window) until the answer or
// a cancel comes.
#include "core/link/TransferJob.h"

#include <QThread>
#include <chrono>
#include <thread>

/// The UI as the procedure sees it on the worker thread.
class CTransferJob::WorkerUi : public CTransferUi
{
public:
    explicit WorkerUi(CTransferJob &job)
        : m_job(job)
    {
    }

    MessageAnswer showMessage(int stringId) override
    {
        return showMessageWithReason(stringId, QString());
    }
    MessageAnswer showMessageWithReason(int stringId, const QString &reason) override
    {
        CTransferJob *job = &m_job;
        return m_job.ask([job, stringId, reason] { emit job->messageAsked(stringId, reason); });
    }
    void stepProgress() override
    {
        CTransferJob *job = &m_job;
        m_job.post([job] { emit job->progressStepped(); });
    }
    bool pumpAndTest(int passes, int waitMs) override
    {
        // The events are the owner thread's business; here a pass is only the test and the wait.
        for (int i = 0; i < passes; ++i) {
            if (m_job.isCancelled())
                return true;
            if (waitMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        }
        return m_job.isCancelled();
    }
    bool isCancelled() override { return m_job.isCancelled(); }
    void beginStep(const QString &label) override
    {
        CTransferJob *job = &m_job;
        m_job.post([job, label] { emit job->stepBegun(label); });
    }
    void addProgressSteps(int steps) override
    {
        CTransferJob *job = &m_job;
        m_job.post([job, steps] { emit job->progressExtended(steps); });
    }
    bool confirmWrite(const QList<ImageDifference> &changes) override
    {
        CTransferJob *job = &m_job;
        return m_job.ask([job, changes] { emit job->writeConfirmAsked(changes); })
            == MessageAnswer::Ok;
    }

private:
    CTransferJob &m_job;
};

CTransferJob::CTransferJob(TransferProcedure procedure, QObject *parent)
    : QObject(parent)
    , m_procedure(std::move(procedure))
    , m_ui(std::make_unique<WorkerUi>(*this))
{
}

CTransferJob::~CTransferJob()
{
    cancel();
    // Every wait of the procedure tests the flag at least every 20 ms; what the worker
    // posted and was not delivered yet goes with this object.
    if (m_thread)
        m_thread->wait();
}

void CTransferJob::start()
{
    if (m_thread)
        return;
    m_running = true;
    m_thread.reset(QThread::create([this] {
        m_procedure(*m_ui);
        // Posted last, so it follows every report of the run.
        post([this] {
            m_thread->wait();
            m_running = false;
            emit finished();
        });
    }));
    m_thread->setObjectName(QStringLiteral("transfer"));
    m_thread->start();
}

void CTransferJob::cancel()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancel.store(true);
    }
    m_answered.notify_all();
}

void CTransferJob::answer(MessageAnswer answer)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pending == 0 || m_hasAnswer)
            return;
        m_answer = answer;
        m_hasAnswer = true;
    }
    m_answered.notify_all();
}

void CTransferJob::answerConfirm(bool write)
{
    answer(write ? MessageAnswer::Ok : MessageAnswer::Cancel);
}

void CTransferJob::post(std::function<void()> emitter)
{
    QMetaObject::invokeMethod(this, std::move(emitter), Qt::QueuedConnection);
}

MessageAnswer CTransferJob::ask(std::function<void()> question)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    // A cancelled transfer asks nothing more: the user has already said stop.
    if (m_cancel.load())
        return MessageAnswer::Cancel;
    const quint64 id = ++m_lastQuestion;
    m_pending = id;
    m_hasAnswer = false;
    lock.unlock();
    // A question cancelled before it reached the owner's thread is not shown at all.
    post([this, id, question] {
        if (isPending(id))
            question();
    });
    lock.lock();
    m_answered.wait(lock, [this] { return m_hasAnswer || m_cancel.load(); });
    const MessageAnswer given = m_hasAnswer ? m_answer : MessageAnswer::Cancel;
    m_pending = 0;
    m_hasAnswer = false;
    return given;
}

bool CTransferJob::isPending(quint64 id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pending == id && !m_hasAnswer && !m_cancel.load();
}
