// SPDX-License-Identifier: GPL-3.0-or-later
// The termios serial line over a real pseudo-terminal, and the port names.
#include "core/link/PortProbe.h"
#include "core/link/PosixSerialLine.h"
#include "core/settings/IniFile.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

/// A pseudo-terminal pair; the test plays the radio on the master side.
struct Pty
{
    int master = -1;
    int slave = -1;
    QString path;
    Pty()
    {
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = QString::fromLocal8Bit(name);
            termios t {};
            ::tcgetattr(slave, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(slave, TCSANOW, &t);
        }
    }
    ~Pty()
    {
        closeMaster();
        if (slave >= 0)
            ::close(slave);
    }
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    void send(const QByteArray &bytes) const
    {
        QCOMPARE(::write(master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }
    QByteArray received() const
    {
        QByteArray out;
        char buf[64];
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        for (ssize_t r; (r = ::read(master, buf, sizeof buf)) > 0;)
            out.append(buf, int(r));
        return out;
    }
};

} // namespace

class TestSerialLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readTakesWhatArrived_data();
    void readTakesWhatArrived();
    void hangUpIsAFailure();
    void writeReachesTheRadio();
    void clearDiscardsUnreadBytes();
    void configureMakesA9600RawLine();
    void openIsExclusive();
    void openRefusesWhatIsNoPort();
    void cancelCutsWaitsShort_data();
    void cancelCutsWaitsShort();
    void settingsRestoredOnClose();
    void exclusiveFlagOfAnotherHolder();
    void lockFiles_data();
    void lockFiles();
    void lockFileNames_data();
    void lockFileNames();
    void lockFileNamesFollowLinks();
    void emergencyReleaseGivesThePortBack();
    void portNames_data();
    void portNames();

private:
    QTemporaryDir m_lockDir;
};

void TestSerialLine::initTestCase()
{
    // Lock files of this suite's pseudo-terminals go to a folder of its own.
    QVERIFY(m_lockDir.isValid());
    CPortLock::setDirectory(m_lockDir.path());
}

void TestSerialLine::readTakesWhatArrived_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QByteArray>("got");
    QTest::newRow("all twelve") << QByteArray("0123456789AB") << 12 << QByteArray("0123456789AB");
    QTest::newRow("more than asked") << QByteArray("xyz") << 1 << QByteArray("x");
    // A radio that stops part way: the interval limit ends the read with the bytes so far.
    QTest::newRow("eleven of twelve")
        << QByteArray("0123456789A") << 12 << QByteArray("0123456789A");
    // Nothing at all: the total limit ends the read, still a success.
    QTest::newRow("silence") << QByteArray() << 1 << QByteArray();
}

void TestSerialLine::readTakesWhatArrived()
{
    QFETCH(QByteArray, sent);
    QFETCH(int, asked);
    QFETCH(QByteArray, got);
    Pty pty;
    QVERIFY(!pty.path.isEmpty());
    CPosixSerialLine line;
    QVERIFY(line.open(pty.path));
    line.configure();
    pty.send(sent);
    std::uint8_t buffer[16] = {};
    const LineReadResult r = line.read(buffer, asked);
    QVERIFY(r.ok);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer), r.count), got);
}

void TestSerialLine::hangUpIsAFailure()
{
    Pty pty;
    CPosixSerialLine line;
    QVERIFY(line.open(pty.path));
    line.configure();
    pty.send("ab");
    pty.closeMaster();
    std::uint8_t buffer[8];
    LineReadResult r = line.read(buffer, 8);
    // Bytes already delivered may come first; the dead device is reported at the latest next.
    if (r.ok)
        r = line.read(buffer, 8);
    QVERIFY(!r.ok);
    const std::uint8_t b = 0x06;
    line.write(&b, 1); // must not crash or hang on a dead line
    line.close();
    QVERIFY(!line.isOpen());
}

void TestSerialLine::writeReachesTheRadio()
{
    Pty pty;
    CPosixSerialLine line;
    QVERIFY(line.open(pty.path));
    line.configure();
    // Every byte value passes unchanged: no XON/XOFF, no CR/LF mapping.
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(line.write(reinterpret_cast<const std::uint8_t *>(all.constData()), all.size()), 256);
    QCOMPARE(pty.received(), all);
    pty.send(all);
    std::uint8_t buffer[256];
    int got = 0;
    while (got < 256) {
        const LineReadResult r = line.read(buffer + got, 256 - got);
        QVERIFY(r.ok && r.count > 0);
        got += r.count;
    }
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer), 256), all);
}

void TestSerialLine::clearDiscardsUnreadBytes()
{
    Pty pty;
    CPosixSerialLine line;
    QVERIFY(line.open(pty.path));
    line.configure();
    pty.send("stale");
    line.wait(20);
    line.clearBuffers();
    pty.send("K");
    std::uint8_t b = 0;
    const LineReadResult r = line.read(&b, 1);
    QVERIFY(r.ok);
    QCOMPARE(r.count, 1);
    QCOMPARE(char(b), 'K');
}

void TestSerialLine::configureMakesA9600RawLine()
{
    Pty pty;
    termios before {};
    ::tcgetattr(pty.slave, &before);
    before.c_iflag |= IXON | INPCK | ICRNL;
    before.c_lflag |= ICANON | ECHO;
    before.c_cflag |= PARENB | CSTOPB;
    ::tcsetattr(pty.slave, TCSANOW, &before);
    CPosixSerialLine line;
    QVERIFY(line.open(pty.path));
    line.configure();
    termios t {};
    QCOMPARE(::tcgetattr(pty.slave, &t), 0);
    QCOMPARE(::cfgetospeed(&t), speed_t(B9600));
    QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(t.c_cflag & (PARENB | CSTOPB), tcflag_t(0));
    QCOMPARE(t.c_iflag & (IXON | INPCK | ICRNL), tcflag_t(0));
    QCOMPARE(t.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
    QCOMPARE(t.c_oflag & OPOST, tcflag_t(0));
}

void TestSerialLine::openIsExclusive()
{
    Pty pty;
    CPosixSerialLine first;
    CPosixSerialLine second;
    QVERIFY(first.open(pty.path));
    QVERIFY(!second.open(pty.path));
    QVERIFY(!ProbePort(pty.path));
    first.close();
    // Released by the close: the next transfer can open it again.
    QVERIFY(ProbePort(pty.path));
    QVERIFY(second.open(pty.path));
}

void TestSerialLine::openRefusesWhatIsNoPort()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain.dat"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    CPosixSerialLine line;
    QVERIFY(!line.open(file));
    QVERIFY(!line.open(dir.filePath(QStringLiteral("missing"))));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing")))); // never created
    QCOMPARE(line.lastOpenError().fault, PortFault::NoSuchDevice);
    QCOMPARE(line.lastOpenError().osError, ENOENT);
    QVERIFY(!line.open(file));
    QCOMPARE(line.lastOpenError().fault, PortFault::NotASerialPort);
    QVERIFY(!line.isOpen());
}

void TestSerialLine::cancelCutsWaitsShort_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<QByteArray>("sent");
    // A silent radio: the read would wait 90 + 500 x 12 ms.
    QTest::newRow("silence") << 12 << QByteArray();
    // A radio that stops part way keeps the read only for the interval; still cut short.
    QTest::newRow("nothing but the cancel") << 8 << QByteArray();
}

void TestSerialLine::cancelCutsWaitsShort()
{
    QFETCH(int, asked);
    QFETCH(QByteArray, sent);
    Pty pty;
    CPosixSerialLine line;
    QVERIFY(line.open(pty.path));
    line.configure();
    pty.send(sent);
    QElapsedTimer clock;
    clock.start();
    line.setCancelTest([&clock] { return clock.elapsed() >= 200; });
    std::uint8_t buffer[16];
    const LineReadResult r = line.read(buffer, asked);
    QVERIFY(r.ok);
    QVERIFY(r.cancelled);
    QCOMPARE(r.count, 0);
    // Far below the read's own limit: the wait ended on the cancel, not on a time-out.
    QVERIFY2(clock.elapsed() < linetime::readTotal(asked) / 2,
        qPrintable(QString::number(clock.elapsed())));
    // Once cancelled, a further read returns at once without waiting.
    QVERIFY(line.read(buffer, 1).cancelled);
    line.setCancelTest({});
    pty.send("Z");
    const LineReadResult after = line.read(buffer, 1);
    QVERIFY(!after.cancelled);
    QCOMPARE(after.count, 1);
}

void TestSerialLine::settingsRestoredOnClose()
{
    Pty pty;
    termios before {};
    ::tcgetattr(pty.slave, &before);
    before.c_iflag |= IXON | ICRNL;
    before.c_lflag |= ICANON | ECHO;
    ::cfsetospeed(&before, B115200);
    ::cfsetispeed(&before, B115200);
    QCOMPARE(::tcsetattr(pty.slave, TCSANOW, &before), 0);
    ::tcgetattr(pty.slave, &before);
    {
        CPosixSerialLine line;
        QVERIFY(line.open(pty.path));
        line.configure();
        termios during {};
        ::tcgetattr(pty.slave, &during);
        QCOMPARE(::cfgetospeed(&during), speed_t(B9600));
    }
    termios after {};
    ::tcgetattr(pty.slave, &after);
    QCOMPARE(::cfgetospeed(&after), speed_t(B115200));
    QCOMPARE(after.c_iflag, before.c_iflag);
    QCOMPARE(after.c_oflag, before.c_oflag);
    QCOMPARE(after.c_cflag, before.c_cflag);
    QCOMPARE(after.c_lflag, before.c_lflag);
}

void TestSerialLine::exclusiveFlagOfAnotherHolder()
{
    Pty pty;
    int exclusive = -1;
    // This line sets the flag while it holds the port and clears it on close.
    {
        CPosixSerialLine line;
        QVERIFY(line.open(pty.path));
        QCOMPARE(::ioctl(pty.slave, TIOCGEXCL, &exclusive), 0);
        QCOMPARE(exclusive, 1);
    }
    QCOMPARE(::ioctl(pty.slave, TIOCGEXCL, &exclusive), 0);
    QCOMPARE(exclusive, 0);
    // Another holder's flag keeps this program out, even when it runs as root, and stays.
    QCOMPARE(::ioctl(pty.slave, TIOCEXCL), 0);
    CPosixSerialLine line;
    QVERIFY(!line.open(pty.path));
    QCOMPARE(line.lastOpenError().fault, PortFault::Busy);
    QVERIFY(!ProbePort(pty.path));
    QCOMPARE(::ioctl(pty.slave, TIOCGEXCL, &exclusive), 0);
    QCOMPARE(exclusive, 1);
    // A flag left behind by a holder that has gone keeps nobody out, and stays as found.
    ::close(pty.slave);
    pty.slave = -1;
    QVERIFY(line.open(pty.path));
    line.close();
    const int fd = ::open(QFile::encodeName(pty.path).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    QCOMPARE(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    QCOMPARE(exclusive, 1);
    ::close(fd);
}

void TestSerialLine::lockFiles_data()
{
    QTest::addColumn<QByteArray>("existing"); // the lock file found; "-" for none
    QTest::addColumn<bool>("opens");
    QTest::newRow("no lock") << QByteArray("-") << true;
    QTest::newRow("held by a live process") << QByteArray("LIVE") << false;
    QTest::newRow("stale: its process is gone") << QByteArray("DEAD") << true;
    QTest::newRow("stale: names no process") << QByteArray("garbage\n") << true;
    QTest::newRow("stale: a number no PID can be") << QByteArray("4194999999\n") << true;
    QTest::newRow("held, old binary form") << QByteArray("BINLIVE") << false;
}

void TestSerialLine::lockFiles()
{
    QFETCH(QByteArray, existing);
    QFETCH(bool, opens);
    Pty pty;
    const QString lock = CPortLock::lockFilePath(pty.path);
    QVERIFY(lock.startsWith(m_lockDir.path() + QStringLiteral("/LCK..pts_")));
    // A live process other than this one, and the PID of one that has ended.
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), { QStringLiteral("30") });
    QVERIFY(sleeper.waitForStarted());
    QProcess ended;
    ended.start(QStringLiteral("sh"), { QStringLiteral("-c"), QStringLiteral("echo $$") });
    QVERIFY(ended.waitForFinished());
    const QByteArray deadPid = ended.readAllStandardOutput().trimmed();
    const qint64 livePid = sleeper.processId();
    QByteArray content = existing;
    if (existing == "LIVE")
        content = QByteArray::number(livePid).rightJustified(10, ' ') + '\n';
    else if (existing == "DEAD")
        content = deadPid.rightJustified(10, ' ') + '\n';
    else if (existing == "BINLIVE") {
        const qint32 pid = static_cast<qint32>(livePid);
        content = QByteArray(reinterpret_cast<const char *>(&pid), 4);
    }
    if (existing != "-") {
        QFile f(lock);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    CPosixSerialLine line;
    QCOMPARE(line.open(pty.path), opens);
    if (opens) {
        // Ours now, in the ten-digit form every UUCP program reads.
        QFile f(lock);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
            QByteArray::number(QCoreApplication::applicationPid()).rightJustified(10, ' ') + '\n');
        f.close();
        // Another opener in this very process is kept out by the lock too.
        CPosixSerialLine second;
        QVERIFY(!second.open(pty.path));
        QCOMPARE(second.lastOpenError().fault, PortFault::Busy);
        line.close();
        QVERIFY(!QFile::exists(lock));
    } else {
        QCOMPARE(line.lastOpenError().fault, PortFault::Busy);
        QCOMPARE(line.lastOpenError().holderPid, livePid);
        // Another's lock is left alone.
        QFile f(lock);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
        QFile::remove(lock);
    }
    sleeper.kill();
    sleeper.waitForFinished();
}

void TestSerialLine::lockFileNames_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("name");
    QTest::newRow("ttyUSB0") << QStringLiteral("/dev/ttyUSB0") << QStringLiteral("LCK..ttyUSB0");
    QTest::newRow("subfolder") << QStringLiteral("/dev/pts/7") << QStringLiteral("LCK..pts_7");
    QTest::newRow("outside /dev") << QStringLiteral("/tmp/radio") << QStringLiteral("LCK..radio");
}

void TestSerialLine::lockFileNames()
{
    QFETCH(QString, device);
    QFETCH(QString, name);
    QCOMPARE(CPortLock::lockFilePath(device), m_lockDir.path() + QLatin1Char('/') + name);
}

void TestSerialLine::lockFileNamesFollowLinks()
{
    // Two names of one device share one lock.
    Pty pty;
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("radio"));
    QVERIFY(QFile::link(pty.path, link));
    QCOMPARE(CPortLock::lockFilePath(link), CPortLock::lockFilePath(pty.path));
    CPosixSerialLine line;
    QVERIFY(line.open(link));
    CPosixSerialLine other;
    QVERIFY(!other.open(pty.path));
}

void TestSerialLine::emergencyReleaseGivesThePortBack()
{
    // What a second Ctrl+C does before the process ends at once.
    Pty pty;
    termios before {};
    ::tcgetattr(pty.slave, &before);
    CPosixSerialLine line;
    QVERIFY(line.open(pty.path));
    line.configure();
    const QString lock = CPortLock::lockFilePath(pty.path);
    QVERIFY(QFile::exists(lock));
    ReleaseOpenPortsNow();
    QVERIFY(!QFile::exists(lock));
    int exclusive = -1;
    QCOMPARE(::ioctl(pty.slave, TIOCGEXCL, &exclusive), 0);
    QCOMPARE(exclusive, 0);
    termios after {};
    ::tcgetattr(pty.slave, &after);
    QCOMPARE(after.c_lflag, before.c_lflag);
    QCOMPARE(after.c_iflag, before.c_iflag);
    // Released twice does nothing more.
    ReleaseOpenPortsNow();
    CPosixSerialLine next;
    QVERIFY(next.open(pty.path));
}

void TestSerialLine::portNames_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("device");
    const QString none;
    const QString mapped
        = QStringLiteral("[Ports]\nCOM2=/dev/ttyS1\ncom3 = /dev/serial/by-id/radio\n");
    QTest::newRow("COM1 default") << none << QStringLiteral("COM1")
                                  << QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("com4 default") << none << QStringLiteral("com4")
                                  << QStringLiteral("/dev/ttyUSB3");
    QTest::newRow("com2 mapped") << mapped << QStringLiteral("com2")
                                 << QStringLiteral("/dev/ttyS1");
    QTest::newRow("key case-blind")
        << mapped << QStringLiteral("COM3") << QStringLiteral("/dev/serial/by-id/radio");
    QTest::newRow("unmapped beside mapped")
        << mapped << QStringLiteral("com1") << QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("path as it stands")
        << mapped << QStringLiteral("/dev/pts/7") << QStringLiteral("/dev/pts/7");
    QTest::newRow("bare device name")
        << none << QStringLiteral("ttyACM0") << QStringLiteral("/dev/ttyACM0");
}

void TestSerialLine::portNames()
{
    QFETCH(QString, ini);
    QFETCH(QString, port);
    QFETCH(QString, device);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Program.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ini.toUtf8());
    f.close();
    theIniFile.Open(path, false, true, false);
    QCOMPARE(DevicePathOfPort(port), device);
    theIniFile.Close();
}

QTEST_GUILESS_MAIN(TestSerialLine)
#include "tst_serialline.moc"
