// SPDX-License-Identifier: GPL-3.0-or-later
// Details of the windows: dialogs carry a dialog's frame only, the About box
// keeps an empty caption empty, and the document window never shows the
// toolkit's logo for want of title.ico.
#include "tests/common/ShellFixture.h"

#include "gui/dialogs/ComSetupDlg.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/dialogs/OptionalFeaturesDlg.h"
#include "gui/dialogs/ProductInfoDlg.h"
#include "gui/dialogs/ScanInfoDlg.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/DialogFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/view/ProgramView.h"

#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QStandardPaths>
#include <QWindow>
#include <QtTest>
#include <functional>

namespace {

using DialogMaker = std::function<QDialog *(CMainFrame *)>;

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

Q_DECLARE_METATYPE(DialogMaker)

class TestWindowDetails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void dialogsHaveOnlyADialogsButtons_data();
    void dialogsHaveOnlyADialogsButtons();
    void aboutCaption_data();
    void aboutCaption();
    void documentWindowIcon_data();
    void documentWindowIcon();
};

void TestWindowDetails::dialogsHaveOnlyADialogsButtons_data()
{
    QTest::addColumn<DialogMaker>("make");
    QTest::newRow("Scan Information")
        << DialogMaker([](CMainFrame *f) { return new CScanInfoDlg(f); });
    QTest::newRow("COM Setup") << DialogMaker([](CMainFrame *f) { return new CComSetupDlg(f); });
    QTest::newRow("Product Information")
        << DialogMaker([](CMainFrame *f) { return new CProductInfoDlg(f); });
    QTest::newRow("Optional Features")
        << DialogMaker([](CMainFrame *f) { return new COptionalFeaturesDlg(f); });
    QTest::newRow("Language") << DialogMaker([](CMainFrame *f) { return new CLanguageDlg(f); });
    QTest::newRow("About") << DialogMaker([](CMainFrame *f) { return new CAboutDlg(f); });
    QTest::newRow("Process") << DialogMaker([](CMainFrame *f) {
        CProgramView *view = f->activeView();
        view->OnRead();
        return view->m_pProcessDlg->window();
    });
    QTest::newRow("message box") << DialogMaker([](CMainFrame *f) {
        auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Caution"),
            QStringLiteral("Text"), QMessageBox::Ok, f);
        UseDialogFrame(box);
        return box;
    });
}

void TestWindowDetails::dialogsHaveOnlyADialogsButtons()
{
    QFETCH(DialogMaker, make);
    ShellFixture fx;
    QVERIFY(fx.start());
    QPointer<QDialog> dlg = make(fx.frame());
    QVERIFY(dlg);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg));
    const Qt::WindowFlags flags = dlg->windowFlags();
    QCOMPARE(dlg->windowType(), Qt::Dialog);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    // Window managers offer maximize for any window that can change its size.
    QCOMPARE(dlg->minimumSize(), dlg->maximumSize());
    // Its window belongs to the main window (no taskbar entry, no buttons of its own).
    QCOMPARE(dlg->windowHandle()->transientParent(), fx.frame()->windowHandle());
    dlg->hide();
    if (!qobject_cast<CProcessDlg *>(dlg->parent()))
        delete dlg.data();
}

void TestWindowDetails::aboutCaption_data()
{
    QTest::addColumn<bool>("keyPresent");
    QTest::newRow("About Title given") << true;
    QTest::newRow("About Title missing") << false;
}

void TestWindowDetails::aboutCaption()
{
    QFETCH(bool, keyPresent);
    QString ini = ShellFixture::EnglishIni();
    if (!keyPresent)
        ini.replace(QStringLiteral("About Title=About Test\n"), QString());
    ShellFixture fx(ini);
    QVERIFY(fx.start());
    CAboutDlg about(fx.frame());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.windowTitle(), keyPresent ? QStringLiteral("About Test") : QString());
    // What the window system gets: an empty title would be replaced by the program's
    // name there, so an empty caption goes out blank.
    QCOMPARE(about.windowHandle()->title(),
        keyPresent ? QStringLiteral("About Test") : QStringLiteral(" "));
}

void TestWindowDetails::documentWindowIcon_data()
{
    QTest::addColumn<QByteArray>("titleIco"); // empty: no file
    QTest::addColumn<bool>("ownIcon");
    QFile ico(QStringLiteral(RADIOPROG_SOURCE_DIR "/res/install/title.ico"));
    QVERIFY(ico.open(QIODevice::ReadOnly));
    QTest::newRow("title.ico present") << ico.readAll() << true;
    QTest::newRow("title.ico missing") << QByteArray() << false;
    QTest::newRow("title.ico unreadable") << QByteArray("not an icon") << false;
}

void TestWindowDetails::documentWindowIcon()
{
    QFETCH(QByteArray, titleIco);
    QFETCH(bool, ownIcon);
    ShellFixture fx;
    if (!titleIco.isEmpty())
        fx.write(QStringLiteral("title.ico"), titleIco);
    QVERIFY(fx.start());
    CChildFrame *child = fx.frame()->activeChildFrame();
    QVERIFY(child);
    const QIcon icon = child->windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.availableSizes().isEmpty());
    const QImage documentIcon = iconImage(QIcon(QStringLiteral(":/icons/document.png")));
    if (ownIcon) {
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QVERIFY(iconImage(icon) != documentIcon);
    } else {
        // The program's own document icon, never the toolkit's logo.
        QCOMPARE(iconImage(icon), documentIcon);
    }
}

QTEST_MAIN(TestWindowDetails)
#include "tst_window_details.moc"
