// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli against radioprog-sim over a real pseudo-terminal.
#include "core/image/MemoryImage.h"
#include "core/link/PosixSerialLine.h"
#include "sim/RadioState.h"
#include "tests/common/SimProcess.h"

#include "tests/common/ProgramRun.h"
#include <QTemporaryDir>

#include <QtTest>

namespace {

struct CliResult
{
    int exitCode = -1;
    QString err;
    QString out;
};

CliResult runCli(const QStringList &args)
{
    const testing::ProgramRun run = testing::RunRadioprogCli(args);
    return { run.exitCode, QString::fromUtf8(run.err), QString::fromUtf8(run.out) };
}

MemoryImage loadImage(const QString &path)
{
    QFile f(path);
    MemoryImage image;
    if (!f.open(QIODevice::ReadOnly) || !MemoryImage::fromBytes(f.readAll(), &image))
        qWarning("cannot load %s", qPrintable(path));
    return image;
}

void saveImage(const QString &path, const MemoryImage &image)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(image.toByteArray());
}

/// Program requests (handshakes) the radio received, from a radioprog-sim --log file.
int ProgramRequests(const QString &log)
{
    QFile f(log);
    QByteArray received;
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray &line : f.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() == 3 && parts.at(1) == "RX")
                received.append(static_cast<char>(parts.at(2).toInt(nullptr, 16)));
        }
    return received.count(QByteArray("\x02PROGRAM"));
}

const char kCommError[]
    = "Communication Error,Please check all the connections and the radio power";
const char kInterrupt[] = "Program Interrupt, Please reset the radio and try again";
const char kNoPort[] = "Could not Open the Port,Please check whether the Port are occupied or the "
                       "device are ok";

} // namespace

class TestLinkEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readThenWrite();
    void faults_data();
    void faults();
    void retriesRepeatTheHandshake();
    void garbledReads_data();
    void garbledReads();
    void portHeldElsewhere();
    void usageAndFileErrors_data();
    void usageAndFileErrors();
    void portsListsTheMapping();
    void simRefusesWhatItCannotDo_data();
    void simRefusesWhatItCannotDo();
    void simHelp();

private:
    QTemporaryDir m_dir;
};

void TestLinkEndToEnd::readThenWrite()
{
    const QString saved = m_dir.filePath(QStringLiteral("radio-after.dat"));
    const QString log = m_dir.filePath(QStringLiteral("radio.log"));
    SimProcess sim({ QStringLiteral("--save"), saved, QStringLiteral("--log"), log });
    QVERIFY(!sim.path().isEmpty());

    const QString read = m_dir.filePath(QStringLiteral("read.dat"));
    CliResult r = runCli({ QStringLiteral("read"), QStringLiteral("--port"), sim.path(),
        QStringLiteral("-o"), read });
    QCOMPARE(r.exitCode, 0);
    // Read twice and compared: two sessions on one bar.
    QVERIFY2(r.err.contains(
                 QStringLiteral("Read 2/2 [########################################] 126/126")),
        qPrintable(r.err));
    const MemoryImage demo = DemoRadioImage();
    const MemoryImage got = loadImage(read);
    const MemoryImage fresh = MemoryImage::defaults();
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(got.at(i), (i >= 0x3C0 && i <= 0x3CF) ? fresh.at(i) : demo.at(i));

    // The same radio serves the next session: write a changed image back.
    MemoryImage changed = got;
    for (int i : { 0x010, 0x32F, 0x330, 0x33F, 0x340, 0x3EF, 0x3F0, 0x3F1, 0x3FF })
        changed[i] = static_cast<std::uint8_t>(changed.at(i) ^ 0x5A);
    const QString toWrite = m_dir.filePath(QStringLiteral("write.dat"));
    saveImage(toWrite, changed);
    // Byte 0x010 flipped breaks channel 1's frequency: written on purpose, past the plan check.
    r = runCli({ QStringLiteral("write"), QStringLiteral("--force"), QStringLiteral("--port"),
        sim.path(), toWrite });
    QCOMPARE(r.exitCode, 0);
    // Backup (two reads), write and verify share one bar: 2 x 63 + 62 + 63 steps.
    QVERIFY2(r.err.contains(QStringLiteral("251/251")), qPrintable(r.err));
    QVERIFY(sim.stop());

    const MemoryImage after = loadImage(saved);
    for (int i = 0; i < mem::ImageSize; ++i) {
        const bool sent = i <= 0x32F || (i >= 0x340 && i <= 0x3F0);
        QCOMPARE(after.at(i), sent ? changed.at(i) : demo.at(i));
    }
    QFile logFile(log);
    QVERIFY(logFile.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(logFile.readAll());
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("RX 02\\n.*RX 50\\n.*RX 52\\n"))));
    QVERIFY(text.contains(QStringLiteral(" TX 06")));
}

void TestLinkEndToEnd::faults_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("message");
    const QString x100 = QStringLiteral("0x100");
    QTest::newRow("silent") << QStringList { QStringLiteral("--silent") } << false
                            << QString::fromLatin1(kCommError);
    QTest::newRow("bad handshake ack") << QStringList { QStringLiteral("--bad-handshake-ack") }
                                       << true << QString::fromLatin1(kCommError);
    QTest::newRow("garbage") << QStringList { QStringLiteral("--garbage") } << false
                             << QString::fromLatin1(kCommError);
    QTest::newRow("short answer") << QStringList { QStringLiteral("--short-answer-at"), x100 }
                                  << false << QString::fromLatin1(kInterrupt);
    QTest::newRow("nak on read") << QStringList { QStringLiteral("--nak-at"), x100 } << false
                                 << QString::fromLatin1(kInterrupt);
    QTest::newRow("nak on write") << QStringList { QStringLiteral("--nak-at"), x100 } << true
                                  << QString::fromLatin1(kInterrupt);
    QTest::newRow("stall") << QStringList { QStringLiteral("--stall-at"), QStringLiteral("0x3D0") }
                           << false << QString::fromLatin1(kInterrupt);
    QTest::newRow("hang-up on read") << QStringList { QStringLiteral("--hangup-at"), x100 } << false
                                     << QString::fromLatin1(kInterrupt);
    QTest::newRow("hang-up on write") << QStringList { QStringLiteral("--hangup-at"), x100 } << true
                                      << QString::fromLatin1(kInterrupt);
}

void TestLinkEndToEnd::faults()
{
    QFETCH(QStringList, simArgs);
    QFETCH(bool, write);
    QFETCH(QString, message);
    SimProcess sim(simArgs);
    QVERIFY(!sim.path().isEmpty());
    const QString file
        = m_dir.filePath(QStringLiteral("fault-%1.dat").arg(QTest::currentDataTag()));
    if (write)
        saveImage(file, DemoRadioImage());
    // Without the backup read, the fault meets the write session itself.
    const CliResult r = write ? runCli({ QStringLiteral("write"), QStringLiteral("--port"),
                            sim.path(), file, QStringLiteral("--no-backup") })
                              : runCli({ QStringLiteral("read"), QStringLiteral("--port"),
                                  sim.path(), QStringLiteral("-o"), file });
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(r.err.count(message), 1);
    if (!write)
        QVERIFY2(!QFile::exists(file), "a failed read writes no file");
}

void TestLinkEndToEnd::retriesRepeatTheHandshake()
{
    SimProcess sim({ QStringLiteral("--bad-handshake-ack") });
    const CliResult r = runCli({ QStringLiteral("read"), QStringLiteral("--port"), sim.path(),
        QStringLiteral("-o"), m_dir.filePath(QStringLiteral("retry.dat")),
        QStringLiteral("--retries"), QStringLiteral("2") });
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err.count(QString::fromLatin1(kCommError)), 3);
}

void TestLinkEndToEnd::garbledReads_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("cliArgs");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("handshakes");
    QTest::addColumn<QString>("said");
    const QString garble = QStringLiteral("--garble-at");
    QTest::newRow("one garbled read: a third decides")
        << QStringList { garble, QStringLiteral("0x100") } << QStringList {} << 0 << 3
        << "The two reads of the radio differed in the blocks at 0x100; a third read decided them.";
    QTest::newRow("no two reads agree")
        << QStringList { garble, QStringLiteral("0x3F8:1,2") } << QStringList {} << 1 << 3
        << "no two reads agreed in the blocks at 0x3F8";
    // The technician's choice: one read, taken as it came.
    QTest::newRow("single read") << QStringList { garble, QStringLiteral("0x100") }
                                 << QStringList { QStringLiteral("--single-read") } << 0 << 1
                                 << "Read Data [########################################] 63/63";
    // Any failed session starts again, not only a silent handshake.
    QTest::newRow("retries after a refused block")
        << QStringList { QStringLiteral("--nak-at"), QStringLiteral("0x100") }
        << QStringList { QStringLiteral("--retries"), QStringLiteral("2") } << 1 << 3
        << "Retrying...";
}

void TestLinkEndToEnd::garbledReads()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, cliArgs);
    QFETCH(int, exitCode);
    QFETCH(int, handshakes);
    QFETCH(QString, said);
    const QString log
        = m_dir.filePath(QStringLiteral("garbled-%1.log").arg(QTest::currentDataTag()));
    const QString file
        = m_dir.filePath(QStringLiteral("garbled-%1.dat").arg(QTest::currentDataTag()));
    SimProcess sim(simArgs + QStringList { QStringLiteral("--log"), log });
    const CliResult r = runCli(QStringList { QStringLiteral("read"), QStringLiteral("--port"),
                                   sim.path(), QStringLiteral("-o"), file }
        + cliArgs);
    QVERIFY(sim.stop());
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(said), qPrintable(r.err));
    QCOMPARE(ProgramRequests(log), handshakes);
    if (exitCode != 0) {
        QVERIFY2(!QFile::exists(file), "a read that cannot be trusted writes no file");
        return;
    }
    // A decided read holds the radio's own bytes; a single read keeps what the line gave it.
    const bool single = cliArgs.contains(QStringLiteral("--single-read"));
    QCOMPARE(loadImage(file).at(0x100) == DemoRadioImage().at(0x100), !single);
}

void TestLinkEndToEnd::portHeldElsewhere()
{
    SimProcess sim({});
    CPosixSerialLine holder;
    QVERIFY(holder.open(sim.path()));
    const QString file = m_dir.filePath(QStringLiteral("held.dat"));
    CliResult r = runCli({ QStringLiteral("read"), QStringLiteral("--port"), sim.path(),
        QStringLiteral("-o"), file });
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QString::fromLatin1(kNoPort)), qPrintable(r.err));
    QVERIFY(!QFile::exists(file));
    holder.close();
    r = runCli({ QStringLiteral("read"), QStringLiteral("--port"), sim.path(), QStringLiteral("-o"),
        file });
    QCOMPARE(r.exitCode, 0);
}

void TestLinkEndToEnd::usageAndFileErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    const QString missing = QStringLiteral("/nonexistent-dir/radio.dat");
    QTest::newRow("read without port")
        << QStringList { QStringLiteral("read"), QStringLiteral("-o"), QStringLiteral("x.dat") }
        << 2;
    QTest::newRow("read without file")
        << QStringList { QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM1") }
        << 2;
    QTest::newRow("bad retries") << QStringList { QStringLiteral("read"), QStringLiteral("--port"),
        QStringLiteral("COM1"), QStringLiteral("-o"), QStringLiteral("x.dat"),
        QStringLiteral("--retries"), QStringLiteral("-1") }
                                 << 2;
    QTest::newRow("write of a missing file") << QStringList { QStringLiteral("write"),
        QStringLiteral("--port"), QStringLiteral("COM1"), missing }
                                             << 2;
    // The file is checked before the port: nothing is read that cannot be kept.
    QTest::newRow("read into a missing folder") << QStringList { QStringLiteral("read"),
        QStringLiteral("--port"), QStringLiteral("/dev/no-such-port"), QStringLiteral("-o"),
        missing } << 2;
    QTest::newRow("read into a folder") << QStringList { QStringLiteral("read"),
        QStringLiteral("--port"), QStringLiteral("/dev/no-such-port"), QStringLiteral("-o"),
        QStringLiteral("/tmp") } << 2;
    QTest::newRow("no such port") << QStringList { QStringLiteral("read"), QStringLiteral("--port"),
        QStringLiteral("/dev/no-such-port"), QStringLiteral("-o"), QStringLiteral("x.dat") }
                                  << 1;
}

void TestLinkEndToEnd::usageAndFileErrors()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QCOMPARE(runCli(args).exitCode, exitCode);
}

void TestLinkEndToEnd::portsListsTheMapping()
{
    const CliResult r = runCli({ QStringLiteral("ports") });
    QCOMPARE(r.exitCode, 0);
    for (int n = 1; n <= 4; ++n)
        QVERIFY2(r.out.contains(QStringLiteral("COM%1 -> ").arg(n)), qPrintable(r.out));
}

void TestLinkEndToEnd::simRefusesWhatItCannotDo_data()
{
    QTest::addColumn<QStringList>("args");
    const QString missing = QStringLiteral("/nonexistent-dir/x");
    QTest::newRow("unknown flag") << QStringList { QStringLiteral("--fast") };
    QTest::newRow("address out of range")
        << QStringList { QStringLiteral("--nak-at"), QStringLiteral("0x10000") };
    QTest::newRow("address missing") << QStringList { QStringLiteral("--stall-at") };
    QTest::newRow("image missing") << QStringList { QStringLiteral("--image"), missing };
    QTest::newRow("log cannot be written") << QStringList { QStringLiteral("--log"), missing };
}

void TestLinkEndToEnd::simRefusesWhatItCannotDo()
{
    QFETCH(QStringList, args);
    QProcess p;
    p.start(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-sim"), args);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 2);
    // No port is offered that would then behave otherwise than asked.
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QVERIFY(p.readAllStandardError().startsWith("radioprog-sim: "));
}

void TestLinkEndToEnd::simHelp()
{
    // Asked for, the usage goes to stdout and no radio is started.
    QProcess p;
    p.start(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-sim"),
        { QStringLiteral("--pace"), QStringLiteral("--help") });
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().startsWith("usage: radioprog-sim"));
    QVERIFY(p.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestLinkEndToEnd)
#include "tst_linkendtoend.moc"
