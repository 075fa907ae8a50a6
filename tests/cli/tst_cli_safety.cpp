// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tools against a real full disk, read-only targets and FIFOs: a failed
// write exits non-zero with the OS's reason and leaves the old file byte for byte; a FIFO
// is refused at once; read -o never throws away what it read from the radio; only a file
// of one image is read as one; file names keep the bytes they were given.
#include "tests/common/FileFaults.h"
#include "tests/common/ProgramRun.h"
#include "tests/common/SimProcess.h"
#include "tests/common/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QtTest>
#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testing::ReadAll;
using testing::SmallDisk;
using testing::WriteAll;

const QString kCli = QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli");
const QString kSim = QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-sim");

// A command that must answer at once (a FIFO is refused, not waited on) is given this long
// before it counts as hanging (a hang lasts for ever); the margin over a second is for
// start-up on a loaded machine, and more under AddressSanitizer.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kAnswerAtOnceMs = 6000;
#else
constexpr int kAnswerAtOnceMs = 2000;
#endif

QString Fixture(const char *name)
{
    return QStringLiteral(RADIOPROG_TEST_DATA "/") + name;
}

/// Runs a program with extra environment; exitCode -1 when it did not end in timeoutMs.
testing::ProgramRun Run(const QString &program, const QStringList &args,
    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
    int timeoutMs = 60000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    testing::ProgramRun r;
    if (!p.waitForStarted(10000))
        return r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = "(did not answer: killed)";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

/// Bytes the virtual radio received, from its log ("  ms RX hh" lines).
int ReceivedBytes(const QString &log)
{
    return static_cast<int>(ReadAll(log).count(" RX "));
}

/// Where a target is made read-only.
enum class ReadOnly { File, Folder };

} // namespace

class TestCliSafety : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void newOnFullDiskKeepsOldFile()
    {
        SmallDisk disk(64);
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        const QString path = disk.filePath("old.dat");
        QCOMPARE(Run(kCli, { "new", path }).exitCode, 0);
        const QByteArray old = ReadAll(path);
        QCOMPARE(old.size(), 1024);
        // A different old file, so that an unchanged one is not mistaken for a rewrite.
        QByteArray marked = old;
        marked[0x10] = '\x5A';
        WriteAll(path, marked);
        QVERIFY(disk.fill());
        const testing::ProgramRun r = Run(kCli, { "new", path });
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("No space left on device"), r.err.constData());
        QCOMPARE(ReadAll(path), marked);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void reportOnFullDiskKeepsOldFile()
    {
        SmallDisk disk(256);
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        const QString pdf = disk.filePath("report.pdf");
        WriteAll(pdf, "%PDF-1.4 an earlier report\n");
        QVERIFY(disk.fill());
        const testing::ProgramRun r
            = Run(kCli, { "report", Fixture("report-16ch.dat"), "-o", pdf });
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("No space left on device"), r.err.constData());
        QCOMPARE(ReadAll(pdf), QByteArray("%PDF-1.4 an earlier report\n"));
    }

    // Before the radio is put into programming mode, read -o finds out whether the file can
    // be written at all: nothing is read that could not be kept.
    void readChecksTargetBeforeTheRadio_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << "full"
                                   << "No space left on device";
        QTest::newRow("read-only file") << "readonly-file"
                                        << "";
        QTest::newRow("read-only folder") << "readonly-folder"
                                          << "";
        QTest::newRow("folder at the path") << "folder"
                                            << "Is a directory";
        QTest::newRow("FIFO at the path") << "fifo"
                                          << "not a regular file";
    }
    void readChecksTargetBeforeTheRadio()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const bool root = ::geteuid() == 0;
        // As root, permission bits do not bind: the disk's own read-only modes do.
        std::unique_ptr<SmallDisk> disk;
        QTemporaryDir plain;
        QString base = plain.path();
        if (fault == "full" || (root && fault.startsWith("readonly"))) {
            disk = std::make_unique<SmallDisk>(64);
            if (!disk->mounted())
                QSKIP(qPrintable(disk->whyNot()));
            base = disk->path();
        }
        QString path = base + "/radio.dat";
        const QByteArray old = ReadAll(Fixture("image-channels.dat"));
        if (fault == "folder")
            QDir(base).mkdir("radio.dat");
        else if (fault == "fifo")
            QVERIFY(testing::MakeFifo(path));
        else if (fault != "readonly-folder")
            WriteAll(path, old);
        if (fault == "full")
            QVERIFY(disk->fill());
        if (fault == "readonly-file") {
            if (!root)
                QFile::setPermissions(path, QFileDevice::ReadOwner);
            else if (!testing::SetImmutable(path, true))
                QSKIP("the immutable flag cannot be set on a tmpfs here");
        }
        if (fault == "readonly-folder") {
            if (root)
                QVERIFY(disk->setReadOnly(true));
            else
                QFile::setPermissions(base, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        const QString log = m_dir.filePath("radio-" + fault + ".log");
        SimProcess sim({ "--log", log });
        QVERIFY(!sim.path().isEmpty());
        const testing::ProgramRun r = Run(kCli, { "read", "--port", sim.path(), "-o", path },
            QProcessEnvironment::systemEnvironment(), kAnswerAtOnceMs);
        sim.stop();
        if (fault == "readonly-file" && root)
            testing::SetImmutable(path, false);
        if (fault == "readonly-folder" && !root)
            QFile::setPermissions(
                base, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(
            r.err.contains(reason.toUtf8()) && r.err.contains(path.toUtf8()), r.err.constData());
        QCOMPARE(ReceivedBytes(log), 0);
        if (fault == "full" || fault == "readonly-file")
            QCOMPARE(ReadAll(path), old);
        if (fault == "fifo")
            QVERIFY(!QFileInfo(path).isFile());
    }

    // The backups folder is tried before the radio is touched, and its refusal is told
    // with the OS's reason.
    void writeBackupDirGivesTheReason_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a file in the way") << "file"
                                           << "Not a directory";
        QTest::newRow("read-only mount") << "readonly"
                                         << "Read-only file system";
    }
    void writeBackupDirGivesTheReason()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        QString folder = m_dir.filePath("backups-" + fault);
        std::unique_ptr<SmallDisk> disk;
        if (fault == "file") {
            WriteAll(folder, "not a folder");
        } else {
            disk = std::make_unique<SmallDisk>(64);
            if (!disk->mounted())
                QSKIP(qPrintable(disk->whyNot()));
            QVERIFY(disk->setReadOnly(true));
            folder = disk->path() + "/backups";
        }
        const QString log = m_dir.filePath("backup-" + fault + ".log");
        SimProcess sim({ "--log", log });
        QVERIFY(!sim.path().isEmpty());
        const testing::ProgramRun r = Run(kCli,
            { "write", "--port", sim.path(), Fixture("image-channels.dat"), "--backup-dir",
                folder });
        sim.stop();
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(("cannot write backups into " + folder + ": " + reason).toUtf8()),
            r.err.constData());
        QCOMPARE(ReceivedBytes(log), 0);
    }

    // The disk fills while the radio is being read: the old file stays, and the image read
    // is kept under the temporary folder, where the message says.
    void readKeepsTheImageWhenTheSaveFails()
    {
        SmallDisk disk(64);
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        // What a good read of this radio gives, for comparison.
        const QString good = m_dir.filePath("good.dat");
        {
            SimProcess sim({});
            QVERIFY(!sim.path().isEmpty());
            QCOMPARE(Run(kCli, { "read", "--port", sim.path(), "-o", good }).exitCode, 0);
        }
        const QString path = disk.filePath("radio.dat");
        const QByteArray old = ReadAll(Fixture("image-channels.dat"));
        WriteAll(path, old);
        const QString tmp = m_dir.filePath("tmp");
        QDir().mkpath(tmp);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp);

        // At true line speed the read takes over a second; the disk is filled as soon as
        // the radio has heard the first bytes, long after the check before the read.
        const QString log = m_dir.filePath("radio-paced.log");
        SimProcess sim({ "--pace", "--log", log });
        QVERIFY(!sim.path().isEmpty());
        QProcess cli;
        cli.setProcessEnvironment(env);
        cli.start(kCli, { "read", "--port", sim.path(), "-o", path });
        QVERIFY(cli.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(ReceivedBytes(log) > 0, 20000);
        QVERIFY(disk.fill());
        QVERIFY(cli.waitForFinished(60000));
        sim.stop();
        const QByteArray err = cli.readAllStandardError();
        QCOMPARE(cli.exitCode(), 2);
        QVERIFY2(err.contains("No space left on device"), err.constData());
        QCOMPARE(ReadAll(path), old);
        const QRegularExpressionMatch saved
            = QRegularExpression("saved as (\\S+\\.dat)").match(QString::fromUtf8(err));
        QVERIFY2(saved.hasMatch(), err.constData());
        QCOMPARE(QFileInfo(saved.captured(1)).absolutePath(), QFileInfo(tmp).absoluteFilePath());
        QCOMPARE(ReadAll(saved.captured(1)), ReadAll(good));
    }

    // A FIFO given as the image: refused at once, not waited on for ever.
    void fifoIsRefusedAtOnce_data()
    {
        QTest::addColumn<QStringList>("args"); // FILE stands for the FIFO, PORT for the radio
        QTest::newRow("show") << QStringList { "show", "FILE" };
        QTest::newRow("show --json") << QStringList { "show", "FILE", "--json" };
        QTest::newRow("write") << QStringList { "write", "--port", "PORT", "FILE" };
        QTest::newRow("report") << QStringList { "report", "FILE", "-o", "OUT" };
        QTest::newRow("import's list") << QStringList { "import", "FILE", "-o", "OUT" };
    }
    void fifoIsRefusedAtOnce()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const QString fifo = dir.filePath("channels.dat");
        QVERIFY(testing::MakeFifo(fifo));
        const QString log = dir.filePath("radio.log");
        SimProcess sim({ "--log", log });
        QVERIFY(!sim.path().isEmpty());
        args.replaceInStrings(QRegularExpression("^FILE$"), fifo);
        args.replaceInStrings(QRegularExpression("^PORT$"), sim.path());
        args.replaceInStrings(QRegularExpression("^OUT$"), dir.filePath("report.pdf"));
        const testing::ProgramRun r
            = Run(kCli, args, QProcessEnvironment::systemEnvironment(), kAnswerAtOnceMs);
        sim.stop();
        QVERIFY2(r.exitCode != -1, "the command waited on the FIFO");
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("not a regular file"), r.err.constData());
        QCOMPARE(ReceivedBytes(log), 0);
        QVERIFY(!QFile::exists(dir.filePath("report.pdf")));
    }

    // Only a file of exactly one image is an image: anything else (a CSV, a cut-off copy)
    // is refused by every command that reads one, naming the size found, and the radio
    // hears nothing.
    void wrongSizeIsRefused_data()
    {
        QTest::addColumn<QStringList>("args"); // FILE: the file, GOOD: an image, PORT, OUT
        QTest::addColumn<int>("size");
        QTest::newRow("show") << QStringList { "show", "FILE" } << 1025;
        QTest::newRow("write") << QStringList { "write", "--port", "PORT", "FILE" } << 1500;
        QTest::newRow("diff") << QStringList { "diff", "GOOD", "FILE" } << 1500;
        QTest::newRow("report") << QStringList { "report", "FILE", "-o", "OUT" } << 2048;
        QTest::newRow("export") << QStringList { "export", "FILE", "-o", "OUT" } << 1500;
        QTest::newRow("import --into")
            << QStringList { "import", "LIST", "--into", "FILE", "-o", "OUT" } << 1500;
    }
    void wrongSizeIsRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, size);
        QTemporaryDir dir;
        // A channel list is text, and longer than an image.
        QByteArray text = "Location,Rx Frequency\n1,145.500\n";
        while (text.size() < size)
            text += "#" + QByteArray(40, 'x') + "\n";
        const QString file = dir.filePath("channels.csv");
        WriteAll(file, text.left(size));
        const QString list = dir.filePath("list.csv");
        WriteAll(list, "Location,Rx Frequency\n1,145.500\n");
        const QString log = dir.filePath("radio.log");
        SimProcess sim({ "--log", log });
        QVERIFY(!sim.path().isEmpty());
        args.replaceInStrings(QRegularExpression("^FILE$"), file);
        args.replaceInStrings(QRegularExpression("^GOOD$"), Fixture("image-channels.dat"));
        args.replaceInStrings(QRegularExpression("^LIST$"), list);
        args.replaceInStrings(QRegularExpression("^PORT$"), sim.path());
        args.replaceInStrings(QRegularExpression("^OUT$"), dir.filePath("out"));
        const testing::ProgramRun r = Run(kCli, args);
        sim.stop();
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QByteArray::number(size) + " bytes") && r.err.contains("1024"),
            r.err.constData());
        QCOMPARE(ReceivedBytes(log), 0);
        QVERIFY(!QFile::exists(dir.filePath("out")));
    }

    // A file name that is not UTF-8 is the file the user named: written, read and reported
    // under the same bytes, never under a look-alike, with a UTF-8 locale as users run.
    void fileNamesKeepTheirBytes_data()
    {
        QTest::addColumn<QString>("script"); // $C: the CLI, $F: an image with channels
        QTest::addColumn<QByteArrayList>("made");
        QTest::newRow("new") << R"sh("$C" new "$(printf 'n\377.dat')")sh"
                             << QByteArrayList { "n\xff.dat" };
        QTest::newRow("export, import --into") << R"sh(cp "$F" "$(printf 'b\376.dat')" &&
            "$C" export "$(printf 'b\376.dat')" -o "$(printf 'l\375.csv')" &&
            "$C" import "$(printf 'l\375.csv')" --into "$(printf 'b\376.dat')" -o "$(printf 'i\374.dat')" ||
            [ $? -eq 3 ])sh" << QByteArrayList { "b\xfe.dat", "l\xfd.csv", "i\xfc.dat" };
        QTest::newRow("report") << R"sh(cp "$F" "$(printf 'r\373.dat')" &&
            "$C" report "$(printf 'r\373.dat')" -o "$(printf 'p\372.pdf')")sh"
                                << QByteArrayList { "r\xfb.dat", "p\xfa.pdf" };
        // The output must not replace its input, also under such a name.
        QTest::newRow("same file refused") << R"sh(cp "$F" "$(printf 's\371.dat')" &&
            "$C" export "$(printf 's\371.dat')" -o "$(printf 's\371.dat')" 2>&1 |
            grep -q overwrite)sh" << QByteArrayList { "s\xf9.dat" };
    }
    void fileNamesKeepTheirBytes()
    {
        QFETCH(QString, script);
        QFETCH(QByteArrayList, made);
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8");
        env.insert("C", kCli);
        env.insert("F", Fixture("image-channels.dat"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start("/bin/sh", { "-c", script });
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        // The folder's names as bytes: exactly the ones given, none made up.
        QByteArrayList names;
        if (DIR *d = ::opendir(QFile::encodeName(dir.path()).constData())) {
            while (const dirent *e = ::readdir(d))
                if (e->d_name[0] != '.')
                    names << QByteArray(e->d_name);
            ::closedir(d);
        }
        std::sort(names.begin(), names.end());
        std::sort(made.begin(), made.end());
        const QByteArray folder = QFile::encodeName(dir.path()) + '/';
        struct stat st
        {
        };
        const bool madeFirst = ::stat((folder + made.first()).constData(), &st) == 0;
        // Qt could not remove these names itself.
        for (const QByteArray &name : std::as_const(names))
            ::unlink((folder + name).constData());
        QCOMPARE(names, made);
        QVERIFY(madeFirst && st.st_size > 0);
    }

    void simSaveOnFullDiskFails()
    {
        SmallDisk disk(64);
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        const QString path = disk.filePath("radio.dat");
        const QByteArray old = ReadAll(Fixture("image-channels.dat"));
        WriteAll(path, old);
        QProcess sim;
        sim.start(kSim, { "--save", path });
        QVERIFY(sim.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
        QVERIFY(disk.fill());
        ::kill(static_cast<pid_t>(sim.processId()), SIGTERM);
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 2);
        const QByteArray err = sim.readAllStandardError();
        QVERIFY2(err.contains("No space left on device"), err.constData());
        QCOMPARE(ReadAll(path), old);
    }

    void simImageMustBeARegularFile()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("image.dat");
        QVERIFY(testing::MakeFifo(fifo));
        const testing::ProgramRun r = Run(
            kSim, { "--image", fifo }, QProcessEnvironment::systemEnvironment(), kAnswerAtOnceMs);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("not a regular file"), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliSafety)
#include "tst_cli_safety.moc"
