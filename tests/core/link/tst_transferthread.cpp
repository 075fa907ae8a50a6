// SPDX-License-Identifier: GPL-3.0-or-later
// A transfer procedure on a worker thread: its UI calls arrive on the calling
// thread in order, that thread keeps handling events, and Cancel reaches the
// worker (and its line's waits) at once, also against a silent virtual radio.
#include "core/link/CloneSession.h"
#include "core/link/PortProbe.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/TransferThread.h"
#include "tests/common/SimProcess.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <atomic>

namespace {

/// The window's side: records what arrives and on which thread; cancels on request.
class CRecordingWindowUi : public CTransferUi
{
public:
    MessageAnswer showMessage(int id) override { return showMessageWithReason(id, QString()); }
    MessageAnswer showMessageWithReason(int id, const QString &reason) override
    {
        offThread = offThread || QThread::currentThread() != qApp->thread();
        log << QStringLiteral("message %1%2")
                   .arg(id)
                   .arg(reason.isEmpty() ? QString() : QStringLiteral(" ") + reason);
        return id == 61451 ? MessageAnswer::Retry : MessageAnswer::Ok;
    }
    void stepProgress() override
    {
        offThread = offThread || QThread::currentThread() != qApp->thread();
        log << QStringLiteral("step");
    }
    bool pumpAndTest(int, int) override { return cancelled; }
    bool isCancelled() override
    {
        offThread = offThread || QThread::currentThread() != qApp->thread();
        return cancelled;
    }

    QStringList log;
    bool cancelled = false;
    bool offThread = false;
};

} // namespace

class TestTransferThread : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callsArriveInOrderOnTheCallingThread();
    void cancelReachesTheWorker();
    void cancelDuringASilentHandshake_data();
    void cancelDuringASilentHandshake();
    void questionsAnsweredWhileTheApplicationQuits();
};

void TestTransferThread::callsArriveInOrderOnTheCallingThread()
{
    CRecordingWindowUi ui;
    QThread *worker = nullptr;
    MessageAnswer retry = MessageAnswer::Cancel;
    RunOnWorkerThread(
        [&](CTransferUi &w) {
            worker = QThread::currentThread();
            for (int i = 0; i < 5; ++i)
                w.stepProgress();
            retry = w.showMessage(61451);
            w.stepProgress();
            w.stepProgress();
            w.showMessageWithReason(61453, QStringLiteral("why"));
        },
        ui);
    QVERIFY(worker && worker != QThread::currentThread());
    QVERIFY(!ui.offThread);
    QCOMPARE(retry, MessageAnswer::Retry);
    // Every step posted before the end has been shown when the call returns.
    QCOMPARE(ui.log,
        (QStringList { "step", "step", "step", "step", "step", "message 61451", "step", "step",
            "message 61453 why" }));
}

void TestTransferThread::cancelReachesTheWorker()
{
    CRecordingWindowUi ui;
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] {
        if (++ticks == 10)
            ui.cancelled = true; // as the Cancel button sets the window's flag
    });
    tick.start(10);
    bool sawCancel = false;
    RunOnWorkerThread(
        [&](CTransferUi &w) {
            // A procedure that only stops when told to.
            while (!w.pumpAndTest(1, 1)) { }
            sawCancel = w.isCancelled();
        },
        ui);
    QVERIFY(sawCancel);
    QVERIFY(ticks >= 10); // the calling thread handled its timer all along
    QVERIFY(!ui.offThread);
}

void TestTransferThread::cancelDuringASilentHandshake_data()
{
    QTest::addColumn<QStringList>("radio");
    QTest::addColumn<int>("cancelAtMs");
    // Inside the program answer's read (590 ms), inside the identification's (4090 ms).
    QTest::newRow("silent, early") << QStringList { QStringLiteral("--silent") } << 300;
    QTest::newRow("silent, late") << QStringList { QStringLiteral("--silent") } << 2000;
    // A radio that stops answering in the middle of the blocks (a 6 s read).
    QTest::newRow("stalled") << QStringList { QStringLiteral("--stall-at"),
        QStringLiteral("0x100") }
                             << 1500;
}

void TestTransferThread::cancelDuringASilentHandshake()
{
    QFETCH(QStringList, radio);
    QFETCH(int, cancelAtMs);
    SimProcess sim(radio);
    QVERIFY(!sim.path().isEmpty());
    CRecordingWindowUi ui;
    QElapsedTimer clock;
    qint64 cancelledAt = -1;
    QTimer::singleShot(cancelAtMs, this, [&] {
        ui.cancelled = true;
        cancelledAt = clock.elapsed();
    });
    MemoryImage image;
    TransferOutcome outcome = TransferOutcome::Succeeded;
    bool portHeld = false;
    QTimer::singleShot(cancelAtMs / 2, this, [&] { portHeld = !ProbePort(sim.path()); });
    clock.start();
    RunOnWorkerThread(
        [&](CTransferUi &w) {
            CPosixSerialLine line;
            outcome = RunTransfer(line, sim.path(), TransferDirection::Read, image, w);
        },
        ui);
    const qint64 ended = clock.elapsed();
    QVERIFY(portHeld);
    QCOMPARE(outcome, TransferOutcome::Cancelled);
    QVERIFY(ui.log.filter(QStringLiteral("message")).isEmpty()); // a cancel shows nothing
    QVERIFY(cancelledAt >= 0);
    // Ended on the cancel, not at the end of the radio's time-out (the exact latency is measured
    // by bench/cancel).
    QVERIFY2(ended - cancelledAt < 1000, qPrintable(QString::number(ended - cancelledAt)));
    QVERIFY(ProbePort(sim.path()));
    QVERIFY(sim.running());
}

void TestTransferThread::questionsAnsweredWhileTheApplicationQuits()
{
    // The user quits while the transfer waits: the application's loops are told to end,
    // yet the transfer's questions are still answered and the call returns.
    CRecordingWindowUi ui;
    QTimer::singleShot(20, this, [] { QCoreApplication::exit(0); });
    RunOnWorkerThread(
        [&](CTransferUi &w) {
            QThread::msleep(100);
            w.showMessage(61454);
            w.stepProgress();
        },
        ui);
    QCOMPARE(ui.log, (QStringList { "message 61454", "step" }));
}

QTEST_GUILESS_MAIN(TestTransferThread)
#include "tst_transferthread.moc"
