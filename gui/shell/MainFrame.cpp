// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MainFrame.h"

#include "core/app/Globals.h"
#include "core/app/ShellRules.h"
#include "core/app/StringTable.h"
#include "core/document/BackupGuard.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/DialogFolders.h"
#include "core/settings/IniFile.h"
#include "gui/print/PrintSetup.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/Help.h"
#include "gui/shell/MdiClient.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/NavBar.h"
#include "gui/station/StationWindow.h"
#include "gui/view/ProgramView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

namespace {
CMainFrame *s_mainFrame = nullptr;
} // namespace

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent)
{
    s_mainFrame = this;
    setObjectName(QStringLiteral("CMainFrame"));
    setProperty("ctrlId", 128);
    // Until the grid or Product Information composes a title, the frame's own name stands.
    setCaption(LoadString(ids::MainFrameTitle).section(QLatin1Char('\n'), 0, 0));
    resize(1000, 600);
    OnCreate();
}

CMainFrame::~CMainFrame()
{
    // Every transfer ends before its view goes away with the frame.
    for (CChildFrame *frame : std::as_const(m_childFrames))
        if (frame->view())
            frame->view()->cancelTransferAndWait();
    // The widgets below outlive this part of the object; their signals must not reach it.
    if (m_pMDIClient)
        disconnect(m_pMDIClient, nullptr, this, nullptr);
    for (const QMetaObject::Connection &c : std::as_const(m_editConnections))
        disconnect(c);
    m_childFrames.clear();
    if (s_mainFrame == this)
        s_mainFrame = nullptr;
}

CMainFrame *CMainFrame::instance()
{
    return s_mainFrame;
}

void CMainFrame::OnCreate()
{
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();

    // The navigation bar sits at the left of the client area, beside the MDI area,
    // so that it always spans the full height between the toolbar and the status bar.
    auto *client = new QWidget(this);
    auto *row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    createNavBar();
    m_pNavBar->setParent(client);
    row->addWidget(m_pNavBar);
    m_pMDIClient = new CMDIClientWnd(client);
    m_pMDIClient->setObjectName(QStringLiteral("mdiClient"));
    row->addWidget(m_pMDIClient, 1);
    setCentralWidget(client);

    connect(m_pMDIClient, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (auto *frame = qobject_cast<CChildFrame *>(window))
            m_pLastActive = frame;
        updateFrameMenu(); // also follows the active document's undo history
    });
    updateFrameMenu();
}

QAction *CMainFrame::addCommand(int id, const QString &text, const QKeySequence &shortcut)
{
    auto *act = new QAction(this);
    SetCommandText(act, text);
    act->setProperty("cmdId", id);
    if (!shortcut.isEmpty())
        act->setShortcut(shortcut);
    const QString prompt = LoadString(id);
    if (!prompt.isEmpty()) {
        const CommandPrompt parts = SplitPrompt(prompt);
        act->setStatusTip(parts.statusTip);
        if (!parts.toolTip.isEmpty())
            act->setToolTip(parts.toolTip);
    }
    m_actions.insert(id, act);
    return act;
}

void CMainFrame::forwardToView(int id, void (CProgramView::*slot)())
{
    connect(action(id), &QAction::triggered, this, [this, slot] {
        if (CProgramView *view = activeView())
            (view->*slot)();
    });
}

void CMainFrame::createActions()
{
    addCommand(cmd::FileNew, tr("&New\tCtrl+N"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommand(cmd::FileOpen, tr("&Open...\tCtrl+O"), QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(cmd::FileClose, tr("&Close"));
    addCommand(cmd::FileSave, tr("&Save\tCtrl+S"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(cmd::FileSaveAs, tr("Save &As..."));
    addCommand(cmd::FilePrint, tr("&Print...\tCtrl+P"), QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(cmd::FilePrintPreview, tr("Print Pre&view"));
    QAction *pdf = addCommand(cmd::ExportPdf, tr("Export P&DF..."));
    pdf->setStatusTip(tr("Save the report of the active document as a PDF file"));
    addCommand(cmd::FilePrintSetup, tr("P&rint Setup..."));
    AddChannelListCommands();
    addCommand(cmd::AppExit, tr("E&xit"));
    createEditActions();
    addCommand(cmd::ProductInfo, tr("&Product Information"));
    addCommand(cmd::ChannelInfo, tr("&Channel Information"));
    addCommand(cmd::OptionalFeatures, tr("&Optional Features"));
    addCommand(cmd::Read, tr("&Read\tCtrl+R"), QKeySequence(Qt::CTRL | Qt::Key_R));
    addCommand(cmd::Write, tr("&Write\tCtrl+W"), QKeySequence(Qt::CTRL | Qt::Key_W));
    addCommand(cmd::ScanInfo, tr("Scan Info"));
    addCommand(cmd::CheckChannels, tr("Check &Channels..."))
        ->setStatusTip(tr("List what looks wrong in the channel plan; go to a cell from the list"));
    addCommand(cmd::ViewToolbar, tr("&Toolbar"))->setCheckable(true);
    addCommand(cmd::ViewStatusBar, tr("&Status Bar"))->setCheckable(true);
    addCommand(cmd::ControlBar, tr("&Control Bar"))->setCheckable(true);
    addCommand(cmd::ComSetup, tr("&Com Setup"));
    addCommand(cmd::Language, tr("&Language"));
    addCommand(cmd::AppAbout, tr("&About Program..."));
    addCommand(cmd::CompareWith, tr("Co&mpare With..."))
        ->setStatusTip(tr("Compare the active document with a .dat file, field by field"));
    addCommand(cmd::WriteOptions, tr("&Options..."))
        ->setStatusTip(tr("Backup and verify around Program > Write"));
    addCommand(cmd::Backups, tr("&Backups..."))
        ->setStatusTip(tr("List the radio backups made before writing; open one"));
    addCommand(cmd::ProgrammingStation, tr("Programming &Station..."))
        ->setStatusTip(tr("Write the image into many radios, on every cable at once"));
    addCommand(cmd::ProgrammingLog, tr("Programming &Log..."))
        ->setStatusTip(tr("Every write into a radio: when, where, what and the backup"));
    addCommand(cmd::NextPane, tr("Next Pane"), QKeySequence(Qt::Key_F6));
    addCommand(cmd::PrevPane, tr("Previous Pane"), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    // Menu 128 keeps its own About item: start-up renames only the item of the menu in use.
    m_pAbout128 = new QAction(tr("&About Program..."), this);
    m_pAbout128->setProperty("cmdId", cmd::AppAbout);
    m_pAbout128->setStatusTip(action(cmd::AppAbout)->statusTip());

    connect(action(cmd::FileNew), &QAction::triggered, this, &CMainFrame::fileNewRequested);
    connect(action(cmd::FileOpen), &QAction::triggered, this, &CMainFrame::fileOpenRequested);
    connect(action(cmd::FileClose), &QAction::triggered, this, &CMainFrame::OnFileClose);
    connect(action(cmd::FileSave), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(action(cmd::FileSaveAs), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(
        action(cmd::FilePrintSetup), &QAction::triggered, this, [this] { OnFilePrintSetup(this); });
    connect(action(cmd::AppExit), &QAction::triggered, this, &QWidget::close);
    connect(action(cmd::ProductInfo), &QAction::triggered, this, &CMainFrame::OnProductInfo);
    connect(action(cmd::ChannelInfo), &QAction::triggered, this, &CMainFrame::OnChannelInfo);
    connect(
        action(cmd::OptionalFeatures), &QAction::triggered, this, &CMainFrame::OnOptionalFeatures);
    connect(action(cmd::ControlBar), &QAction::triggered, this, &CMainFrame::OnViewControlBar);
    connect(action(cmd::AppAbout), &QAction::triggered, this, &CMainFrame::aboutRequested);
    connect(m_pAbout128, &QAction::triggered, this, &CMainFrame::aboutRequested);
    connect(action(cmd::NextPane), &QAction::triggered, this, [this] { OnNextPane(false); });
    connect(action(cmd::PrevPane), &QAction::triggered, this, [this] { OnNextPane(true); });
    connect(action(cmd::CompareWith), &QAction::triggered, this, [this] { OnCompareWith(); });
    connect(action(cmd::WriteOptions), &QAction::triggered, this, [this] { OnWriteOptions(); });
    connect(action(cmd::Backups), &QAction::triggered, this, [this] { OnBackups(); });
    connect(action(cmd::ProgrammingStation), &QAction::triggered, this,
        [this] { OnProgrammingStation(); });
    connect(action(cmd::ProgrammingLog), &QAction::triggered, this, [this] { OnProgrammingLog(); });
    forwardToView(cmd::Read, &CProgramView::OnRead);
    forwardToView(cmd::Write, &CProgramView::OnWrite);
    forwardToView(cmd::ScanInfo, &CProgramView::OnScanInfo);
    forwardToView(cmd::CheckChannels, &CProgramView::OnCheckChannels);
    forwardToView(cmd::ComSetup, &CProgramView::OnComSetup);
    forwardToView(cmd::Language, &CProgramView::OnLanguage);
    forwardToView(cmd::FilePrint, &CProgramView::OnFilePrint);
    forwardToView(cmd::FilePrintPreview, &CProgramView::OnFilePrintPreview);
    forwardToView(cmd::ExportPdf, &CProgramView::OnExportPdf);
    forwardToView(cmd::ExportChannels, &CProgramView::OnExportChannels);
    forwardToView(cmd::ImportChannels, &CProgramView::OnImportChannels);
    forwardToView(cmd::PrintChannelSheet, &CProgramView::OnPrintChannelSheet);
    forwardToView(cmd::ExportChannelSheetPdf, &CProgramView::OnExportChannelSheetPdf);
    // F6 and Shift+F6 work in every state, as their accelerators do.
    addAction(action(cmd::NextPane));
    addAction(action(cmd::PrevPane));
    createKeyboardActions();
    // Some shortcuts are set after their command's text.
    for (QAction *act : std::as_const(m_actions))
        RefreshCommandText(act);
}

QAction *CMainFrame::action(int commandId) const
{
    return m_actions.value(commandId, nullptr);
}

CChildFrame *CMainFrame::activeChildFrame() const
{
    if (auto *frame = qobject_cast<CChildFrame *>(m_pMDIClient->activeSubWindow()))
        return frame;
    // A hidden document window stays the active one, so Channel Information can show it.
    if (m_pLastActive && m_childFrames.contains(m_pLastActive.data()))
        return m_pLastActive.data();
    return m_childFrames.isEmpty() ? nullptr : m_childFrames.last();
}

CProgramView *CMainFrame::activeView() const
{
    CChildFrame *frame = activeChildFrame();
    return frame ? frame->view() : nullptr;
}

CProgramDoc *CMainFrame::activeDocument() const
{
    CChildFrame *frame = activeChildFrame();
    return frame ? frame->document() : nullptr;
}

void CMainFrame::setCaption(const QString &caption)
{
    m_strCaption = caption;
    setWindowTitle(caption);
}

CChildFrame *CMainFrame::createChildFrame(CProgramDoc *doc)
{
    auto *frame = new CChildFrame(doc);
    m_pMDIClient->addSubWindow(frame);
    m_childFrames.append(frame);
    m_pLastActive = frame;
    frame->show();
    frame->setGeometry(0, 0, 1600, 1200);
    m_pMDIClient->setActiveSubWindow(frame);
    updateFrameMenu();
    connectView(frame->view());
    frame->view()->OnInitialUpdate();
    return frame;
}

void CMainFrame::destroyChildFrame(CChildFrame *frame)
{
    if (!frame || !m_childFrames.contains(frame))
        return;
    if (frame->view())
        frame->view()->cancelTransferAndWait();
    m_childFrames.removeAll(frame);
    if (m_pLastActive == frame)
        m_pLastActive = nullptr;
    frame->hide();
    m_pMDIClient->removeSubWindow(frame);
    // Deferred: the request may come from inside the window's own event handling.
    frame->deleteLater();
    updateFrameMenu();
}

void CMainFrame::OnChannelInfo()
{
    if (CChildFrame *frame = activeChildFrame()) {
        frame->showNormal();
        m_pMDIClient->setActiveSubWindow(frame);
        frame->setFocus();
        return;
    }
    // With no document window the frame itself is the active frame.
    showNormal();
}

void CMainFrame::OnViewControlBar()
{
    const bool show = m_pNavBar->isHidden();
    m_pNavBar->setVisible(show);
    action(cmd::ControlBar)->setChecked(show);
}

void CMainFrame::OnSelChangedTree(bool byMouse)
{
    QTreeWidget *tree = m_pNavBar->tree();
    // The selected item decides: the one a click selected, or the one the arrow
    // keys moved to before Enter or Space.
    QTreeWidgetItem *item = tree->currentItem();
    const QString text = item ? item->text(0) : QString();
    if (byMouse) {
        // Back to the root, so the next click on the same item is a new selection. The
        // reset itself is not a user's choice and must not act again.
        const QSignalBlocker block(tree);
        tree->setCurrentItem(m_pNavBar->rootItem());
    }
    switch (NavCommandForText(text, g_bChinese)) {
    case NavCommand::ChannelInfo:
        OnChannelInfo();
        break;
    case NavCommand::OptionalFeatures:
        OnOptionalFeatures();
        break;
    case NavCommand::ProductInfo:
        OnProductInfo();
        break;
    case NavCommand::None:
        break;
    }
    if (!byMouse)
        return; // the keyboard user stays on the item chosen
    // The mouse press that raised this notification selects its item only after
    // we return; put the highlight back on the root once it has.
    QTimer::singleShot(0, this, [this] {
        QTreeWidget *t = m_pNavBar->tree();
        const QSignalBlocker block(t);
        t->setCurrentItem(m_pNavBar->rootItem());
    });
}

void CMainFrame::OnFileClose()
{
    if (CChildFrame *frame = activeChildFrame()) {
        frame->hide();
        // The focus must not stay in the hidden grid, where keys would do unseen things.
        focusVisiblePane();
    }
}

bool CMainFrame::OnFileSave()
{
    CProgramDoc *doc = activeDocument();
    if (!doc)
        return false;
    // A new document's path name is only a proposed name; ask where to save it.
    const QFileInfo target(doc->pathName());
    return saveDocument(doc, !(target.isFile() && target.isWritable()));
}

bool CMainFrame::OnFileSaveAs()
{
    CProgramDoc *doc = activeDocument();
    return doc ? saveDocument(doc, true) : false;
}

bool CMainFrame::saveDocument(CProgramDoc *doc, bool askName)
{
    QString path = doc->pathName();
    if (askName) {
        const QStringList type = LoadString(ids::DocumentType).split(QLatin1Char('\n'));
        const QString pattern = type.value(3, QStringLiteral("*.dat"));
        QFileDialog dialog(this);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters({ QStringLiteral("%1 (%1)").arg(pattern), tr("All Files (*)") });
        dialog.setDefaultSuffix(type.value(4, QStringLiteral(".dat")).mid(1));
        if (doc->isBackupCopy() || backupguard::IsInBackupFolder(path)) {
            // A backup copy is saved elsewhere: the dialog starts outside the backups folder.
            QString name = path.isEmpty() ? doc->title() : QFileInfo(path).completeBaseName();
            name.replace(QRegularExpression(QStringLiteral("[/:]")), QStringLiteral("-"));
            dialog.setDirectory(DialogStartFolder(DialogFileKind::Image, QString()));
            dialog.selectFile(name);
        } else if (!path.isEmpty() && !IsProgramFolder(QFileInfo(path).absolutePath())) {
            dialog.selectFile(path);
        } else {
            // A file of the program's own folders is never the place to save to.
            dialog.setDirectory(DialogStartFolder(DialogFileKind::Image, path));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
        RememberDialogFolder(DialogFileKind::Image, path);
    }
    QString error;
    if (!doc->OnSaveDocument(path, &error)) {
        AfxMessageBox(this, error, QMessageBox::Ok, MsgIcon::Exclamation);
        return false;
    }
    for (CChildFrame *frame : std::as_const(m_childFrames))
        if (frame->document() == doc)
            frame->updateTitle();
    return true;
}

void CMainFrame::WinHelp(int helpId)
{
    ShowHelp(this, helpId - 0x10000);
}

int CMainFrame::helpContextOfFocus() const
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (qobject_cast<CChildFrame *>(w))
            return ctx::HelpNumber(ctx::DocumentWindow);
    return ctx::HelpNumber(ctx::MainWindow);
}

void CMainFrame::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        WinHelp(helpContextOfFocus());
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (auto *menu = qobject_cast<QMenu *>(watched); menu && key->key() == Qt::Key_F1) {
            if (QAction *act = menu->activeAction(); act && act->property("cmdId").isValid()) {
                const int id = act->property("cmdId").toInt();
                menu->close();
                WinHelp(ctx::HelpNumber(id));
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowTitleChange:
        // A maximized document window would add its name; the frame's caption is the program's own.
        if (!m_strCaption.isNull() && windowTitle() != m_strCaption)
            setWindowTitle(m_strCaption);
        break;
    case QEvent::WindowActivate:
    case QEvent::KeyRelease:
        updateIndicators();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    // Closing or quitting asks about unsaved changes first; Cancel keeps everything.
    const bool asked = m_bSavePromptDone;
    m_bSavePromptDone = false;
    if (!asked && !maybeSaveAllDocuments()) {
        event->ignore();
        return;
    }
    // Radios being programmed at the station are stopped only when the user says so.
    if (m_station && !m_station->askToStop()) {
        event->ignore();
        return;
    }
    if (m_station)
        m_station->cancelAllAndWait();
    for (CChildFrame *frame : std::as_const(m_childFrames))
        if (frame->view())
            frame->view()->cancelTransferAndWait();
    event->accept();
}
