// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its two menu bars, document windows that hide and come
// back, the navigation bar, New's warning, the background, the About box, and
// what the document windows and the frame's dialogs tell the frame.
#include "tests/common/ShellFixture.h"

#include "core/app/Globals.h"
#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/DialogFolders.h"
#include "core/settings/ProductInfoRules.h"
#include "core/settings/UserSettings.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/Help.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MdiClient.h"
#include "gui/shell/NavBar.h"
#include "gui/shell/ProgramApp.h"
#include "gui/view/ProgramView.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace {

// Each menu as "title: item|item|-|item" (separators as "-").
QStringList menuLayout(CMainFrame *frame)
{
    QStringList out;
    for (QAction *top : frame->menuBar()->actions()) {
        QStringList items;
        for (QAction *a : top->menu()->actions()) {
            // As the menu draws it: a text without a tab is followed by the shortcut.
            const QString key = a->shortcut().toString(QKeySequence::NativeText);
            const bool ownKey = !a->text().contains(QLatin1Char('\t')) && !key.isEmpty();
            items << (a->isSeparator() ? QStringLiteral("-")
                    : ownKey           ? a->text() + QLatin1Char('\t') + key
                                       : a->text());
        }
        out << top->text() + QStringLiteral(": ") + items.join(QLatin1Char('|'));
    }
    return out;
}

void drainDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Clicks the tree item with that text, the mouse pointer resting on it.
void clickTreeItem(CNavBar *bar, const QString &text)
{
    QTreeWidget *tree = bar->tree();
    const QList<QTreeWidgetItem *> found
        = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    const QPoint pos = tree->visualItemRect(found.first()).center();
    QCursor::setPos(tree->viewport()->mapToGlobal(pos));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
}

// Answers the modal dialog that the next command opens.
void answerModal(const std::function<void(QWidget *)> &answer)
{
    QTimer::singleShot(0, qApp, [answer] {
        QWidget *dlg = QApplication::activeModalWidget();
        QVERIFY(dlg);
        answer(dlg);
    });
}

QImage twoColourPicture()
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    return picture;
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void fileDialogsStartWhereTheUserWorks_data();
    void fileDialogsStartWhereTheUserWorks();
    void menusFollowDocumentWindows();
    void chineseMenus();
    void closeHidesAndChannelInfoShows_data();
    void closeHidesAndChannelInfoShows();
    void channelInfoWithoutDocumentRestoresFrame();
    void treeClicks_data();
    void treeClicks();
    void keyboardChoosesSelectedItem();
    void newAsksBeforeClearing_data();
    void newAsksBeforeClearing();
    void controlBarToggles();
    void navBarSizingLimits_data();
    void navBarSizingLimits();
    void navBarDrag();
    void toolbarAndPrompts();
    void background_data();
    void background();
    void backgroundReloadedAtRepaint();
    void aboutBox_data();
    void aboutBox();
    void helpContexts();
    void helpUsableInModalDialog_data();
    void helpUsableInModalDialog();
    void saveWritesExistingFile();
    void openReplacesOnlyOnSuccess();
    void documentWindowsTellTheFrame_data();
    void documentWindowsTellTheFrame();
};

void TestMainFrame::menusFollowDocumentWindows()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    const QStringList menu129 {
        "&File: &New\tCtrl+N|&Open...\tCtrl+O|&Close|&Save\tCtrl+S|Save &As...|Co&mpare "
        "With...|-|&Print...\tCtrl+P|Print Pre&view|Export P&DF...|P&rint Setup...|-|&Import "
        "Channels...|Expor&t Channels...|Print Channel S&heet...|Export Channel Sheet as "
        "PD&F...|-|E&xit",
        "&Edit: &Undo\tCtrl+Z|&Redo\tCtrl+Y|-|Cu&t\tCtrl+X|Cop&y\tCtrl+C|P&aste\tCtrl+V|"
        "&Delete\tDel|-|&Insert Channel|D&elete Channel|Mo&ve Up\tCtrl+Up|Move Do&wn\tCtrl+Down|"
        "C&lear Channel|-|&Product Information|&Channel Information|&Optional Features",
        "&Program: &Read\tCtrl+R|&Write\tCtrl+W|Scan Info|Check &Channels...|-|&Backups...|-|"
        "Programming &Station...|Programming &Log...",
        "&View: &Toolbar|&Status Bar|&Control Bar",
        "&Setup: &Com Setup|&Language|&Options...",
        "&Help: About Test",
    };
    QCOMPARE(frame->currentMenuId(), 129);
    QCOMPARE(menuLayout(frame), menu129);

    frame->destroyChildFrame(frame->activeChildFrame());
    drainDeletes();
    QCOMPARE(frame->childFrames().size(), 0);
    QCOMPARE(frame->currentMenuId(), 128);
    // Menu 128 was not in use at start-up, so its About item keeps the built-in text.
    const QStringList menu128 {
        "&File: &New\tCtrl+N|&Open...\tCtrl+O|-|P&rint Setup...|-|E&xit",
        "&View: &Toolbar|&Status Bar",
        "&Help: &About Program...",
    };
    QCOMPARE(menuLayout(frame), menu128);
    QVERIFY(!frame->action(32773)->isEnabled());
    QVERIFY(!frame->action(57603)->isEnabled());

    // New without a document window asks nothing.
    frame->action(57600)->trigger();
    QVERIFY(fx.messages.isEmpty());
    QCOMPARE(frame->childFrames().size(), 1);
    QCOMPARE(frame->currentMenuId(), 129);
    QCOMPARE(menuLayout(frame), menu129);
    QVERIFY(frame->action(32773)->isEnabled());

    const QList<QKeySequence> keys { frame->action(57600)->shortcut(),
        frame->action(57601)->shortcut(), frame->action(57607)->shortcut(),
        frame->action(32773)->shortcut(), frame->action(57603)->shortcut(),
        frame->action(32774)->shortcut(), frame->action(57680)->shortcut(),
        frame->action(57681)->shortcut() };
    QCOMPARE(keys,
        (QList<QKeySequence> { QKeySequence("Ctrl+N"), QKeySequence("Ctrl+O"),
            QKeySequence("Ctrl+P"), QKeySequence("Ctrl+R"), QKeySequence("Ctrl+S"),
            QKeySequence("Ctrl+W"), QKeySequence("F6"), QKeySequence("Shift+F6") }));
}

void TestMainFrame::chineseMenus()
{
    ShellFixture fx(ShellFixture::IniWithLanguage("Chinese"));
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    // Every item translated, each with its access key in the "(&X)" form of Chinese menus.
    const QStringList menu129 {
        "文件(&F): 新建(&N)\tCtrl+N|打开(&O)...\tCtrl+O|关闭(&C)|保存(&S)\tCtrl+S|另存为(&A)..."
        "|对比文件(&M)...|-|打印(&P)...\tCtrl+P|打印预览(&V)|导出 PDF(&D)...|打印设置(&R)...|-|"
        "导入信道(&I)...|导出信道(&T)...|打印信道一览表(&H)...|导出信道一览表为 "
        "PDF(&F)...|-|退出(&X)",
        "编辑(&E): 撤销(&U)\tCtrl+Z|重做(&R)\tCtrl+Y|-|剪切(&T)\tCtrl+X|复制(&Y)\tCtrl+C|"
        "粘贴(&A)\tCtrl+V|删除(&D)\tDel|-|插入信道(&I)|删除信道(&E)|上移(&V)\tCtrl+Up|"
        "下移(&W)\tCtrl+Down|清除信道(&L)|-|类型设置(&P)|信道信息(&C)|可选功能(&O)",
        "编程(&P): 读频(&R)\tCtrl+R|写频(&W)\tCtrl+W|扫描信息|检查信道(&C)...|-|备份(&B)...|-|"
        "编程工作站(&S)...|编程记录(&L)...",
        "查看(&V): 工具栏(&T)|状态栏(&S)|控制栏(&C)",
        "设置(&S): 串口设置(&C)|语言(&L)|选项(&O)...",
        "帮助(&H): 关于测试",
    };
    QCOMPARE(menuLayout(frame), menu129);
    frame->destroyChildFrame(frame->activeChildFrame());
    drainDeletes();
    const QStringList menu128 {
        "文件(&F): 新建(&N)\tCtrl+N|打开(&O)...\tCtrl+O|-|打印设置(&R)...|-|退出(&X)",
        "查看(&V): 工具栏(&T)|状态栏(&S)",
        "帮助(&H): 关于 Program(&A)...",
    };
    QCOMPARE(menuLayout(frame), menu128);
    QCOMPARE(frame->action(32773)->statusTip(), QStringLiteral("从对讲机读取数据"));
    QCOMPARE(frame->action(32773)->toolTip(), QStringLiteral("读频"));
}

void TestMainFrame::closeHidesAndChannelInfoShows_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "close";
    QTest::newRow("File Close") << "57602";
}

void TestMainFrame::closeHidesAndChannelInfoShows()
{
    QFETCH(QString, how);
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QPointer<CChildFrame> child = frame->activeChildFrame();
    QVERIFY(child && child->isVisible());
    QPointer<CProgramDoc> doc = child->document();
    doc->m_image[0x100] = 0x5A;
    if (how == QLatin1String("close"))
        child->close();
    else
        frame->action(57602)->trigger();
    drainDeletes();
    QVERIFY(child);
    QVERIFY(doc);
    QVERIFY(!child->isVisible());
    QCOMPARE(frame->currentMenuId(), 129);
    QCOMPARE(frame->activeChildFrame(), child.data());

    frame->action(32787)->trigger();
    QVERIFY(child->isVisible());
    QCOMPARE(frame->activeChildFrame(), child.data());
    QCOMPARE(child->document(), doc.data());
    QCOMPARE(doc->m_image.at(0x100), std::uint8_t(0x5A));
}

void TestMainFrame::channelInfoWithoutDocumentRestoresFrame()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
    frame->destroyChildFrame(frame->activeChildFrame());
    drainDeletes();
    frame->OnChannelInfo();
    QVERIFY(!(frame->windowState() & Qt::WindowMaximized));
}

void TestMainFrame::treeClicks_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("channelItem");
    QTest::newRow("English") << "English"
                             << "Channel Information";
    QTest::newRow("Chinese") << "Chinese"
                             << "信道信息";
}

void TestMainFrame::treeClicks()
{
    QFETCH(QString, language);
    QFETCH(QString, channelItem);
    ShellFixture fx(ShellFixture::IniWithLanguage(language));
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    CChildFrame *child = frame->activeChildFrame();
    child->hide();
    QTreeWidget *tree = frame->navBar()->tree();

    // Twice in a row: the selection goes back to the root after each click.
    for (int round = 0; round < 2; ++round) {
        child->hide();
        clickTreeItem(frame->navBar(), channelItem);
        QVERIFY2(child->isVisible(), qPrintable(QString("round %1").arg(round)));
        QCOMPARE(tree->currentItem(), frame->navBar()->rootItem());
        // The highlight returns to the root too, once the click has been handled.
        QCoreApplication::processEvents();
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem *>({ frame->navBar()->rootItem() }));
    }
    // The root does nothing.
    child->hide();
    clickTreeItem(frame->navBar(), frame->navBar()->rootItem()->text(0));
    QVERIFY(!child->isVisible());
}

void TestMainFrame::keyboardChoosesSelectedItem()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    CChildFrame *child = frame->activeChildFrame();
    child->hide();
    QTreeWidget *tree = frame->navBar()->tree();
    QCursor::setPos(frame->mapToGlobal(QPoint(frame->width() - 5, frame->height() - 5)));
    // Moving the selection only moves it; Enter acts on the selected item, wherever
    // the pointer rests, and the selection stays where the user put it.
    tree->setCurrentItem(frame->navBar()->rootItem()->child(1));
    QVERIFY(!child->isVisible());
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(child->isVisible());
    QCOMPARE(tree->currentItem(), frame->navBar()->rootItem()->child(1));
    // A click on that same item still chooses it.
    child->hide();
    clickTreeItem(frame->navBar(), frame->navBar()->rootItem()->child(1)->text(0));
    QVERIFY(child->isVisible());
    QCOMPARE(tree->currentItem(), frame->navBar()->rootItem());
}

void TestMainFrame::newAsksBeforeClearing_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("OK") << int(QMessageBox::Ok) << true;
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false;
}

void TestMainFrame::newAsksBeforeClearing()
{
    QFETCH(int, reply);
    QFETCH(bool, replaced);
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QPointer<CChildFrame> old = frame->activeChildFrame();
    old->document()->m_image[0x10] = 0x12; // an edit that New discards without asking to save
    fx.reply = QMessageBox::StandardButton(reply);
    frame->action(57600)->trigger();
    drainDeletes();
    QCOMPARE(fx.messages.size(), 1);
    QCOMPARE(fx.messages[0].text, QStringLiteral("All data will be Cleared!"));
    QCOMPARE(fx.messages[0].caption, QStringLiteral("Test Company"));
    QCOMPARE(fx.messages[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(frame->childFrames().size(), 1);
    QCOMPARE(old.isNull(), replaced);
    if (replaced) {
        QVERIFY(frame->activeDocument()->m_image.at(0x10) != 0x12);
        QCOMPARE(g_bNewImage, std::uint8_t(1));
    } else {
        QCOMPARE(frame->activeChildFrame(), old.data());
    }
}

void TestMainFrame::controlBarToggles()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    CNavBar *bar = frame->navBar();
    QAction *toggle = frame->action(32780);
    QVERIFY(bar->isVisible());
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    QVERIFY(!bar->isVisible());
    QVERIFY(!toggle->isChecked());
    toggle->trigger();
    QVERIFY(bar->isVisible());
    QVERIFY(toggle->isChecked());

    // The close button: press and release on it hides the bar; release elsewhere does not.
    const QPoint button = bar->closeButtonRect().center();
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, button);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, 100));
    QVERIFY(bar->isVisible());
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, button);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, button);
    QVERIFY(!bar->isVisible());
    QVERIFY(!toggle->isChecked());
}

void TestMainFrame::navBarSizingLimits_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("released");
    // Frame 1000 pixels wide: half is 500.
    QTest::newRow("inside") << 300 << 300 << 300;
    QTest::newRow("far right") << 900 << 500 << 500;
    QTest::newRow("near the left edge") << 3 << 80 << 11;
    QTest::newRow("negative") << -40 << 80 << 11;
    QTest::newRow("at 80") << 80 << 80 << 80;
}

void TestMainFrame::navBarSizingLimits()
{
    QFETCH(int, x);
    QFETCH(int, track);
    QFETCH(int, released);
    QWidget window;
    window.resize(1000, 600);
    CNavBar bar("caption", &window);
    QCOMPARE(bar.barWidth(), 220);
    QCOMPARE(bar.clampTrack(x), track);
    QCOMPARE(bar.widthOnRelease(x), released);
}

void TestMainFrame::navBarDrag()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    frame->showNormal();
    frame->resize(1000, 600);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    CNavBar *bar = frame->navBar();
    const int y = bar->height() / 2;
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() - 3, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(900, y), bar->mapToGlobal(QPointF(900, y)),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(900, y));
    QCOMPARE(bar->width(), frame->width() / 2);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() - 2, y));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(4, y));
    QCOMPARE(bar->width(), 11);
    // A double click does not undock or resize it.
    QTest::mouseDClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(bar->width(), 11);
}

void TestMainFrame::toolbarAndPrompts()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QStringList buttons;
    for (QAction *a : frame->toolBar()->actions())
        buttons << (a->isSeparator() ? QStringLiteral("-") : a->property("cmdId").toString());
    QCOMPARE(buttons,
        (QStringList {
            "57600", "57601", "57603", "-", "32773", "32774", "-", "57607", "-", "57664" }));
    for (QAction *a : frame->toolBar()->actions())
        QVERIFY(a->isSeparator() || !a->icon().isNull());
    QCOMPARE(frame->action(32773)->statusTip(), QStringLiteral("Read Data From Radio"));
    QCOMPARE(frame->action(32773)->toolTip(), QStringLiteral("Read"));
    QCOMPARE(frame->action(32774)->statusTip(), QStringLiteral("Write Data To Radio"));
    QCOMPARE(frame->action(32774)->toolTip(), QStringLiteral("Write"));
    QCOMPARE(frame->indicators().size(), 3);
    for (QLabel *pane : frame->indicators())
        QVERIFY(
            pane->text().isEmpty() || QStringList({ "CAP", "NUM", "SCRL" }).contains(pane->text()));
    // View > Toolbar and Status Bar show and hide their bars.
    frame->action(59392)->trigger();
    QVERIFY(!frame->toolBar()->isVisible());
    frame->action(59393)->trigger();
    QVERIFY(!frame->statusBar()->isVisible());
    frame->action(59392)->trigger();
    frame->action(59393)->trigger();
    QVERIFY(frame->toolBar()->isVisible());
    QVERIFY(frame->statusBar()->isVisible());
}

void TestMainFrame::background_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::newRow("background.bmp") << true;
    QTest::newRow("built-in picture") << false;
}

void TestMainFrame::background()
{
    QFETCH(bool, withFile);
    ShellFixture fx;
    if (withFile)
        QVERIFY(twoColourPicture().save(fx.dir() + "background.bmp", "BMP"));
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    frame->activeChildFrame()->hide();
    CMDIClientWnd *area = frame->mdiClient();
    const QImage expected = withFile ? twoColourPicture() : QImage(":/bitmaps/background.bmp");
    QVERIFY(!expected.isNull());
    QCOMPARE(CMDIClientWnd::LoadBackground().size(), expected.size());

    for (const QSize size : { QSize(400, 300), QSize(900, 500) }) {
        area->resize(size);
        const QImage shot = area->viewport()->grab().toImage();
        const int w = shot.width();
        const int h = shot.height();
        // Stretched: a quarter of the width in shows the left of the picture, three
        // quarters in its right. Tiling at the picture's own size would not.
        const QRgb left = expected.pixel(expected.width() / 4, expected.height() / 2);
        const QRgb right = expected.pixel(expected.width() * 3 / 4, expected.height() / 2);
        QCOMPARE(QColor(shot.pixel(w / 4, h / 2)).name(), QColor(left).name());
        QCOMPARE(QColor(shot.pixel(w * 3 / 4, h / 2)).name(), QColor(right).name());
        if (withFile) {
            QCOMPARE(QColor(shot.pixel(w - 2, h - 2)).name(), QColor(Qt::blue).name());
            QCOMPARE(QColor(shot.pixel(1, 1)).name(), QColor(Qt::red).name());
        }
    }
}

void TestMainFrame::backgroundReloadedAtRepaint()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMDIClientWnd *area = fx.frame()->mdiClient();
    fx.frame()->activeChildFrame()->hide();
    area->resize(200, 100);
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    QVERIFY(green.save(fx.dir() + "background.bmp", "BMP"));
    QCOMPARE(
        QColor(area->viewport()->grab().toImage().pixel(100, 50)).name(), QColor(Qt::green).name());
    fx.remove("background.bmp");
    QVERIFY(QColor(area->viewport()->grab().toImage().pixel(100, 50)) != QColor(Qt::green));
}

void TestMainFrame::aboutBox_data()
{
    QTest::addColumn<bool>("keys");
    QTest::addColumn<QSize>("logo");
    QTest::newRow("texts and a wide logo") << true << QSize(150, 40);
    QTest::newRow("texts and a tiny logo") << true << QSize(5, 7);
    QTest::newRow("no keys, no logo") << false << QSize();
}

void TestMainFrame::aboutBox()
{
    QFETCH(bool, keys);
    QFETCH(QSize, logo);
    ShellFixture fx(keys ? ShellFixture::EnglishIni()
                         : QStringLiteral("[Setup]\nLanguage=English\n[English]\nAppName=x\n"));
    if (logo.isValid()) {
        QImage picture(logo, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(fx.dir() + "logo.bmp", "BMP"));
    }
    QVERIFY(fx.start());
    CAboutDlg about(fx.frame());
    QCOMPARE(about.windowTitle(), keys ? QStringLiteral("About Test") : QString());
    QCOMPARE(about.lineText(1001), keys ? QStringLiteral("Version 9.9") : QString());
    QCOMPARE(about.lineText(1002), keys ? QStringLiteral("Copyright Test") : QString());
    QCOMPARE(about.lineText(1003), keys ? QStringLiteral("Test Owner") : QString());
    QCOMPARE(about.pictureSize(), logo.isValid() ? logo : QSize(32, 32));
}

void TestMainFrame::helpContexts()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    frame->setFocus();
    frame->activeChildFrame()->hide();
    QTest::keyClick(frame, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), 0x10000 + 128);
    frame->WinHelp(0x10000 + 57600);
    QCOMPARE(LastHelpContext(), 57600);
    // F1 on a highlighted menu command asks for that command's help.
    QMenu *file = frame->menuBar()->actions().constFirst()->menu();
    file->popup(frame->mapToGlobal(QPoint(10, 10)));
    file->setActiveAction(frame->action(57604));
    QTest::keyClick(file, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), 57604);
    QVERIFY(!file->isVisible());
    // A missing manual shows nothing.
    fx.remove("enHelp.html");
    QCOMPARE(ShowHelp(frame, 57600), 0);
}

void TestMainFrame::helpUsableInModalDialog_data()
{
    QTest::addColumn<bool>("openedBefore");
    QTest::newRow("first opened in the dialog") << false;
    QTest::newRow("already open from the main window") << true;
}

void TestMainFrame::helpUsableInModalDialog()
{
    QFETCH(bool, openedBefore);
    ShellFixture fx;
    QVERIFY(fx.start());
    SetHelpWindowSuppressed(false);
    auto helpWindow = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QTextBrowser *>(w); b && b->isVisible())
                return b;
        return static_cast<QTextBrowser *>(nullptr);
    };
    if (openedBefore)
        QCOMPARE(ShowHelp(fx.frame(), 65664), 1);

    // F1 inside a modal dialog: the manual must still scroll, and close, while it runs.
    bool checked = false;
    QDialog dialog(fx.frame());
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(ShowHelp(fx.frame(), 65664), 1);
        QTextBrowser *help = helpWindow();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(
            dialog.windowHandle()->isAncestorOf(help->windowHandle(), QWindow::IncludeTransients));
        const int before = help->verticalScrollBar()->value();
        QTest::keyClick(help->windowHandle(), Qt::Key_PageDown);
        QVERIFY(help->verticalScrollBar()->value() > before);
        QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
        checked = true;
        help->close();
    });
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    dialog.exec();
    SetHelpWindowSuppressed(true);
    QVERIFY(checked);
}

void TestMainFrame::fileDialogsStartWhereTheUserWorks_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("inBackups"); // the document lies in the backups folder
    QTest::addColumn<QString>("start"); // "work": the document's folder; "last": the remembered
    QTest::newRow("Compare With: the document's folder")
        << int(cmd::CompareWith) << false << "work";
    QTest::newRow("Export Channels: not the backups folder")
        << int(cmd::ExportChannels) << true << "last";
}

void TestMainFrame::fileDialogsStartWhereTheUserWorks()
{
    QFETCH(int, command);
    QFETCH(bool, inBackups);
    QFETCH(QString, start);
    ShellFixture fx;
    QTemporaryDir work;
    QTemporaryDir last;
    QVERIFY(fx.start());
    const QString folder = inBackups ? DefaultBackupFolder() : work.path();
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/customer.dat");
    QFile::remove(path);
    QVERIFY(QFile::copy(QStringLiteral(RADIOPROG_TEST_DATA "/image-channels.dat"), path));
    auto removeCopy = qScopeGuard([&] { QFile::remove(path); });
    QVERIFY(fx.app()->OpenDocumentFile(path));
    drainDeletes();
    for (DialogFileKind kind : { DialogFileKind::Image, DialogFileKind::ChannelList })
        RememberDialogFolder(kind, last.filePath(QStringLiteral("x")));
    QString shown;
    answerModal([&](QWidget *dlg) {
        auto *files = qobject_cast<QFileDialog *>(dlg);
        QVERIFY(files);
        shown = files->directory().absolutePath();
        files->reject();
    });
    fx.frame()->action(command)->trigger();
    QCOMPARE(shown, start == QLatin1String("work") ? work.path() : last.path());
}

void TestMainFrame::saveWritesExistingFile()
{
    ShellFixture fx;
    QByteArray image(1024, '\0');
    fx.write("radio.dat", image);
    QVERIFY(fx.start({ fx.dir() + "radio.dat" }));
    CMainFrame *frame = fx.frame();
    frame->activeDocument()->m_image[0x3F0] = 0x77;
    // The document's file exists, so Save writes it without asking for a name.
    QVERIFY(frame->OnFileSave());
    QFile f(fx.dir() + "radio.dat");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    QCOMPARE(saved.size(), 1024);
    QCOMPARE(std::uint8_t(saved[0x3F0]), std::uint8_t(0x77));
    QVERIFY(fx.messages.isEmpty());
}

void TestMainFrame::openReplacesOnlyOnSuccess()
{
    ShellFixture fx;
    fx.write("good.dat", QByteArray(1024, '\x11'));
    fx.write("short.dat", QByteArray(1023, '\x11'));
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QPointer<CChildFrame> first = frame->activeChildFrame();

    QVERIFY(!fx.app()->OpenDocumentFile(fx.dir() + "short.dat"));
    drainDeletes();
    QCOMPARE(fx.messages.size(), 1);
    QVERIFY(first);
    QCOMPARE(frame->activeChildFrame(), first.data());
    QCOMPARE(g_bNewImage, std::uint8_t(1));

    QVERIFY(fx.app()->OpenDocumentFile(fx.dir() + "good.dat"));
    drainDeletes();
    QVERIFY(!first);
    QCOMPARE(frame->childFrames().size(), 1);
    QCOMPARE(frame->activeDocument()->m_image.at(0x3F0), std::uint8_t(0x11));
    QCOMPARE(frame->activeChildFrame()->windowTitle(), QStringLiteral("good.dat[*]"));
    QCOMPARE(g_bNewImage, std::uint8_t(0));
}

void TestMainFrame::documentWindowsTellTheFrame_data()
{
    QTest::addColumn<QString>("what");
    for (const char *what :
        { "caption", "product information", "com setup", "backup", "unreadable backup" })
        QTest::newRow(what) << QString(what);
}

void TestMainFrame::documentWindowsTellTheFrame()
{
    QFETCH(QString, what);
    ShellFixture fx;
    fx.write("backup.dat", QByteArray(1024, '\x22'));
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    CProgramView *view = frame->activeView();
    const int windows = frame->childFrames().size();
    if (what == "caption") {
        // Composed by the view from the image when its window was made.
        QVERIFY(g_strTitle != QStringLiteral("Program"));
        QCOMPARE(frame->windowTitle(), g_strTitle);
    } else if (what == "product information") {
        frame->setCaption(QStringLiteral("before"));
        // The image holds the choice already: only the dialog's word can set the limits.
        StoreProductChoice(frame->activeDocument()->m_image, 0, 0);
        view->m_nBandLow = view->m_nBandHigh = 0;
        answerModal([](QWidget *dlg) {
            dlg->findChild<QComboBox *>(QStringLiteral("cmbType"))->setCurrentIndex(0);
            dlg->findChild<QComboBox *>(QStringLiteral("cmbBand"))->setCurrentIndex(0);
            dlg->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
        });
        frame->action(cmd::ProductInfo)->trigger();
        QVERIFY2(g_strTitle.contains(QStringLiteral("T1")), qPrintable(g_strTitle));
        QCOMPARE(frame->windowTitle(), g_strTitle);
        QCOMPARE(view->m_nBandLow, 13600000);
        QCOMPARE(view->m_nBandHigh, 17400000);
    } else if (what == "com setup") {
        UserSettings::forApplication().setValue(QStringLiteral("com"), 3);
        answerModal(
            [](QWidget *dlg) { dlg->findChild<QPushButton *>(QStringLiteral("btnOk"))->click(); });
        frame->action(cmd::ComSetup)->trigger();
        QCOMPARE(view->m_strPort, QStringLiteral("com3"));
    } else {
        // A backup opens beside the document being edited; one that cannot be read is reported.
        const bool good = what == "backup";
        emit view->openBackupRequested(fx.dir() + (good ? "backup.dat" : "missing.dat"));
        QCOMPARE(frame->childFrames().size(), windows + (good ? 1 : 0));
        QCOMPARE(fx.messages.size(), good ? 0 : 1);
        if (good)
            QCOMPARE(frame->activeDocument()->pathName(), fx.dir() + "backup.dat");
    }
}

QTEST_MAIN(TestMainFrame)
#include "tst_main_frame.moc"
