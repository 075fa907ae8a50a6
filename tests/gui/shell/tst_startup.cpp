// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up in a temporary installation: the failure table, the language flag
// and set, the menu adjustments and the command line.
#include "tests/common/ShellFixture.h"

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/ProgramApp.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QtTest>

#include "gui/shell/NavBar.h"

namespace {

QMenu *menuAt(CMainFrame *frame, int position)
{
    const QList<QAction *> menus = frame->menuBar()->actions();
    return position < menus.size() ? menus[position]->menu() : nullptr;
}

QStringList treeTexts(CMainFrame *frame)
{
    QStringList texts;
    QTreeWidgetItem *root = frame->navBar()->rootItem();
    texts << root->text(0);
    for (int i = 0; i < root->childCount(); ++i)
        texts << root->child(i)->text(0);
    return texts;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void failures_data();
    void failures();
    void languages_data();
    void languages();
    void showLang_data();
    void showLang();
    void aboutTitleItem_data();
    void aboutTitleItem();
    void commandLineOpensFile();
    void commandLineFailureEndsStartup();
    void windowIcon();
    void captionBeforeComposition();
};

void TestStartup::failures_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QString>("message");
    QTest::newRow("Program.ini missing") << QString() << QStringList() << "Load language DLL fail";
    QTest::newRow("Language empty")
        << ShellFixture::IniWithLanguage("") << QStringList() << "Load language DLL fail";
    QTest::newRow("set missing") << ShellFixture::IniWithLanguage("French") << QStringList()
                                 << "Load language DLL fail";
    QTest::newRow("English set removed")
        << ShellFixture::EnglishIni() << QStringList { "English.qm" } << "Load language DLL fail";
    QTest::newRow("Chinese set removed") << ShellFixture::IniWithLanguage("Chinese")
                                         << QStringList { "Chinese.qm" } << "加载语言链接库失败";
    QTest::newRow("unreadable set")
        << ShellFixture::EnglishIni() << QStringList { "corrupt" } << "Load language DLL fail";
}

void TestStartup::failures()
{
    QFETCH(QString, ini);
    QFETCH(QStringList, removed);
    QFETCH(QString, message);
    ShellFixture fx(ini);
    for (const QString &name : removed) {
        if (name == QLatin1String("corrupt"))
            fx.write(QStringLiteral("English.qm"), "not a translation file");
        else
            fx.remove(name);
    }
    QVERIFY(!fx.start());
    QCOMPARE(fx.frame(), nullptr);
    QCOMPARE(fx.messages.size(), 1);
    QCOMPARE(fx.messages[0].text, message);
    QCOMPARE(fx.messages[0].caption, QStringLiteral("Program"));
    QCOMPARE(fx.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // A missing Program.ini is left behind as an empty file.
    if (ini.isNull()) {
        QFile created(fx.dir() + "Program.ini");
        QVERIFY(created.exists());
        QCOMPARE(created.size(), 0);
    }
}

void TestStartup::languages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("setFile");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << "English" << false << "English.qm"
                             << "&File"
                             << QStringList { "Test Radio", "Product Information",
                                    "Channel Information", "Optional Features" }
                             << "Test Company";
    QTest::newRow("Chinese") << "Chinese" << true << "Chinese.qm"
                             << "文件(&F)"
                             << QStringList { "测试对讲机", "类型设置", "信道信息", "可选功能" }
                             << "测试公司";
    // The set is found without regard to case, but the code's own texts stay English.
    QTest::newRow("chinese lower case") << "chinese" << false << "Chinese.qm"
                                        << "文件(&F)"
                                        << QStringList { "测试对讲机", "Product Information",
                                               "Channel Information", "Optional Features" }
                                        << "测试公司";
}

void TestStartup::languages()
{
    QFETCH(QString, language);
    QFETCH(bool, chinese);
    QFETCH(QString, setFile);
    QFETCH(QString, fileMenu);
    QFETCH(QStringList, tree);
    QFETCH(QString, caption);
    ShellFixture fx(ShellFixture::IniWithLanguage(language));
    QVERIFY(fx.start());
    QVERIFY(fx.messages.isEmpty());
    QCOMPARE(g_strLanguage, language);
    QCOMPARE(g_bChinese, chinese);
    QCOMPARE(
        g_strHelpFile, chinese ? QStringLiteral("chHelp.html") : QStringLiteral("enHelp.html"));
    QCOMPARE(g_strAppDir, fx.dir());
    QCOMPARE(QFileInfo(fx.app()->languageSetPath()).fileName(), setFile);
    QCOMPARE(g_strAppDisplayName, caption);
    QCOMPARE(fx.frame()->currentMenuId(), 129);
    QCOMPARE(menuAt(fx.frame(), 0)->title(), fileMenu);
    QCOMPARE(treeTexts(fx.frame()), tree);
    QVERIFY(fx.frame()->isVisible());
    QVERIFY(fx.frame()->windowState() & Qt::WindowMaximized);
    // Qt's own dialogs speak Chinese whenever the Chinese set is loaded, like the menus.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"),
        setFile == QLatin1String("Chinese.qm"));
    // Strings of the string table follow the loaded set, whatever the flag says.
    QCOMPARE(LoadString(61452),
        setFile == "Chinese.qm" ? QStringLiteral("所有数据将被清除！")
                                : QStringLiteral("All data will be Cleared!"));
}

void TestStartup::showLang_data()
{
    QTest::addColumn<QString>("setupExtra");
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << "" << false;
    QTest::newRow("empty") << "ShowLang=\n" << false;
    QTest::newRow("0") << "ShowLang=0\n" << false;
    QTest::newRow("not a number") << "ShowLang=yes\n" << false;
    QTest::newRow("1") << "ShowLang=1\n" << true;
    QTest::newRow("7") << "ShowLang=7\n" << true;
    QTest::newRow("leading digits") << "ShowLang=1 // offered\n" << true;
}

void TestStartup::showLang()
{
    QFETCH(QString, setupExtra);
    QFETCH(bool, present);
    ShellFixture fx(ShellFixture::EnglishIni(setupExtra));
    QVERIFY(fx.start());
    QMenu *setup = menuAt(fx.frame(), 4);
    QVERIFY(setup);
    QCOMPARE(setup->title(), QStringLiteral("&Setup"));
    QCOMPARE(setup->actions().contains(fx.frame()->action(32799)), present);
    QCOMPARE(setup->actions().constFirst()->text(), QStringLiteral("&Com Setup"));
}

void TestStartup::aboutTitleItem_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("text");
    QTest::newRow("present") << ShellFixture::EnglishIni() << "About Test";
    QString missing = ShellFixture::EnglishIni();
    missing.replace("About Title=About Test\n", "");
    QTest::newRow("missing") << missing << "";
}

void TestStartup::aboutTitleItem()
{
    QFETCH(QString, ini);
    QFETCH(QString, text);
    ShellFixture fx(ini);
    QVERIFY(fx.start());
    QMenu *help = menuAt(fx.frame(), 5);
    QVERIFY(help);
    QCOMPARE(help->actions().constFirst()->text(), text);
    QCOMPARE(help->actions().constFirst()->property("cmdId").toInt(), 57664);
}

void TestStartup::commandLineOpensFile()
{
    ShellFixture fx;
    QByteArray image(1024, '\xff');
    image[0x3F0] = 0x42;
    fx.write("radio.dat", image);
    QVERIFY(fx.start({ fx.dir() + "radio.dat" }));
    QVERIFY(fx.messages.isEmpty());
    QCOMPARE(fx.frame()->childFrames().size(), 1);
    CProgramDoc *doc = fx.frame()->activeDocument();
    QVERIFY(doc);
    QCOMPARE(doc->m_image.at(0x3F0), std::uint8_t(0x42));
    QCOMPARE(g_bNewImage, std::uint8_t(0));
}

void TestStartup::commandLineFailureEndsStartup()
{
    ShellFixture fx;
    fx.write("short.dat", QByteArray(100, '\0'));
    QVERIFY(!fx.start({ fx.dir() + "short.dat" }));
    QCOMPARE(fx.frame(), nullptr);
    QCOMPARE(fx.messages.size(), 1);
    QVERIFY(!fx.messages[0].text.isEmpty());

    ShellFixture missing;
    QVERIFY(!missing.start({ missing.dir() + "nothing-here.dat" }));
    QCOMPARE(missing.messages.size(), 1);
}

void TestStartup::windowIcon()
{
    ShellFixture fx;
    QFile::copy(RADIOPROG_SOURCE_DIR "/res/install/title.ico", fx.dir() + "title.ico");
    QVERIFY(fx.start());
    QVERIFY(fx.frame()->windowIcon().availableSizes().contains(QSize(32, 32)));

    ShellFixture without;
    QVERIFY(without.start());
    QVERIFY(!without.frame()->windowIcon().availableSizes().contains(QSize(32, 32)));
}

void TestStartup::captionBeforeComposition()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    // A frame made before any title was composed carries the frame's own name.
    CMainFrame fresh;
    QCOMPARE(fresh.windowTitle(), QStringLiteral("Program"));
    // Composed titles replace it and stay free of document names.
    fresh.setCaption("Composed");
    QCOMPARE(fresh.windowTitle(), QStringLiteral("Composed"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
