// SPDX-License-Identifier: GPL-3.0-or-later
// Why a port would not open and where the COM names lead, from a fake process
// table and device folder, in both languages.
#include "core/link/PortDiagnosis.h"
#include "core/link/PortRoutes.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

/// A fake /proc and /dev under one temporary folder.
struct FakeSystem
{
    QTemporaryDir root;
    PortEnvironment env;
    FakeSystem()
    {
        QDir(root.path()).mkpath(QStringLiteral("proc"));
        QDir(root.path()).mkpath(QStringLiteral("dev"));
        env.procDir = root.filePath(QStringLiteral("proc"));
        env.devDir = root.filePath(QStringLiteral("dev"));
        env.askSystemForPorts = false;
    }
    QString device(const QString &name) const { return env.devDir + QLatin1Char('/') + name; }
    void addDevice(const QString &name) const
    {
        QFile f(device(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    /// A process named comm holding the given files open.
    void addProcess(int pid, const QString &comm, const QStringList &openFiles) const
    {
        const QString dir = env.procDir + QStringLiteral("/%1").arg(pid);
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/fd")));
        QFile f(dir + QStringLiteral("/comm"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(comm.toUtf8() + '\n');
        int fd = 0;
        for (const QString &file : openFiles)
            QVERIFY(QFile::link(file, dir + QStringLiteral("/fd/%1").arg(fd++)));
    }
};

PortOpenError failure(PortFault fault, const QString &device, int osError = 0, qint64 pid = 0)
{
    PortOpenError e;
    e.fault = fault;
    e.device = device;
    e.osError = osError;
    e.holderPid = pid;
    return e;
}

SerialAdapter adapter(const QString &device, bool usb, const QString &serial = QString())
{
    SerialAdapter a;
    a.device = device;
    a.usb = usb;
    a.description
        = usb ? QStringLiteral("CP2102 USB to UART Bridge Controller") : QStringLiteral("ttyS0");
    a.manufacturer = usb ? QStringLiteral("Silicon Labs") : QString();
    a.serialNumber = serial;
    return a;
}

} // namespace

class TestPortAdvice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void diagnosis_data();
    void diagnosis();
    void permissionNamesTheGroup();
    void everyFaultIsExplained();
    void routes_data();
    void routes();
    void overviewSaysWhereTheyLead();
};

void TestPortAdvice::diagnosis_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("brltty");
    QTest::addColumn<QStringList>("english");
    QTest::addColumn<QStringList>("chinese");
    const int noDevice = int(PortFault::NoSuchDevice);
    const int busy = int(PortFault::Busy);
    QTest::newRow("no such device")
        << noDevice << false
        << QStringList { QStringLiteral("does not exist (No such file or directory)"),
               QStringLiteral("Serial devices found: @dev/ttyACM0, @dev/ttyUSB1."),
               QStringLiteral("Setup > Com Setup") }
        << QStringList { QStringLiteral("不存在"), QStringLiteral("找到的串口设备：@dev/ttyACM0"),
               QStringLiteral("串口设置") };
    QTest::newRow("no such device, brltty running")
        << noDevice << true << QStringList { QStringLiteral("sudo apt remove brltty") }
        << QStringList { QStringLiteral("sudo apt remove brltty") };
    QTest::newRow("busy, holders named")
        << busy << false
        << QStringList { QStringLiteral("in use by another program: minicom (PID 4242), "
                                        "picocom (PID 77)") }
        << QStringList { QStringLiteral("正被其他程序占用：minicom (PID 4242)") };
    QTest::newRow("busy, brltty running")
        << busy << true << QStringList { QStringLiteral("sudo apt remove brltty") }
        << QStringList { QStringLiteral("sudo apt remove brltty") };
}

void TestPortAdvice::diagnosis()
{
    QFETCH(int, fault);
    QFETCH(bool, brltty);
    QFETCH(QStringList, english);
    QFETCH(QStringList, chinese);
    FakeSystem sys;
    sys.addDevice(QStringLiteral("ttyUSB1"));
    sys.addDevice(QStringLiteral("ttyACM0"));
    sys.addDevice(QStringLiteral("ttyS0")); // every PC has these; not a cable
    const QString port = PortFault(fault) == PortFault::Busy
        ? sys.device(QStringLiteral("ttyUSB1"))
        : sys.device(QStringLiteral("ttyUSB0"));
    // picocom holds the device; minicom is named by the lock file; bash holds something else.
    sys.addProcess(77, QStringLiteral("picocom"), { sys.device(QStringLiteral("ttyUSB1")) });
    sys.addProcess(4242, QStringLiteral("minicom"), {});
    sys.addProcess(12, QStringLiteral("bash"), { sys.device(QStringLiteral("ttyACM0")) });
    if (brltty)
        sys.addProcess(900, QStringLiteral("brltty"), {});
    const PortFacts facts = GatherPortFacts(
        failure(PortFault(fault), port, fault == int(PortFault::NoSuchDevice) ? ENOENT : 0,
            fault == int(PortFault::Busy) ? 4242 : 0),
        sys.env);
    QCOMPARE(facts.brlttyRunning, brltty);
    const QString at = sys.env.devDir.chopped(3);
    for (const auto &[language, expected] :
        { std::pair { Language::English, english }, std::pair { Language::Chinese, chinese } }) {
        const QString text = ExplainPortFailure(facts, language);
        QVERIFY(text.contains(port));
        for (QString piece : expected) {
            piece.replace(QLatin1Char('@'), at);
            QVERIFY2(text.contains(piece), qPrintable(text + QStringLiteral("\nlacks: ") + piece));
        }
        QVERIFY2(!text.contains(QStringLiteral("ttyS0")), qPrintable(text));
    }
    // brltty is named only when it runs.
    if (!brltty)
        QVERIFY(!ExplainPortFailure(facts, Language::English).contains(QStringLiteral("brltty")));
}

void TestPortAdvice::permissionNamesTheGroup()
{
    FakeSystem sys;
    sys.addDevice(QStringLiteral("ttyUSB0"));
    const QString device = sys.device(QStringLiteral("ttyUSB0"));
    QVERIFY(QFile::setPermissions(device,
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
            | QFileDevice::WriteGroup));
    const PortFacts facts
        = GatherPortFacts(failure(PortFault::PermissionDenied, device, EACCES), sys.env);
    QCOMPARE(facts.deviceGroup, QFileInfo(device).group());
    const QString english = ExplainPortFailure(facts, Language::English);
    QVERIFY(english.contains(QStringLiteral("(Permission denied)")));
    QVERIFY(english.contains(QStringLiteral("belongs to the group \"%1\"").arg(facts.deviceGroup)));
    // The fix names a group a user may join: a root-owned device gets the usual dialout.
    const QString group = facts.deviceGroup == QLatin1String("root") ? QStringLiteral("dialout")
                                                                     : facts.deviceGroup;
    QVERIFY(english.contains(QStringLiteral("sudo usermod -aG %1 $USER").arg(group)));
    QVERIFY(english.contains(QStringLiteral("log in again")));
    const QString chinese = ExplainPortFailure(facts, Language::Chinese);
    QVERIFY(chinese.contains(QStringLiteral("sudo usermod -aG %1 $USER").arg(group)));
    QVERIFY(chinese.contains(QStringLiteral("重新登录")));

    PortFacts dialout = facts;
    dialout.deviceGroup = QStringLiteral("dialout");
    QVERIFY(ExplainPortFailure(dialout, Language::English)
                .contains(QStringLiteral("sudo usermod -aG dialout $USER")));

    // Mode 0600: no group helps; the udev rule fits the cable's later numbers too.
    PortFacts ownerOnly = dialout;
    ownerOnly.error.device = QStringLiteral("/dev/ttyUSB0");
    ownerOnly.deviceOwner = QStringLiteral("root");
    ownerOnly.groupMayUse = false;
    for (Language language : { Language::English, Language::Chinese }) {
        const QString text = ExplainPortFailure(ownerOnly, language);
        QVERIFY2(text.contains(QStringLiteral("KERNEL==\"ttyUSB[0-9]*\", GROUP=\"dialout\", "
                                              "MODE=\"0660\""))
                && text.contains(QStringLiteral("sudo chmod 0660 /dev/ttyUSB0")),
            qPrintable(text));
    }
    QVERIFY(ExplainPortFailure(ownerOnly, Language::English)
                .contains(QStringLiteral("Only its owner (root) may open it")));
}

void TestPortAdvice::everyFaultIsExplained()
{
    for (PortFault fault : { PortFault::NoSuchDevice, PortFault::PermissionDenied, PortFault::Busy,
             PortFault::NotASerialPort, PortFault::Other }) {
        PortFacts facts;
        facts.error = failure(fault, QStringLiteral("/dev/ttyUSB0"), EIO);
        for (Language language : { Language::English, Language::Chinese }) {
            const QStringList lines = ExplainPortFailure(facts, language).split(QLatin1Char('\n'));
            // A why and a how-to-fix, each on its own line.
            QVERIFY(lines.size() >= 2);
            QVERIFY(
                lines.first().startsWith(language == Language::English ? QStringLiteral("Why: ")
                                                                       : QStringLiteral("原因：")));
            bool fix = false;
            for (const QString &l : lines)
                fix = fix
                    || l.startsWith(language == Language::English ? QStringLiteral("Fix: ")
                                                                  : QStringLiteral("解决："));
            QVERIFY(fix);
        }
    }
    QVERIFY(ExplainPortFailure(PortFacts {}, Language::English).isEmpty());
}

void TestPortAdvice::routes_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QStringList>("usb"); // USB adapters present
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("chosen"); // the route COM Setup stored for COM1
    const int ini = int(PortRouteSource::ProgramIni);
    const int user = int(PortRouteSource::UserChoice);
    const int only = int(PortRouteSource::OnlyUsbAdapter);
    const int def = int(PortRouteSource::Default);
    const QString mapped = QStringLiteral("[Ports]\nCOM1=/dev/ttyS1\n");
    const QStringList one { QStringLiteral("/dev/ttyACM0") };
    const QStringList two { QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyUSB3") };
    QTest::newRow("no adapter") << QString() << QStringList() << "COM1"
                                << "/dev/ttyUSB0" << def << QString();
    QTest::newRow("one adapter") << QString() << one << "COM1"
                                 << "/dev/ttyACM0" << only << QString();
    QTest::newRow("one adapter, com1 lower case") << QString() << one << "com1"
                                                  << "/dev/ttyACM0" << only << QString();
    QTest::newRow("one adapter, COM2 keeps its default") << QString() << one << "COM2"
                                                         << "/dev/ttyUSB1" << def << QString();
    QTest::newRow("two adapters: no guess") << QString() << two << "COM1"
                                            << "/dev/ttyUSB0" << def << QString();
    QTest::newRow("Program.ini wins") << mapped << one << "COM1"
                                      << "/dev/ttyS1" << ini << QString();
    QTest::newRow("another COM mapped, COM1 free")
        << QStringLiteral("[Ports]\nCOM2=/dev/ttyS1\n") << one << "COM1"
        << "/dev/ttyACM0" << only << QString();
    QTest::newRow("COM Setup's route wins over Program.ini")
        << mapped << one << "com1"
        << "/dev/pts/7" << user << "/dev/pts/7";
    QTest::newRow("a typed bare name lies under /dev") << QString() << two << "COM1"
                                                       << "/dev/ttyACM1" << user << " ttyACM1 ";
    QTest::newRow("COM Setup's COM1 route leaves COM2 alone")
        << QString() << one << "COM2"
        << "/dev/ttyUSB1" << def << "/dev/pts/7";
}

void TestPortAdvice::routes()
{
    QFETCH(QString, ini);
    QFETCH(QStringList, usb);
    QFETCH(QString, port);
    QFETCH(QString, device);
    QFETCH(int, source);
    QFETCH(QString, chosen);
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Program.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ini.toUtf8());
    f.close();
    theIniFile.Open(f.fileName(), false, true, false);
    QFile::remove(UserSettings::forApplication().fileName());
    QVERIFY(ChooseComRoute(1, chosen));
    QCOMPARE(ChosenComRoute(1), NormalizeDevicePath(chosen));
    // A built-in serial port is never "the USB adapter".
    QList<SerialAdapter> adapters { adapter(QStringLiteral("/dev/ttyS0"), false) };
    for (const QString &d : usb)
        adapters << adapter(d, true);
    const PortRoute route = RouteOfPort(port, adapters);
    QCOMPARE(route.device, device);
    QCOMPARE(int(route.source), source);
    // Taking the route back gives the automatic one again.
    QVERIFY(ChooseComRoute(1, QString()));
    QCOMPARE(UserSettings::forApplication().text(QStringLiteral("Ports/COM1")), QString());
    theIniFile.Close();
}

void TestPortAdvice::overviewSaysWhereTheyLead()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Program.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Ports]\nCOM3=/dev/null\n");
    f.close();
    theIniFile.Open(f.fileName(), false, true, false);
    const QList<SerialAdapter> adapters { adapter(QStringLiteral("/dev/ttyS0"), false),
        adapter(QStringLiteral("/dev/ttyACM9"), true, QStringLiteral("0001")) };
    const QStringList en = PortOverview(adapters, Language::English);
    QCOMPARE(en,
        (QStringList { QStringLiteral("USB serial adapters:"),
            QStringLiteral("  /dev/ttyACM9  CP2102 USB to UART Bridge Controller, Silicon Labs, "
                           "serial number 0001"),
            QStringLiteral("Where the ports lead:"),
            QStringLiteral("  COM1 -> /dev/ttyACM9  (the only USB serial adapter)  missing"),
            QStringLiteral("  COM2 -> /dev/ttyUSB1  (default)  missing"),
            QStringLiteral("  COM3 -> /dev/null  (set in Program.ini)"),
            QStringLiteral("  COM4 -> /dev/ttyUSB3  (default)  missing") }));
    const QStringList zh = PortOverview(adapters, Language::Chinese);
    QCOMPARE(zh.size(), en.size());
    QCOMPARE(zh.at(1),
        QStringLiteral("  /dev/ttyACM9  CP2102 USB to UART Bridge Controller, "
                       "Silicon Labs, 序列号 0001"));
    QCOMPARE(zh.at(3), QStringLiteral("  COM1 -> /dev/ttyACM9  (唯一的 USB 串口适配器)  不存在"));
    QCOMPARE(PortOverview({}, Language::English).at(1), QStringLiteral("  (none found)"));
    theIniFile.Close();
}

QTEST_GUILESS_MAIN(TestPortAdvice)
#include "tst_portadvice.moc"
