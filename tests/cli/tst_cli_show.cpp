// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli show, run as a user or a script would run it.
#include "core/settings/IniFile.h"

#include "tests/common/ProgramRun.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <QtTest>

namespace {

using Run = testing::ProgramRun;
const auto RunTool = testing::RunRadioprogCli;

Run RunCli(const QStringList &args)
{
    return RunTool(QStringList { QStringLiteral("show") } + args);
}

QString Fixture(const char *name)
{
    return QStringLiteral(RADIOPROG_TEST_DATA "/") + name;
}

QJsonObject Json(const QStringList &args)
{
    const Run r = RunCli(args);
    if (r.exitCode != 0)
        qWarning("show failed: %s", r.err.constData());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(error.errorString()));
    return doc.object();
}

QString Setting(const QJsonObject &o, const char *name)
{
    return o.value(QStringLiteral("settings"))
        .toObject()
        .value(QLatin1String(name))
        .toObject()
        .value(QStringLiteral("text"))
        .toString();
}

int Code(const QJsonObject &o, const char *name)
{
    return o.value(QStringLiteral("settings"))
        .toObject()
        .value(QLatin1String(name))
        .toObject()
        .value(QStringLiteral("code"))
        .toInt(-1);
}

QJsonObject Channel(const QJsonObject &o, int n)
{
    return o.value(QStringLiteral("channels")).toArray().at(n - 1).toObject();
}

/// The nine texts of a channel in grid column order.
QString ChannelTexts(const QJsonObject &ch)
{
    QStringList texts;
    for (const char *key :
        { "rx", "tx", "decode", "encode", "power", "scanAdd", "busyLock", "bandwidth", "compand" })
        texts << ch.value(QLatin1String(key)).toString(QStringLiteral("<missing>"));
    return texts.join(QLatin1Char('|'));
}

} // namespace

class TestCliShow : public QObject
{
    Q_OBJECT

private slots:
    void defaultImageJson();
    void defaultImageSettings_data();
    void defaultImageSettings();
    void fileJsonChannels_data();
    void fileJsonChannels();
    void fileJsonSettings_data();
    void fileJsonSettings();
    void productTypeAndBandFromProgramIni();
    void chinese();
    void humanTableIsAligned();
    void humanTableLabels_data();
    void humanTableLabels();
    void errors_data();
    void errors();
    void commandList_data();
    void commandList();
    void commandUsage_data();
    void commandUsage();
    void commandListMatchesCommands();
};

void TestCliShow::defaultImageJson()
{
    const QJsonObject o = Json({ QStringLiteral("--json") });
    const QJsonArray channels = o.value(QStringLiteral("channels")).toArray();
    QCOMPARE(channels.size(), 16);
    for (int n = 1; n <= 16; ++n) {
        const QJsonObject ch = channels.at(n - 1).toObject();
        QCOMPARE(ch.value(QStringLiteral("channel")).toInt(), n);
        QCOMPARE(ch.value(QStringLiteral("empty")).toBool(false), true);
        QCOMPARE(ChannelTexts(ch), QStringLiteral("||||||||"));
    }
    QCOMPARE(o.value(QStringLiteral("settings")).toObject().size(), 21);
}

void TestCliShow::defaultImageSettings_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("time-out") << "timeOutTimer" << 4 << "60s";
    QTest::newRow("pre-alert") << "totPreAlert" << 9 << "8";
    QTest::newRow("squelch") << "squelchLevel" << 4 << "4";
    QTest::newRow("vox delay") << "voxDelayTime" << 2 << "1.0";
    QTest::newRow("call tone") << "callTone" << 0 << "Off";
    QTest::newRow("voice") << "voiceAnnunciation" << 1 << "Chinese";
    QTest::newRow("call key") << "callKeyDefine" << 255 << "Off";
    QTest::newRow("look back A") << "lookBackTimeA" << 9 << "0.9";
    QTest::newRow("look back B") << "lookBackTimeB" << 21 << "1.5";
    QTest::newRow("dropout") << "dropoutDelayTime" << 48 << "48";
    QTest::newRow("dwell") << "txDwellTime" << 48 << "48";
    QTest::newRow("battery") << "batterySaver" << 1 << "On";
    QTest::newRow("beep") << "beep" << 1 << "On";
    QTest::newRow("vox gain") << "voxGainLevel" << 5 << "5";
    QTest::newRow("vox function") << "voxFunction" << 1 << "On";
    QTest::newRow("scan function") << "scanFunction" << 1 << "On";
    QTest::newRow("priority") << "priority" << 0 << "None";
    QTest::newRow("priority channel") << "priorityChannel" << 17 << "";
    QTest::newRow("revert") << "revertChannel" << 255 << "";
}

void TestCliShow::defaultImageSettings()
{
    QFETCH(QString, field);
    QFETCH(int, code);
    QFETCH(QString, text);
    static const QJsonObject o = Json({ QStringLiteral("--json") });
    QCOMPARE(Code(o, qPrintable(field)), code);
    QCOMPARE(Setting(o, qPrintable(field)), text);
}

void TestCliShow::fileJsonChannels_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QString>("texts");
    QTest::newRow("1") << 1 << false << "145.12500|145.12500|67.0|D023N|High|No|Carrier|Wide|Yes";
    QTest::newRow("2") << 2 << true << "438.00625|||67.0|||||";
    QTest::newRow("3") << 3 << true << "|145.12500|||||||";
    QTest::newRow("8") << 8 << false << "462.56250|462.56250|D754I|254.1|Low|Yes|QT/DQT|Narrow|No";
    QTest::newRow("16") << 16 << false << "999.99999|10.00110|None|None|Low|Yes|QT/DQT|Wide|No";
}

void TestCliShow::fileJsonChannels()
{
    QFETCH(int, channel);
    QFETCH(bool, empty);
    QFETCH(QString, texts);
    static const QJsonObject o = Json({ Fixture("image-channels.dat"), QStringLiteral("--json") });
    const QJsonObject ch = Channel(o, channel);
    QCOMPARE(ch.value(QStringLiteral("channel")).toInt(), channel);
    QCOMPARE(ch.value(QStringLiteral("empty")).toBool(!empty), empty);
    QCOMPARE(ChannelTexts(ch), texts);
}

void TestCliShow::fileJsonSettings_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("time-out, bit 7 not read") << "timeOutTimer" << 40 << "600s";
    QTest::newRow("pre-alert off") << "totPreAlert" << 1 << "Off";
    QTest::newRow("squelch") << "squelchLevel" << 3 << "3";
    QTest::newRow("battery off") << "batterySaver" << 0 << "Off";
    QTest::newRow("vox gain") << "voxGainLevel" << 16 << "16";
    QTest::newRow("vox delay") << "voxDelayTime" << 5 << "3.0";
    QTest::newRow("call key") << "callKeyDefine" << 1 << "Emergency Alert";
    QTest::newRow("call tone") << "callTone" << 16 << "16";
    QTest::newRow("scan function bit 1") << "scanFunction" << 0 << "Off";
    QTest::newRow("vox function bit 0") << "voxFunction" << 1 << "On";
    QTest::newRow("priority") << "priority" << 1 << "Fixed";
    QTest::newRow("priority channel") << "priorityChannel" << 5 << "5";
    QTest::newRow("look back A") << "lookBackTimeA" << 1 << "0.5";
    QTest::newRow("look back B") << "lookBackTimeB" << 91 << "5";
    QTest::newRow("revert") << "revertChannel" << 3 << "Priority+Talk back";
    QTest::newRow("dropout") << "dropoutDelayTime" << 300 << "300";
    QTest::newRow("dwell") << "txDwellTime" << 0 << "0";
    QTest::newRow("voice") << "voiceAnnunciation" << 2 << "English";
}

void TestCliShow::fileJsonSettings()
{
    QFETCH(QString, field);
    QFETCH(int, code);
    QFETCH(QString, text);
    static const QJsonObject o = Json({ Fixture("image-channels.dat"), QStringLiteral("--json") });
    QCOMPARE(Code(o, qPrintable(field)), code);
    QCOMPARE(Setting(o, qPrintable(field)), text);
}

void TestCliShow::productTypeAndBandFromProgramIni()
{
    // The fixture names type 0 and band 7, beyond the type's list: the last band.
    CIniFile ini;
    QVERIFY(ini.Open(QStringLiteral(RADIOPROG_BUILD_DIR "/Program.ini"), false, true, false));
    const QString type = ini.GetValue(QStringLiteral("Setup"), QStringLiteral("Type1"));
    const QString bands = ini.GetValue(QStringLiteral("Setup"), QStringLiteral("Field1"));
    if (type.isEmpty() || bands.split(QLatin1Char('|')).size() > 7)
        QSKIP("the installed Program.ini does not have the expected shape");
    const QJsonObject o = Json({ Fixture("image-channels.dat"), QStringLiteral("--json") });
    QCOMPARE(Code(o, "productType"), 0);
    QCOMPARE(Setting(o, "productType"), type);
    QCOMPARE(Code(o, "frequencyBand"), 7);
    QCOMPARE(Setting(o, "frequencyBand"), bands.split(QLatin1Char('|')).last());
    // A new image names no type at all.
    const QJsonObject fresh = Json({ QStringLiteral("--json") });
    QCOMPARE(Code(fresh, "productType"), 255);
    QCOMPARE(Setting(fresh, "productType"), QString());
}

void TestCliShow::chinese()
{
    const QJsonObject o = Json({ QStringLiteral("--lang"), QStringLiteral("zh"),
        Fixture("image-channels.dat"), QStringLiteral("--json") });
    QCOMPARE(ChannelTexts(Channel(o, 1)),
        QString::fromUtf8("145.12500|145.12500|67.0|D023N|高|无|载波|宽|是"));
    QCOMPARE(Setting(o, "voiceAnnunciation"), QString::fromUtf8("英文"));
    QCOMPARE(Setting(o, "revertChannel"), QString::fromUtf8("优先+当前通话"));
    const QJsonObject fresh = Json({ QStringLiteral("--lang=zh"), QStringLiteral("--json") });
    QCOMPARE(Setting(fresh, "voiceAnnunciation"), QString::fromUtf8("中文"));
    QCOMPARE(Setting(fresh, "callTone"), QString::fromUtf8("关"));
}

void TestCliShow::humanTableIsAligned()
{
    const Run r = RunCli({ Fixture("image-channels.dat") });
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 17 + 21);
    const QString header = lines.at(0);
    QVERIFY(header.startsWith(QStringLiteral("CH")));
    const int txColumn = header.indexOf(QStringLiteral("Tx Frequency"));
    const int compandColumn = header.indexOf(QStringLiteral("Compand"));
    QVERIFY(txColumn > 0 && compandColumn > txColumn);
    QCOMPARE(lines.at(1).mid(txColumn, 9), QStringLiteral("145.12500"));
    QCOMPARE(lines.at(1).mid(compandColumn), QStringLiteral("Yes"));
    QCOMPARE(lines.at(1).left(2), QStringLiteral(" 1"));
    QCOMPARE(lines.at(3).mid(txColumn), QStringLiteral("145.12500"));
    QCOMPARE(lines.at(4), QStringLiteral(" 4"));
    QCOMPARE(lines.at(16).mid(txColumn, 8), QStringLiteral("10.00110"));
    QVERIFY(lines.contains(QRegularExpression(QStringLiteral("^Time-Out Timer +40 +600s$"))));
    QVERIFY(lines.contains(
        QRegularExpression(QStringLiteral("^Revert Channel +3 +Priority\\+Talk back$"))));
}

void TestCliShow::humanTableLabels_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("timeOut");
    QTest::addColumn<QString>("revert");
    QTest::addColumn<QString>("scan");
    QTest::newRow("English") << "en"
                             << "^Time-Out Timer +40 +600s$"
                             << "^Revert Channel +3 +Priority\\+Talk back$"
                             << "^Scan Function +0 +Off$";
    QTest::newRow("Chinese") << "zh" << QString::fromUtf8("^发射限时 +40 +600s$")
                             << QString::fromUtf8("^回复信道 +3 +优先\\+当前通话$")
                             << QString::fromUtf8("^扫描功能 +0 +关$");
}

void TestCliShow::humanTableLabels()
{
    // The field names follow the chosen language like the texts do.
    QFETCH(QString, lang);
    QFETCH(QString, timeOut);
    QFETCH(QString, revert);
    QFETCH(QString, scan);
    const Run r = RunCli({ QStringLiteral("--lang"), lang, Fixture("image-channels.dat") });
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'));
    for (const QString &pattern : { timeOut, revert, scan })
        QVERIFY2(lines.contains(QRegularExpression(pattern)), qPrintable(pattern));
}

void TestCliShow::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QStringList { Fixture("no-such-image.dat") }
                                  << "no-such-image";
    QTest::newRow("short file") << QStringList { Fixture("image-short.dat"), "--json" } << "1000";
    QTest::newRow("folder") << QStringList { QStringLiteral(RADIOPROG_TEST_DATA) } << "folder";
    QTest::newRow("bad language") << QStringList { "--lang", "fr" } << "en or zh";
    QTest::newRow("language missing") << QStringList { "--lang" } << "--lang";
    QTest::newRow("unknown option") << QStringList { "--yaml" } << "--yaml";
    QTest::newRow("two files") << QStringList { Fixture("image-channels.dat"),
        Fixture("image-channels.dat") }
                               << "one file";
}

void TestCliShow::errors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run r = RunCli(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
}

void TestCliShow::commandList_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("--help") << QStringList { "--help" } << 0;
    QTest::newRow("-h") << QStringList { "-h" } << 0;
    QTest::newRow("help") << QStringList { "help" } << 0;
    QTest::newRow("nothing") << QStringList {} << 2;
    QTest::newRow("unknown command") << QStringList { "frobnicate" } << 2;
    QTest::newRow("help on an unknown command") << QStringList { "help", "frobnicate" } << 2;
}

void TestCliShow::commandList()
{
    // Asked for, the list goes to stdout and succeeds; a wrong command is an error.
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    const Run r = RunTool(args);
    QCOMPARE(r.exitCode, exitCode);
    const QByteArray &list = exitCode == 0 ? r.out : r.err;
    const QByteArray &other = exitCode == 0 ? r.err : r.out;
    QVERIFY2(list.contains("radioprog-cli show [FILE.dat]"), list.constData());
    QVERIFY(other.isEmpty());
    if (!args.isEmpty() && exitCode != 0)
        QVERIFY2(r.err.contains("unknown command " + args.last().toUtf8()), r.err.constData());
}

void TestCliShow::commandUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("usage");
    QTest::newRow("read --help") << QStringList { "read", "--help" }
                                 << "usage: radioprog-cli read --port PORT -o FILE.dat";
    QTest::newRow("write -h") << QStringList { "write", "radio.dat", "-h" }
                              << "usage: radioprog-cli write --port PORT FILE.dat";
    QTest::newRow("report --help") << QStringList { "report", "--help" }
                                   << "usage: radioprog-cli report FILE.dat -o report.pdf";
    QTest::newRow("help report") << QStringList { "help", "report" }
                                 << "usage: radioprog-cli report FILE.dat -o report.pdf";
    QTest::newRow("help beats a wrong option")
        << QStringList { "show", "--yaml", "--help" } << "usage: radioprog-cli show [FILE.dat]";
}

void TestCliShow::commandUsage()
{
    // A command's own usage, asked for, goes to stdout; nothing is run.
    QFETCH(QStringList, args);
    QFETCH(QString, usage);
    const Run r = RunTool(args);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith(usage.toUtf8()), r.out.constData());
    QVERIFY(r.err.isEmpty());
}

void TestCliShow::commandListMatchesCommands()
{
    // The list's line of a command is the usage line its own help and errors print.
    const Run list = RunTool({ QStringLiteral("--help") });
    const QRegularExpression line(
        QStringLiteral("^  radioprog-cli (([a-z]+).*)$"), QRegularExpression::MultilineOption);
    int commands = 0;
    for (auto it = line.globalMatch(QString::fromUtf8(list.out)); it.hasNext(); ++commands) {
        const QRegularExpressionMatch m = it.next();
        const Run help = RunTool({ m.captured(2), QStringLiteral("--help") });
        QVERIFY2(help.out.startsWith("usage: radioprog-cli " + m.captured(1).toUtf8() + "\n"),
            help.out.constData());
        const Run wrong = RunTool({ m.captured(2), QStringLiteral("--no-such-option") });
        QVERIFY2(wrong.err.contains("\nusage: radioprog-cli " + m.captured(1).toUtf8() + "\n"),
            wrong.err.constData());
    }
    QCOMPARE(commands, 12);
}

QTEST_GUILESS_MAIN(TestCliShow)
#include "tst_cli_show.moc"
