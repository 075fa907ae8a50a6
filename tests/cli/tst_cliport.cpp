// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli and its port: Ctrl+C, SIGTERM and SIGHUP end a transfer at
// once and give the port back as it was; a port that will not open says why.
// Against radioprog-sim over real pseudo-terminals.
#include "core/image/MemoryImage.h"
#include "core/link/PortLock.h"
#include "core/link/PortProbe.h"
#include "core/link/PosixSerialLine.h"
#include "tests/common/SimProcess.h"

#include "tests/common/ProgramRun.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char kNoPort[] = "Could not Open the Port,Please check whether the Port are occupied or the "
                       "device are ok";

/// The terminal settings of a device as another program would find them.
bool settingsOf(const QString &device, termios *t)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool ok = ::tcgetattr(fd, t) == 0;
    ::close(fd);
    return ok;
}

} // namespace

class TestCliPort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalEndsTheTransfer_data();
    void signalEndsTheTransfer();
    void secondInterruptEndsAtOnce();
    void killedRadio();
    void missingPortListsTheDevices();
    void busyPortNamesTheHolder();
    void permissionDeniedNamesTheGroup_data();
    void permissionDeniedNamesTheGroup();
    void portsListsAdaptersAndRoutes();

private:
    QTemporaryDir m_dir;
};

void TestCliPort::signalEndsTheTransfer_data()
{
    QTest::addColumn<int>("signo");
    QTest::addColumn<QStringList>("radio");
    QTest::addColumn<bool>("write");
    const QStringList silent { QStringLiteral("--silent") };
    const QStringList stalled { QStringLiteral("--stall-at"), QStringLiteral("0x200") };
    for (int signo : { SIGINT, SIGTERM, SIGHUP }) {
        const char *name = signo == SIGINT ? "SIGINT" : signo == SIGTERM ? "SIGTERM" : "SIGHUP";
        QTest::addRow("%s, silent handshake", name) << signo << silent << false;
        QTest::addRow("%s, radio stalled in a read", name) << signo << stalled << false;
        QTest::addRow("%s, write, silent handshake", name) << signo << silent << true;
    }
}

void TestCliPort::signalEndsTheTransfer()
{
    QFETCH(int, signo);
    QFETCH(QStringList, radio);
    QFETCH(bool, write);
    SimProcess sim(radio);
    QVERIFY(!sim.path().isEmpty());
    termios before {};
    QVERIFY(settingsOf(sim.path(), &before));
    const QString file
        = m_dir.filePath(QStringLiteral("signal-%1.dat").arg(QTest::currentDataTag()));
    if (write) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(MemoryImage::defaults().toByteArray());
    }
    QProcess cli;
    cli.start(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli"),
        write ? QStringList { QStringLiteral("write"), QStringLiteral("--port"), sim.path(), file }
              : QStringList { QStringLiteral("read"), QStringLiteral("--port"), sim.path(),
                  QStringLiteral("-o"), file });
    QVERIFY(cli.waitForStarted());
    // Well inside a wait of several seconds for the radio.
    QTest::qWait(1200);
    QCOMPARE(cli.state(), QProcess::Running);
    QVERIFY(!ProbePort(sim.path()));
    QVERIFY(QFile::exists(CPortLock::lockFilePath(sim.path())));
    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(cli.processId()), signo);
    QVERIFY(cli.waitForFinished(3000));
    // Ended on the signal, not at the radio's time-out (latency: bench/cancel).
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 1);
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("Cancelled.")), qPrintable(err));
    QVERIFY2(!err.contains(QStringLiteral("Program Interrupt")), qPrintable(err));
    if (!write)
        QVERIFY(!QFile::exists(file));
    // The port is given back as it was found: free, unlocked, its settings restored.
    QVERIFY(!QFile::exists(CPortLock::lockFilePath(sim.path())));
    termios after {};
    QVERIFY(settingsOf(sim.path(), &after));
    QCOMPARE(::cfgetospeed(&after), ::cfgetospeed(&before));
    QCOMPARE(after.c_cflag, before.c_cflag);
    QCOMPARE(after.c_lflag, before.c_lflag);
    QVERIFY(ProbePort(sim.path()));
    QVERIFY(sim.running());
}

void TestCliPort::secondInterruptEndsAtOnce()
{
    SimProcess sim({ QStringLiteral("--silent") });
    QProcess cli;
    cli.start(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli"),
        { QStringLiteral("read"), QStringLiteral("--port"), sim.path(), QStringLiteral("-o"),
            m_dir.filePath(QStringLiteral("twice.dat")) });
    QVERIFY(cli.waitForStarted());
    // Signalled once its transfer has begun (its handlers are in place by then): a slow
    // start (sanitizers, a busy machine) must not meet the default action instead.
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += cli.readAllStandardError()).contains("Read 1/"), 10000);
    QTest::qWait(300);
    const pid_t pid = static_cast<pid_t>(cli.processId());
    QVERIFY(pid > 0);
    ::kill(pid, SIGINT);
    ::kill(pid, SIGINT);
    QVERIFY(cli.waitForFinished(3000));
    // Either the transfer had already ended on the first (1) or the second ended the
    // process at once (130); both leave the port free and unlocked.
    QVERIFY2(
        cli.exitCode() == 1 || cli.exitCode() == 130, qPrintable(QString::number(cli.exitCode())));
    QVERIFY(!QFile::exists(CPortLock::lockFilePath(sim.path())));
    QVERIFY(ProbePort(sim.path()));
}

void TestCliPort::killedRadio()
{
    // The radio dies in the middle of a read: the device vanishes under the transfer.
    auto sim = std::make_unique<SimProcess>(
        QStringList { QStringLiteral("--stall-at"), QStringLiteral("0x100") });
    const QString port = sim->path();
    QProcess cli;
    cli.start(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli"),
        { QStringLiteral("read"), QStringLiteral("--port"), port, QStringLiteral("-o"),
            m_dir.filePath(QStringLiteral("killed.dat")) });
    QVERIFY(cli.waitForStarted());
    QTest::qWait(800);
    sim.reset(); // SIGTERM: the radio hangs up and goes
    QVERIFY(cli.waitForFinished(8000));
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY(QString::fromUtf8(cli.readAllStandardError())
                .contains(QStringLiteral("Program Interrupt")));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("killed.dat"))));
    QVERIFY(!QFile::exists(CPortLock::lockFilePath(port)));
}

void TestCliPort::missingPortListsTheDevices()
{
    const testing::ProgramRun r = testing::RunRadioprogCli(
        { QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("/dev/ttyUSB97"),
            QStringLiteral("-o"), m_dir.filePath(QStringLiteral("missing.dat")) });
    QCOMPARE(r.exitCode, 1);
    const QStringList lines = QString::fromUtf8(r.err).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QString::fromLatin1(kNoPort));
    QVERIFY(lines.value(1).startsWith(QStringLiteral("Why: /dev/ttyUSB97 does not exist")));
    QVERIFY(lines.value(2).startsWith(QStringLiteral("Serial devices found: ")));
    QVERIFY(lines.value(3).startsWith(QStringLiteral("Fix: ")));
}

void TestCliPort::busyPortNamesTheHolder()
{
    SimProcess sim({});
    CPosixSerialLine holder;
    QVERIFY(holder.open(sim.path()));
    const testing::ProgramRun r
        = testing::RunRadioprogCli({ QStringLiteral("read"), QStringLiteral("--port"), sim.path(),
            QStringLiteral("-o"), m_dir.filePath(QStringLiteral("busy.dat")) });
    QCOMPARE(r.exitCode, 1);
    const QString err = QString::fromUtf8(r.err);
    // This test holds it, by its lock file and its open descriptor.
    const QString me = QStringLiteral("(PID %1)").arg(QCoreApplication::applicationPid());
    QVERIFY2(err.contains(QStringLiteral("is in use by another program: ")), qPrintable(err));
    QVERIFY2(err.contains(me), qPrintable(err));
    // The virtual radio holds the pseudo-terminal's other side: not a competitor.
    QVERIFY2(!err.contains(QStringLiteral("radioprog-sim")), qPrintable(err));
    // brltty is named only when it runs.
    const bool brltty
        = testing::RunProgram(QStringLiteral("pgrep"), { "-x", "brltty" }).exitCode == 0;
    QCOMPARE(err.contains(QStringLiteral("brltty")), brltty);
}

void TestCliPort::permissionDeniedNamesTheGroup_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("unexpected");
    QTest::newRow("group may use it")
        << 0660 << QStringList { "sudo usermod -aG %1 $USER" } << "Only its owner";
    // Joining a group cannot help: the device itself must change.
    QTest::newRow("owner only") << 0600
                                << QStringList { "Only its owner (root) may open it",
                                       "/etc/udev/rules.d/", "sudo chmod 0660",
                                       "sudo usermod -aG dialout $USER" }
                                << "-aG root";
}

void TestCliPort::permissionDeniedNamesTheGroup()
{
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    QFETCH(QString, unexpected);
    if (::geteuid() != 0)
        QSKIP("needs root to hand the device to a group and run as another user");
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("setpriv is not installed");
    SimProcess sim({});
    const QByteArray device = QFile::encodeName(sim.path());
    // Group 20: dialout on Debian; a 0600 device stays root's alone.
    QCOMPARE(::chown(device.constData(), 0, mode == 0600 ? 0 : 20), 0);
    QCOMPARE(::chmod(device.constData(), static_cast<mode_t>(mode)), 0);
    const QString group = QFileInfo(sim.path()).group();
    const testing::ProgramRun r = testing::RunProgram(QStringLiteral("setpriv"),
        { QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
            QStringLiteral("--clear-groups"), QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli"),
            QStringLiteral("read"), QStringLiteral("--port"), sim.path(), QStringLiteral("-o"),
            QStringLiteral("/tmp/radioprog-nobody.dat") });
    QCOMPARE(r.exitCode, 1);
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(err.contains(QStringLiteral("(Permission denied)")), qPrintable(err));
    QVERIFY2(
        err.contains(QStringLiteral("belongs to the group \"%1\"").arg(group)), qPrintable(err));
    for (const QString &piece : expected)
        QVERIFY2(err.contains(piece.contains(QLatin1String("%1")) ? piece.arg(group) : piece),
            qPrintable(err));
    QVERIFY2(!err.contains(unexpected), qPrintable(err));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/radioprog-nobody.dat")));
}

void TestCliPort::portsListsAdaptersAndRoutes()
{
    const testing::ProgramRun r = testing::RunRadioprogCli({ QStringLiteral("ports") });
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'));
    const int adapters = lines.indexOf(QStringLiteral("USB serial adapters:"));
    const int routes = lines.indexOf(QStringLiteral("Where the ports lead:"));
    QVERIFY2(adapters >= 0 && routes > adapters, qPrintable(r.out));
    // One line per COM port, each saying why it leads where it does.
    for (int n = 1; n <= 4; ++n)
        QVERIFY2(lines.value(routes + n)
                     .contains(QRegularExpression(QStringLiteral(
                         "^  COM%1 -> \\S+  \\((default|set in Program.ini|the only USB "
                         "serial adapter)\\)")
                                                      .arg(n))),
            qPrintable(lines.value(routes + n)));
}

QTEST_GUILESS_MAIN(TestCliPort)
#include "tst_cliport.moc"
