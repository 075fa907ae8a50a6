// SPDX-License-Identifier: GPL-3.0-or-later
// Backup, write and verify against the virtual radio over a real pseudo-terminal:
// through radioprog-cli as a technician runs it, and the procedure itself.
#include "core/app/StringTable.h"
#include "core/image/SettingsArea.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/RadioWrite.h"
#include "core/settings/IniFile.h"
#include "sim/RadioState.h"
#include "tests/common/SimProcess.h"

#include "tests/common/ProgramRun.h"
#include "tests/common/TestFiles.h"
#include <QDir>
#include <QTemporaryDir>

#include <QtTest>

namespace {

struct CliResult
{
    int exitCode = -1;
    QString err;
};

CliResult RunWrite(const QStringList &args)
{
    // The images here carry deliberately broken channel bytes: the plan check would stop
    // them before the radio, and these cases are about what reaches the radio.
    const testing::ProgramRun run = testing::RunRadioprogCli(
        QStringList { QStringLiteral("write"), QStringLiteral("--force") } + args);
    return { run.exitCode, QString::fromUtf8(run.err) };
}

MemoryImage Load(const QString &path)
{
    MemoryImage image;
    if (!MemoryImage::fromBytes(testing::ReadAll(path), &image))
        qWarning("cannot load %s", qPrintable(path));
    return image;
}

bool InReadRanges(int i)
{
    return i <= mem::ReadFirstEnd || i >= mem::ReadSecondBegin;
}
bool InWriteRanges(int i)
{
    return i <= mem::WriteFirstEnd || (i >= mem::WriteSecondBegin && i <= mem::WriteLastByte);
}

/// The bytes the radio received, in order, from a radioprog-sim --log file.
QByteArray Received(const QString &log)
{
    QByteArray out;
    for (const QByteArray &line : testing::ReadAll(log).split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() == 3 && parts.at(1) == "RX")
            out.append(static_cast<char>(parts.at(2).toInt(nullptr, 16)));
    }
    return out;
}

/// Number of program requests (handshakes) the radio received.
int Handshakes(const QString &log)
{
    return Received(log).count(QByteArray("\x02PROGRAM"));
}

/// True when any write request reached the radio.
bool AnyWriteRequest(const QString &log)
{
    // 'W' is never part of a read session: addresses step by 8 and stay below 0x400.
    return Received(log).contains('W');
}

/// A changed copy of the virtual radio's memory: what the technician writes.
MemoryImage Edited()
{
    MemoryImage image = DemoRadioImage();
    for (int i : { 0x010, 0x32F, 0x330, 0x33F, 0x340, 0x3C7, 0x3EF, 0x3F0, 0x3F1, 0x3FF })
        image[i] = static_cast<std::uint8_t>(image.at(i) ^ 0x5A);
    WriteField(image, Field::SquelchLevel, 9);
    return image;
}

bool MountTmpfs(const QString &dir, const QString &options)
{
    return QProcess::execute(QStringLiteral("mount"),
               { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                   QStringLiteral("tmpfs"), dir })
        == 0;
}

/// The procedure's face in the test: records steps, answers the compare.
class RecordingUi : public CTransferUi
{
public:
    bool answerWrite = true;
    QStringList steps;
    int progress = 0;
    QList<QList<ImageDifference>> asked;
    QList<int> messages;

    MessageAnswer showMessage(int stringId) override
    {
        messages << stringId;
        return stringId == ids::CommError ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }
    void stepProgress() override { ++progress; }
    bool pumpAndTest(int, int) override { return false; }
    void beginStep(const QString &label) override { steps << label; }
    bool confirmWrite(const QList<ImageDifference> &changes) override
    {
        asked << changes;
        return answerWrite;
    }
};

} // namespace

class TestRadioWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void backupWriteVerify();
    void radioAlreadyHoldsTheImage();
    void verifyCatchesACorruptByte_data();
    void verifyCatchesACorruptByte();
    void failedBackupReadWritesNothing_data();
    void failedBackupReadWritesNothing();
    void backupThatCannotBeSavedWritesNothing();
    void sessionsFollowTheOptions_data();
    void sessionsFollowTheOptions();
    void usageErrorsTouchNoRadio_data();
    void usageErrorsTouchNoRadio();
    void declinedChangesWriteNothing();
    void garbledReadsAreToldApart_data();
    void garbledReadsAreToldApart();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestRadioWrite::initTestCase()
{
    const QString ini = path(QStringLiteral("Program.ini"));
    QVERIFY(QFile::copy(QStringLiteral(RADIOPROG_BUILD_DIR "/Program.ini"), ini));
    QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(theIniFile.Open(ini, false, true, false), 1);
    testing::WriteAll(path(QStringLiteral("edited.dat")), Edited().toByteArray());
    testing::WriteAll(path(QStringLiteral("demo.dat")), DemoRadioImage().toByteArray());
}

void TestRadioWrite::backupWriteVerify()
{
    const QString saved = path(QStringLiteral("after.dat"));
    const QString log = path(QStringLiteral("full.log"));
    const QString backups = path(QStringLiteral("backups-full"));
    SimProcess sim({ QStringLiteral("--save"), saved, QStringLiteral("--log"), log });
    QVERIFY(!sim.path().isEmpty());
    const CliResult r = RunWrite({ QStringLiteral("--port"), sim.path(),
        path(QStringLiteral("edited.dat")), QStringLiteral("--backup-dir"), backups });
    QCOMPARE(r.exitCode, 0);
    QVERIFY(sim.stop());

    // The backup is the radio as it was, in every byte a read fetches.
    const QStringList files = QDir(backups).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(files.size(), 1);
    QVERIFY2(
        files.constFirst().endsWith(QLatin1String("_ZL-260.dat")), qPrintable(files.constFirst()));
    const MemoryImage backup = Load(QDir(backups).filePath(files.constFirst()));
    const MemoryImage demo = DemoRadioImage();
    const MemoryImage edited = Edited();
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(backup.at(i), InReadRanges(i) ? demo.at(i) : edited.at(i));

    // The radio now holds the file in every byte a write sends, and nothing else changed.
    const MemoryImage radio = Load(saved);
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(radio.at(i), InWriteRanges(i) ? edited.at(i) : demo.at(i));

    QCOMPARE(Handshakes(log), 4);
    for (const char *text : { "Backup 1/3, read 1/2", "Backup 1/3, read 2/2", "Write 2/3",
             "Verify 3/3", "251/251", "The 16 bytes at 0x3C0 to 0x3CF could not be verified",
             "Channel 1  Rx Frequency: 145.15000 -> ", "Squelch Level: 5 -> 9", "and checked it" })
        QVERIFY2(r.err.contains(QLatin1String(text)), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("Backup of the radio: %1")
                                .arg(QDir(backups).filePath(files.constFirst()))),
        qPrintable(r.err));
    // What a write never sends is not offered as a change.
    QVERIFY2(!r.err.contains(QLatin1String("0x330")), qPrintable(r.err));
}

void TestRadioWrite::radioAlreadyHoldsTheImage()
{
    SimProcess sim({});
    const CliResult r
        = RunWrite({ QStringLiteral("--port"), sim.path(), path(QStringLiteral("demo.dat")),
            QStringLiteral("--backup-dir"), path(QStringLiteral("backups-same")) });
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(
        r.err.contains(QLatin1String("The radio already holds this image")), qPrintable(r.err));
}

void TestRadioWrite::verifyCatchesACorruptByte_data()
{
    QTest::addColumn<QString>("corruptAt");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("block");
    QTest::newRow("channel record") << "0x105" << 1 << "0x100";
    QTest::newRow("the single byte at 0x3F0") << "0x3F0" << 1 << "0x3F0";
    QTest::newRow("last byte of the second range") << "0x3EF" << 1 << "0x3E8";
    // Never written, so never wrong.
    QTest::newRow("a byte no write sends") << "0x335" << 0 << "";
}

void TestRadioWrite::verifyCatchesACorruptByte()
{
    QFETCH(QString, corruptAt);
    QFETCH(int, exitCode);
    QFETCH(QString, block);
    const QString backups = path(QStringLiteral("backups-corrupt-%1").arg(corruptAt));
    SimProcess sim({ QStringLiteral("--corrupt-at"), corruptAt });
    const CliResult r = RunWrite({ QStringLiteral("--port"), sim.path(),
        path(QStringLiteral("edited.dat")), QStringLiteral("--backup-dir"), backups });
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 0)
        return;
    const QStringList files = QDir(backups).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    // Two check reads that agree put the fault on the radio, not the line.
    QVERIFY2(r.err.contains(QStringLiteral("found that the radio differs from the file in the "
                                           "blocks at %1. Two reads of the radio agree on this")
                                .arg(block)),
        qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("restore it from the backup %1")
                                .arg(QDir(backups).filePath(files.constFirst()))),
        qPrintable(r.err));
}

void TestRadioWrite::failedBackupReadWritesNothing_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("radioMessage");
    const QString interrupt = QStringLiteral("Program Interrupt");
    QTest::newRow("short answer") << QStringList { QStringLiteral("--short-answer-at"),
        QStringLiteral("0x100") } << interrupt;
    QTest::newRow("stall") << QStringList { QStringLiteral("--stall-at"), QStringLiteral("0x3D0") }
                           << interrupt;
    QTest::newRow("bad handshake") << QStringList { QStringLiteral("--bad-handshake-ack") }
                                   << QStringLiteral("Communication Error");
}

void TestRadioWrite::failedBackupReadWritesNothing()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, radioMessage);
    const QString saved = path(QStringLiteral("nobackup-%1.dat").arg(QTest::currentDataTag()));
    const QString log = path(QStringLiteral("nobackup-%1.log").arg(QTest::currentDataTag()));
    const QString backups = path(QStringLiteral("backups-fail-%1").arg(QTest::currentDataTag()));
    SimProcess sim(
        simArgs + QStringList { QStringLiteral("--save"), saved, QStringLiteral("--log"), log });
    const CliResult r = RunWrite({ QStringLiteral("--port"), sim.path(),
        path(QStringLiteral("edited.dat")), QStringLiteral("--backup-dir"), backups });
    QCOMPARE(r.exitCode, 1);
    QVERIFY(sim.stop());
    QVERIFY2(r.err.contains(radioMessage), qPrintable(r.err));
    QVERIFY2(r.err.contains(QLatin1String(
                 "The radio could not be read for the backup, so nothing was written to it.")),
        qPrintable(r.err));
    QVERIFY(!AnyWriteRequest(log));
    QCOMPARE(Load(saved).toByteArray(), DemoRadioImage().toByteArray());
    QVERIFY(QDir(backups).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestRadioWrite::backupThatCannotBeSavedWritesNothing()
{
    const QString backups = path(QStringLiteral("backups-full-disk"));
    QVERIFY(QDir().mkpath(backups));
    if (!MountTmpfs(backups, QStringLiteral("size=4k")))
        QSKIP("this machine does not let the test mount a small file system");
    QFile filler(backups + QStringLiteral("/filler"));
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    while (filler.write(QByteArray(512, 'x')) == 512) { }
    filler.close();
    const QString log = path(QStringLiteral("full-disk.log"));
    SimProcess sim({ QStringLiteral("--log"), log });
    const CliResult r = RunWrite({ QStringLiteral("--port"), sim.path(),
        path(QStringLiteral("edited.dat")), QStringLiteral("--backup-dir"), backups });
    const QStringList left = QDir(backups).entryList(QDir::Files | QDir::Hidden);
    QProcess::execute(QStringLiteral("umount"), { backups });
    sim.stop();
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QLatin1String("No space left on device")), qPrintable(r.err));
    QVERIFY2(r.err.contains(QLatin1String("so nothing was written to it")), qPrintable(r.err));
    QCOMPARE(Handshakes(log), 2);
    QVERIFY(!AnyWriteRequest(log));
    QCOMPARE(left, QStringList { QStringLiteral("filler") });
}

void TestRadioWrite::sessionsFollowTheOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("sessions");
    QTest::addColumn<QString>("bar");
    QTest::newRow("no backup, no verify")
        << QStringList { QStringLiteral("--no-backup"), QStringLiteral("--no-verify") } << 1
        << "Write 1/1 [########################################] 62/62";
    QTest::newRow("no backup") << QStringList { QStringLiteral("--no-backup") } << 2
                               << "Verify 2/2 [########################################] 125/125";
    QTest::newRow("no verify") << QStringList { QStringLiteral("--no-verify") } << 3
                               << "Write 2/2 [########################################] 188/188";
    QTest::newRow("single backup read")
        << QStringList { QStringLiteral("--single-read") } << 3
        << "Verify 3/3 [########################################] 188/188";
}

void TestRadioWrite::sessionsFollowTheOptions()
{
    QFETCH(QStringList, options);
    QFETCH(int, sessions);
    QFETCH(QString, bar);
    const QString saved = path(QStringLiteral("opts-%1.dat").arg(QTest::currentDataTag()));
    const QString log = path(QStringLiteral("opts-%1.log").arg(QTest::currentDataTag()));
    SimProcess sim({ QStringLiteral("--save"), saved, QStringLiteral("--log"), log });
    // Without --backup-dir the backup goes to the user's data folder.
    const CliResult r = RunWrite(
        QStringList { QStringLiteral("--port"), sim.path(), path(QStringLiteral("edited.dat")) }
        + options);
    QCOMPARE(r.exitCode, 0);
    QVERIFY(sim.stop());
    QCOMPARE(Handshakes(log), sessions);
    QVERIFY2(r.err.contains(bar), qPrintable(r.err));
    QCOMPARE(r.err.contains(QLatin1String("Backup of the radio: ")),
        !options.contains(QStringLiteral("--no-backup")));
    const MemoryImage radio = Load(saved);
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(radio.at(i), InWriteRanges(i) ? Edited().at(i) : DemoRadioImage().at(i));
}

void TestRadioWrite::usageErrorsTouchNoRadio_data()
{
    QTest::addColumn<QStringList>("args");
    const QString file = QStringLiteral("FILE");
    QTest::newRow("backup folder and no backup") << QStringList { file,
        QStringLiteral("--no-backup"), QStringLiteral("--backup-dir"), QStringLiteral("/tmp") };
    QTest::newRow("backup folder is a file")
        << QStringList { file, QStringLiteral("--backup-dir"), QStringLiteral("FILE") };
    QTest::newRow("unknown option") << QStringList { file, QStringLiteral("--no-check") };
    QTest::newRow("two files") << QStringList { file, file };
    QTest::newRow("backup folder without a value")
        << QStringList { file, QStringLiteral("--backup-dir") };
}

void TestRadioWrite::usageErrorsTouchNoRadio()
{
    QFETCH(QStringList, args);
    const QString log = path(QStringLiteral("usage-%1.log").arg(QTest::currentDataTag()));
    SimProcess sim({ QStringLiteral("--log"), log });
    args.replaceInStrings(QStringLiteral("FILE"), path(QStringLiteral("edited.dat")));
    const CliResult r = RunWrite(QStringList { QStringLiteral("--port"), sim.path() } + args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.startsWith(QLatin1String("radioprog-cli write: ")), qPrintable(r.err));
    QVERIFY(sim.stop());
    QVERIFY(Received(log).isEmpty());
}

void TestRadioWrite::declinedChangesWriteNothing()
{
    const QString saved = path(QStringLiteral("declined.dat"));
    const QString log = path(QStringLiteral("declined.log"));
    SimProcess sim({ QStringLiteral("--save"), saved, QStringLiteral("--log"), log });
    CPosixSerialLine line;
    RecordingUi ui;
    ui.answerWrite = false;
    RadioWriteOptions options;
    options.backupFolder = path(QStringLiteral("backups-declined"));
    const RadioWriteReport report
        = RunRadioWrite(line, sim.path(), Edited(), options, ui, Language::English);
    QVERIFY(!line.isOpen());
    QCOMPARE(report.outcome, TransferOutcome::Cancelled);
    QCOMPARE(report.stage, RadioWriteStage::Confirm);
    QCOMPARE(report.sessions, 2);
    QCOMPARE(ui.steps,
        (QStringList {
            QStringLiteral("Backup 1/3, read 1/2"), QStringLiteral("Backup 1/3, read 2/2") }));
    QCOMPARE(ui.progress, 126);
    QCOMPARE(ui.asked.size(), 1);
    QCOMPARE(ui.asked.constFirst(), report.changes);
    QVERIFY(!report.backupPath.isEmpty());
    QVERIFY(RadioWriteMessage(report, Language::English).isEmpty());
    QVERIFY(sim.stop());
    QVERIFY(!AnyWriteRequest(log));
    QCOMPARE(Load(saved).toByteArray(), DemoRadioImage().toByteArray());

    // Accepted, the same procedure runs all three sessions over one progress count.
    SimProcess again({});
    RecordingUi yes;
    const RadioWriteReport done
        = RunRadioWrite(line, again.path(), Edited(), options, yes, Language::Chinese);
    QCOMPARE(done.outcome, TransferOutcome::Succeeded);
    QCOMPARE(done.stage, RadioWriteStage::Done);
    QCOMPARE(yes.steps,
        (QStringList { QStringLiteral("备份 1/3，读取 1/2"), QStringLiteral("备份 1/3，读取 2/2"),
            QStringLiteral("写入 2/3"), QStringLiteral("校验 3/3") }));
    QCOMPARE(yes.progress, RadioWriteProgressSteps(options));
    QCOMPARE(yes.progress, 251);
    QVERIFY(yes.messages.isEmpty());
}

void TestRadioWrite::garbledReadsAreToldApart_data()
{
    // Sessions: 1 and 2 the backup reads, 3 the write, 4 the verify, then any read more.
    QTest::addColumn<QString>("garble");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("sessions");
    QTest::addColumn<QString>("said");
    QTest::newRow("backup read garbled") << "0x100:1" << 0 << 5 << "a third read decided them";
    QTest::newRow("verify read garbled, the second matches")
        << "0x100:4" << 0 << 5
        << "a second read matched it: the cable or its connection "
           "garbled the first read, and the radio holds the file";
    QTest::newRow("both check reads garbled")
        << "0x100:4,5" << 1 << 5 << "Two check reads of the radio disagreed in the blocks at 0x100";
}

void TestRadioWrite::garbledReadsAreToldApart()
{
    QFETCH(QString, garble);
    QFETCH(int, exitCode);
    QFETCH(int, sessions);
    QFETCH(QString, said);
    const QString saved = path(QStringLiteral("garbled-%1.dat").arg(QTest::currentDataTag()));
    const QString log = path(QStringLiteral("garbled-%1.log").arg(QTest::currentDataTag()));
    SimProcess sim({ QStringLiteral("--garble-at"), garble, QStringLiteral("--save"), saved,
        QStringLiteral("--log"), log });
    const CliResult r = RunWrite({ QStringLiteral("--port"), sim.path(),
        path(QStringLiteral("edited.dat")), QStringLiteral("--backup-dir"),
        path(QStringLiteral("backups-garbled-%1").arg(QTest::currentDataTag())) });
    QVERIFY(sim.stop());
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(said), qPrintable(r.err));
    QCOMPARE(Handshakes(log), sessions);
    // A garbled read never reaches the radio: it holds the file in every case.
    const MemoryImage radio = Load(saved);
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(radio.at(i), InWriteRanges(i) ? Edited().at(i) : DemoRadioImage().at(i));
}

QTEST_GUILESS_MAIN(TestRadioWrite)
#include "tst_radiowrite.moc"
