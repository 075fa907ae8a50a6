// SPDX-License-Identifier: GPL-3.0-or-later
// The programming log keeps every record it was given: a torn last line (a
// power cut) is skipped with a note and never swallows the next record, and
// a log that cannot be written says so.
#include "core/log/ProgrammingLog.h"
#include "core/station/RadioProgramming.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ProgrammingRecord Record(const QString &port, const char *result)
{
    ProgrammingRecord r;
    r.time = QDateTime(QDate(2026, 12, 7), QTime(9, 41, 5), Qt::OffsetFromUTC, 3600);
    r.port = port;
    r.device = QStringLiteral("/dev/ttyUSB0");
    r.imageFile = QStringLiteral("site, \"north\".dat");
    r.imageSha256 = Sha256Hex(QByteArray(1024, '\0'));
    r.result = QString::fromLatin1(result);
    r.durationMs = 4321;
    r.operatorName = QStringLiteral("李明");
    return r;
}

} // namespace

class TestProgrammingLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appendsAndReads_data();
    void appendsAndReads();
    void unwritableLogIsReported();
    void resultOfEveryEnding_data();
    void resultOfEveryEnding();
};

void TestProgrammingLog::appendsAndReads_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("notes");
    QTest::newRow("new log") << QByteArray() << 0;
    QTest::newRow("torn last line") << QByteArray("{\"time\":\"2026-12-07T09:") << 1;
    QTest::newRow("foreign line") << QByteArray("not json\n") << 1;
}

void TestProgrammingLog::appendsAndReads()
{
    QFETCH(QByteArray, before);
    QFETCH(int, notes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/programming-log.jsonl"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("sub"))));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();

    const ProgrammingRecord a = Record(QStringLiteral("COM1"), logresult::Ok);
    ProgrammingRecord b = Record(QStringLiteral("COM2"), logresult::VerifyFailed);
    b.error = QStringLiteral("line one\nline two");
    b.backupFile = QStringLiteral("/tmp/backups/2026-12-07_09-41-05.dat");
    QString error;
    QVERIFY2(AppendProgrammingRecord(path, a, &error), qPrintable(error));
    QVERIFY2(AppendProgrammingRecord(path, b, &error), qPrintable(error));

    const ProgrammingLogRead read = ReadProgrammingLog(path);
    QVERIFY(read.error.isEmpty());
    QCOMPARE(read.notes.size(), notes);
    QCOMPARE(read.records.size(), 2);
    QCOMPARE(read.records.at(0).toJson(), a.toJson());
    QCOMPARE(read.records.at(1).toJson(), b.toJson());
    QCOMPARE(read.records.at(1).time, b.time);
    QCOMPARE(read.records.at(1).time.offsetFromUtc(), 3600);
    // Each record is exactly one line, whatever its texts hold.
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count('\n'), 2 + (before.isEmpty() ? 0 : 1));
    // The export quotes what needs quoting and keeps one line per record.
    const QList<QByteArray> csv = ProgrammingRecordsCsv(read.records).split('\n');
    QVERIFY(csv.at(1).contains("\"site, \"\"north\"\".dat\""));
}

void TestProgrammingLog::unwritableLogIsReported()
{
    // A file where the log's folder should be stops even root.
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    QVERIFY(!AppendProgrammingRecord(dir.filePath(QStringLiteral("data/log.jsonl")),
        Record(QStringLiteral("COM1"), logresult::Ok), &error));
    QVERIFY2(error.contains(QStringLiteral("log.jsonl")), qPrintable(error));
}

void TestProgrammingLog::resultOfEveryEnding_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QString>("result");
    QTest::newRow("done") << int(TransferOutcome::Succeeded) << int(RadioWriteStage::Done)
                          << QStringLiteral("ok");
    QTest::newRow("verify differs") << int(TransferOutcome::Failed) << int(RadioWriteStage::Verify)
                                    << QStringLiteral("verify-failed");
    QTest::newRow("write broke") << int(TransferOutcome::Failed) << int(RadioWriteStage::Write)
                                 << QStringLiteral("failed");
    QTest::newRow("no port") << int(TransferOutcome::PortNotOpened) << int(RadioWriteStage::Open)
                             << QStringLiteral("failed");
    QTest::newRow("stopped") << int(TransferOutcome::Cancelled) << int(RadioWriteStage::Write)
                             << QStringLiteral("cancelled");
}

void TestProgrammingLog::resultOfEveryEnding()
{
    QFETCH(int, outcome);
    QFETCH(int, stage);
    QFETCH(QString, result);
    RadioWriteReport report;
    report.outcome = static_cast<TransferOutcome>(outcome);
    report.stage = static_cast<RadioWriteStage>(stage);
    QCOMPARE(ProgrammingResult(report), result);
}

QTEST_GUILESS_MAIN(TestProgrammingLog)
#include "tst_programminglog.moc"
