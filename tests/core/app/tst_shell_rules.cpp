// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's window-free rules: language flag, language set lookup, ShowLang,
// prompts, tree item matching and the string table.
#include "core/app/ShellRules.h"
#include "core/app/StringTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestShellRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chineseFlag_data();
    void chineseFlag();
    void leadingNumber_data();
    void leadingNumber();
    void languageSet_data();
    void languageSet();
    void splitPrompt_data();
    void splitPrompt();
    void navCommand_data();
    void navCommand();
    void stringTable_data();
    void stringTable();
};

void TestShellRules::chineseFlag_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("help");
    QTest::newRow("Chinese") << "Chinese" << true << "chHelp.html";
    QTest::newRow("lower case") << "chinese" << false << "enHelp.html";
    QTest::newRow("upper case") << "CHINESE" << false << "enHelp.html";
    QTest::newRow("trailing blank") << "Chinese " << false << "enHelp.html";
    QTest::newRow("English") << "English" << false << "enHelp.html";
    QTest::newRow("French") << "French" << false << "enHelp.html";
    QTest::newRow("empty") << "" << false << "enHelp.html";
}

void TestShellRules::chineseFlag()
{
    QFETCH(QString, language);
    QFETCH(bool, chinese);
    QFETCH(QString, help);
    QCOMPARE(IsChineseLanguage(language), chinese);
    QCOMPARE(HelpFileName(IsChineseLanguage(language)), help);
}

void TestShellRules::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("showLanguage");
    QTest::newRow("missing") << QString() << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("zero") << "0" << 0 << false;
    QTest::newRow("one") << "1" << 1 << true;
    QTest::newRow("two") << "2" << 2 << true;
    QTest::newRow("not a number") << "yes" << 0 << false;
    QTest::newRow("leading digits") << "12abc" << 12 << true;
    QTest::newRow("zero then text") << "0x1" << 0 << false;
    QTest::newRow("leading blanks") << "  3" << 3 << true;
    QTest::newRow("negative") << "-1" << -1 << true;
    QTest::newRow("huge saturates") << "99999999999" << 0x7FFFFFFF << true;
}

void TestShellRules::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(bool, showLanguage);
    QCOMPARE(LeadingNumber(text), number);
    QCOMPARE(ShowLanguageCommand(text), showLanguage);
}

void TestShellRules::languageSet_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("found");
    const QStringList both { "English.qm", "Chinese.qm" };
    QTest::newRow("exact") << both << "English"
                           << "English.qm";
    QTest::newRow("lower case finds it") << both << "chinese"
                                         << "Chinese.qm";
    QTest::newRow("upper case finds it") << both << "ENGLISH"
                                         << "English.qm";
    QTest::newRow("missing set") << both << "French"
                                 << "";
    QTest::newRow("empty name") << both << ""
                                << "";
    QTest::newRow("other language present") << QStringList { "French.qm" } << "French"
                                            << "French.qm";
    QTest::newRow("exact wins over case-blind")
        << QStringList { "chinese.qm", "Chinese.qm" } << "Chinese"
        << "Chinese.qm";
    QTest::newRow("not a prefix match") << QStringList { "English.qm.bak" } << "English"
                                        << "";
}

void TestShellRules::languageSet()
{
    QFETCH(QStringList, files);
    QFETCH(QString, language);
    QFETCH(QString, found);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : files) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString path = FindLanguageSet(dir.path(), language);
    if (found.isEmpty())
        QVERIFY2(path.isEmpty(), qPrintable(path));
    else
        QCOMPARE(QFileInfo(path).fileName(), found);
}

void TestShellRules::splitPrompt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("tip");
    QTest::newRow("read") << "Read Data From Radio\nRead"
                          << "Read Data From Radio"
                          << "Read";
    QTest::newRow("no tip") << "Ready"
                            << "Ready"
                            << "";
    QTest::newRow("only tip") << "\nNew"
                              << ""
                              << "New";
    QTest::newRow("second break stays in tip") << "a\nb\nc"
                                               << "a"
                                               << "b\nc";
}

void TestShellRules::splitPrompt()
{
    QFETCH(QString, text);
    QFETCH(QString, status);
    QFETCH(QString, tip);
    const CommandPrompt p = SplitPrompt(text);
    QCOMPARE(p.statusTip, status);
    QCOMPARE(p.toolTip, tip);
}

void TestShellRules::navCommand_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("command");
    QTest::newRow("en product") << "Product Information" << false << int(NavCommand::ProductInfo);
    QTest::newRow("en channel") << "Channel Information" << false << int(NavCommand::ChannelInfo);
    QTest::newRow("en optional") << "Optional Features" << false
                                 << int(NavCommand::OptionalFeatures);
    QTest::newRow("zh product") << "类型设置" << true << int(NavCommand::ProductInfo);
    QTest::newRow("zh channel") << "信道信息" << true << int(NavCommand::ChannelInfo);
    QTest::newRow("zh optional") << "可选功能" << true << int(NavCommand::OptionalFeatures);
    QTest::newRow("zh text in English run") << "信道信息" << false << int(NavCommand::None);
    QTest::newRow("en text in Chinese run")
        << "Channel Information" << true << int(NavCommand::None);
    QTest::newRow("root") << "16-Channel Radio Programmer" << false << int(NavCommand::None);
    QTest::newRow("no item") << "" << false << int(NavCommand::None);
    QTest::newRow("case counts") << "channel information" << false << int(NavCommand::None);
}

void TestShellRules::navCommand()
{
    QFETCH(QString, text);
    QFETCH(bool, chinese);
    QFETCH(int, command);
    QCOMPARE(int(NavCommandForText(text, chinese)), command);
}

void TestShellRules::stringTable_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("128") << 128 << "Program";
    QTest::newRow("32773") << 32773 << "Read Data From Radio\nRead";
    QTest::newRow("32774") << 32774 << "Write Data To Radio\nWrite";
    QTest::newRow("61448") << 61448 << "Out of range,please input again.";
    QTest::newRow("61451") << 61451
                           << "Communication Error,Please check all the connections and the "
                              "radio power";
    QTest::newRow("61452") << 61452 << "All data will be Cleared!";
    QTest::newRow("61453") << 61453
                           << "Could not Open the Port,Please check whether the Port are "
                              "occupied or the device are ok";
    QTest::newRow("61454") << 61454 << "Program Interrupt, Please reset the radio and try again";
    QTest::newRow("61456") << 61456
                           << "Error data Value, please input according the step value(6.25K/5k).";
    QTest::newRow("61458") << 61458 << "Caution";
    QTest::newRow("unknown") << 4711 << "";
}

void TestShellRules::stringTable()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(LoadString(id), text);
}

QTEST_GUILESS_MAIN(TestShellRules)
#include "tst_shell_rules.moc"
