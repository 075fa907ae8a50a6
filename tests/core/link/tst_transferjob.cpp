// SPDX-License-Identifier: GPL-3.0-or-later
// A transfer job: start() returns at once, the procedure's reports arrive as
// signals on the owner's thread in order with "finished" last, questions park
// only the worker, Cancel reaches the worker (and its line's waits) at once,
// also against a silent virtual radio, and two jobs on two radios run at once.
#include "core/app/Language.h"
#include "core/link/CloneSession.h"
#include "core/link/PortProbe.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/RadioWrite.h"
#include "core/link/TransferJob.h"
#include "sim/RadioState.h"
#include "tests/common/SimProcess.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

/// The window's side of a job: records its signals and whether one came off the owner's
/// thread; answers 61451 with Retry, other messages with OK and a write confirmation with
/// Write, unless told to leave questions open.
class WindowSide : public QObject
{
public:
    explicit WindowSide(CTransferJob &job)
    {
        connect(&job, &CTransferJob::progressStepped, this, [this] { record("step"); });
        connect(&job, &CTransferJob::stepBegun, this,
            [this](const QString &label) { record(QStringLiteral("begin ") + label); });
        connect(
            &job, &CTransferJob::messageAsked, this, [this, &job](int id, const QString &reason) {
                record(QStringLiteral("message %1%2")
                           .arg(id)
                           .arg(reason.isEmpty() ? QString() : QStringLiteral(" ") + reason));
                if (answering)
                    job.answer(id == 61451 ? MessageAnswer::Retry : MessageAnswer::Ok);
            });
        connect(&job, &CTransferJob::writeConfirmAsked, this,
            [this, &job](const QList<ImageDifference> &changes) {
                record(QStringLiteral("confirm %1").arg(changes.size()));
                if (answering)
                    job.answerConfirm(true);
            });
        connect(&job, &CTransferJob::finished, this, [this] { record("finished"); });
    }

    bool ended() const { return log.contains(QStringLiteral("finished")); }

    QStringList log;
    bool offThread = false;
    bool answering = true;

private:
    void record(const QString &what)
    {
        offThread = offThread || QThread::currentThread() != qApp->thread();
        log << what;
    }
};

bool InReadRanges(int i)
{
    return i <= mem::ReadFirstEnd || i >= mem::ReadSecondBegin;
}

bool InWriteRanges(int i)
{
    return i <= mem::WriteFirstEnd || (i >= mem::WriteSecondBegin && i <= mem::WriteLastByte);
}

} // namespace

class TestTransferJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportsArriveInOrderOnTheOwnerThread();
    void cancelReachesTheWorker();
    void cancelEndsAnOpenQuestion_data();
    void cancelEndsAnOpenQuestion();
    void cancelDuringASilentHandshake_data();
    void cancelDuringASilentHandshake();
    void questionsAnsweredWhileTheApplicationQuits();
    void twoRadiosAtOnce();
};

void TestTransferJob::reportsArriveInOrderOnTheOwnerThread()
{
    QThread *worker = nullptr;
    MessageAnswer retry = MessageAnswer::Cancel;
    bool write = false;
    CTransferJob job([&](CTransferUi &w) {
        worker = QThread::currentThread();
        for (int i = 0; i < 5; ++i)
            w.stepProgress();
        retry = w.showMessage(61451);
        w.beginStep(QStringLiteral("Write 2/3"));
        w.stepProgress();
        w.stepProgress();
        w.showMessageWithReason(61453, QStringLiteral("why"));
        write = w.confirmWrite({ ImageDifference {}, ImageDifference {} });
    });
    WindowSide window(job);
    job.start();
    // start() has returned; nothing reaches the window before its event loop runs.
    QVERIFY(job.isRunning());
    QVERIFY(window.log.isEmpty());
    QTRY_VERIFY(window.ended());
    QVERIFY(!job.isRunning());
    QVERIFY(worker && worker != QThread::currentThread());
    QVERIFY(!window.offThread);
    QCOMPARE(retry, MessageAnswer::Retry);
    QVERIFY(write);
    QCOMPARE(window.log,
        (QStringList { "step", "step", "step", "step", "step", "message 61451", "begin Write 2/3",
            "step", "step", "message 61453 why", "confirm 2", "finished" }));
}

void TestTransferJob::cancelReachesTheWorker()
{
    bool sawCancel = false;
    CTransferJob job([&](CTransferUi &w) {
        // A procedure that only stops when told to.
        while (!w.pumpAndTest(1, 1)) { }
        sawCancel = w.isCancelled();
    });
    WindowSide window(job);
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] {
        if (++ticks == 10)
            job.cancel(); // as the Cancel button does
    });
    tick.start(10);
    job.start();
    QTRY_VERIFY(window.ended());
    QVERIFY(sawCancel);
    QVERIFY(ticks >= 10); // the owner's thread handled its timer all along
    QVERIFY(!window.offThread);
}

void TestTransferJob::cancelEndsAnOpenQuestion_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("Cancel") << false;
    // The window or the program closes while the box is up.
    QTest::newRow("job destroyed") << true;
}

void TestTransferJob::cancelEndsAnOpenQuestion()
{
    QFETCH(bool, destroy);
    MessageAnswer first = MessageAnswer::Retry;
    MessageAnswer later = MessageAnswer::Retry;
    bool confirmed = true;
    auto job = std::make_unique<CTransferJob>([&](CTransferUi &w) {
        first = w.showMessage(61451);
        // Asked after the cancel: answered Cancel at once, never shown.
        later = w.showMessage(61451);
        confirmed = w.confirmWrite({});
    });
    WindowSide window(*job);
    window.answering = false;
    job->start();
    QTRY_COMPARE(window.log, QStringList { "message 61451" });
    if (destroy) {
        job.reset();
    } else {
        job->cancel();
        QTRY_VERIFY(window.ended());
        // An answer given after the cancel (a box closed late) reaches nothing.
        job->answer(MessageAnswer::Retry);
    }
    QCOMPARE(first, MessageAnswer::Cancel);
    QCOMPARE(later, MessageAnswer::Cancel);
    QVERIFY(!confirmed);
    QCOMPARE(window.log.filter(QStringLiteral("message")).size(), 1);
    QVERIFY(window.log.filter(QStringLiteral("confirm")).isEmpty());
}

void TestTransferJob::cancelDuringASilentHandshake_data()
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

void TestTransferJob::cancelDuringASilentHandshake()
{
    QFETCH(QStringList, radio);
    QFETCH(int, cancelAtMs);
    SimProcess sim(radio);
    QVERIFY(!sim.path().isEmpty());
    MemoryImage image;
    TransferOutcome outcome = TransferOutcome::Succeeded;
    const QString port = sim.path();
    CTransferJob job([&image, &outcome, port](CTransferUi &w) {
        CPosixSerialLine line;
        outcome = RunTransfer(line, port, TransferDirection::Read, image, w);
    });
    WindowSide window(job);
    QElapsedTimer clock;
    qint64 cancelledAt = -1;
    QTimer::singleShot(cancelAtMs, this, [&] {
        job.cancel();
        cancelledAt = clock.elapsed();
    });
    bool portHeld = false;
    QTimer::singleShot(cancelAtMs / 2, this, [&] { portHeld = !ProbePort(sim.path()); });
    clock.start();
    job.start();
    QTRY_VERIFY_WITH_TIMEOUT(window.ended(), 10000);
    const qint64 ended = clock.elapsed();
    QVERIFY(portHeld);
    QCOMPARE(outcome, TransferOutcome::Cancelled);
    QVERIFY(window.log.filter(QStringLiteral("message")).isEmpty()); // a cancel shows nothing
    QVERIFY(cancelledAt >= 0);
    // Ended on the cancel, not at the end of the radio's time-out (the exact latency is measured
    // by bench/cancel).
    QVERIFY2(ended - cancelledAt < 1000, qPrintable(QString::number(ended - cancelledAt)));
    QVERIFY(ProbePort(sim.path()));
    QVERIFY(sim.running());
}

void TestTransferJob::questionsAnsweredWhileTheApplicationQuits()
{
    // The user quits while the transfer waits: the application's loops are told to end,
    // yet the transfer's questions still reach the window and the job finishes.
    CTransferJob job([](CTransferUi &w) {
        QThread::msleep(100);
        w.showMessage(61454);
        w.stepProgress();
    });
    WindowSide window(job);
    QTimer::singleShot(20, this, [] { QCoreApplication::exit(0); });
    job.start();
    QTRY_VERIFY(window.ended());
    QCOMPARE(window.log, (QStringList { "message 61454", "step", "finished" }));
}

void TestTransferJob::twoRadiosAtOnce()
{
    // A read from one radio and a write with backup and verify to another, in one process.
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("written.dat"));
    SimProcess reader({ QStringLiteral("--pace") });
    SimProcess writer({ QStringLiteral("--pace"), QStringLiteral("--save"), saved });
    QVERIFY(!reader.path().isEmpty() && !writer.path().isEmpty());

    MemoryImage read = MemoryImage::defaults();
    TransferOutcome readOutcome = TransferOutcome::Failed;
    const QString readPort = reader.path();
    CTransferJob readJob([&read, &readOutcome, readPort](CTransferUi &w) {
        CPosixSerialLine line;
        readOutcome = RunTransfer(line, readPort, TransferDirection::Read, read, w);
    });
    const MemoryImage sent = MemoryImage::defaults();
    RadioWriteOptions options;
    options.backupFolder = dir.filePath(QStringLiteral("backups"));
    RadioWriteReport written;
    const QString writePort = writer.path();
    CTransferJob writeJob([&written, &sent, options, writePort](CTransferUi &w) {
        CPosixSerialLine line;
        written = RunRadioWrite(line, writePort, sent, options, w, Language::English);
    });
    WindowSide readWindow(readJob);
    WindowSide writeWindow(writeJob);
    // Both had made progress when the first ended: they ran side by side.
    bool overlapped = false;
    auto ending = [&] {
        if (readWindow.ended() != writeWindow.ended())
            overlapped = readWindow.log.contains(QStringLiteral("step"))
                && writeWindow.log.contains(QStringLiteral("step"));
    };
    connect(&readJob, &CTransferJob::finished, this, ending);
    connect(&writeJob, &CTransferJob::finished, this, ending);
    readJob.start();
    writeJob.start();
    QTRY_VERIFY_WITH_TIMEOUT(readWindow.ended() && writeWindow.ended(), 60000);
    QVERIFY(overlapped);
    QVERIFY(!readWindow.offThread && !writeWindow.offThread);

    QCOMPARE(readOutcome, TransferOutcome::Succeeded);
    QCOMPARE(readWindow.log.count(QStringLiteral("step")),
        TransferProgressSteps(TransferDirection::Read));
    const MemoryImage demo = DemoRadioImage();
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(read.at(i), InReadRanges(i) ? demo.at(i) : MemoryImage::defaults().at(i));

    QCOMPARE(written.outcome, TransferOutcome::Succeeded);
    QCOMPARE(written.stage, RadioWriteStage::Done);
    QCOMPARE(writeWindow.log.count(QStringLiteral("step")), RadioWriteProgressSteps(options));
    QVERIFY(writeWindow.log.contains(QStringLiteral("confirm %1").arg(written.changes.size())));
    QVERIFY(!written.changes.isEmpty());
    QVERIFY(writer.stop());
    QFile f(saved);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray radio = f.readAll();
    QCOMPARE(radio.size(), mem::ImageSize);
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(std::uint8_t(radio.at(i)), InWriteRanges(i) ? sent.at(i) : demo.at(i));
}

QTEST_GUILESS_MAIN(TestTransferJob)
#include "tst_transferjob.moc"
