// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MainFrame.h"

#include "core/app/Globals.h"
#include "core/app/ShellRules.h"
#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/IniFile.h"
#include "gui/dialogs/BackupsDlg.h"
#include "gui/dialogs/WriteOptionsDlg.h"
#include "gui/print/PrintSetup.h"
#include "gui/shell/ChannelCommands.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/Help.h"
#include "gui/shell/MdiClient.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/NavBar.h"
#include "gui/shell/WriteCommands.h"
#include "gui/view/ProgramView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
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
    auto *act = new QAction(text, this);
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
    addCommand(ids::FileNew, tr("&New\tCtrl+N"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommand(ids::FileOpen, tr("&Open...\tCtrl+O"), QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(ids::FileClose, tr("&Close"));
    addCommand(ids::FileSave, tr("&Save\tCtrl+S"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(ids::FileSaveAs, tr("Save &As..."));
    addCommand(ids::FilePrint, tr("&Print...\tCtrl+P"), QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(ids::FilePrintPreview, tr("Print Pre&view"));
    QAction *pdf = addCommand(kExportPdfId, tr("Export P&DF..."));
    pdf->setStatusTip(tr("Save the report of the active document as a PDF file"));
    addCommand(ids::FilePrintSetup, tr("P&rint Setup..."));
    AddChannelListCommands();
    addCommand(ids::AppExit, tr("E&xit"));
    createEditActions();
    addCommand(32786, tr("&Product Information"));
    addCommand(32787, tr("&Channel Information"));
    addCommand(32788, tr("&Optional Features"));
    addCommand(ids::PromptRead, tr("&Read\tCtrl+R"), QKeySequence(Qt::CTRL | Qt::Key_R));
    addCommand(ids::PromptWrite, tr("&Write\tCtrl+W"), QKeySequence(Qt::CTRL | Qt::Key_W));
    addCommand(32782, tr("Scan Info"));
    addCommand(ids::ViewToolbar, tr("&Toolbar"))->setCheckable(true);
    addCommand(ids::ViewStatusBar, tr("&Status Bar"))->setCheckable(true);
    addCommand(32780, tr("&Control Bar"))->setCheckable(true);
    addCommand(32777, tr("&Com Setup"));
    addCommand(32799, tr("&Language"));
    addCommand(ids::AppAbout, tr("&About Program..."));
    addCommand(CompareWithCommand, tr("Co&mpare With..."))
        ->setStatusTip(tr("Compare the active document with a .dat file, field by field"));
    addCommand(WriteOptionsCommand, tr("&Options..."))
        ->setStatusTip(tr("Backup and verify around Program > Write"));
    addCommand(BackupsCommand, tr("&Backups..."))
        ->setStatusTip(tr("List the radio backups made before writing; open one"));
    addCommand(ids::NextPane, tr("Next Pane"), QKeySequence(Qt::Key_F6));
    addCommand(ids::PrevPane, tr("Previous Pane"), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    // Menu 128 keeps its own About item: start-up renames only the item of the menu in use.
    m_pAbout128 = new QAction(tr("&About Program..."), this);
    m_pAbout128->setProperty("cmdId", ids::AppAbout);
    m_pAbout128->setStatusTip(action(ids::AppAbout)->statusTip());

    connect(action(ids::FileNew), &QAction::triggered, this, &CMainFrame::fileNewRequested);
    connect(action(ids::FileOpen), &QAction::triggered, this, &CMainFrame::fileOpenRequested);
    connect(action(ids::FileClose), &QAction::triggered, this, &CMainFrame::OnFileClose);
    connect(action(ids::FileSave), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(action(ids::FileSaveAs), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(
        action(ids::FilePrintSetup), &QAction::triggered, this, [this] { OnFilePrintSetup(this); });
    connect(action(ids::AppExit), &QAction::triggered, this, &QWidget::close);
    connect(action(32786), &QAction::triggered, this, &CMainFrame::OnProductInfo);
    connect(action(32787), &QAction::triggered, this, &CMainFrame::OnChannelInfo);
    connect(action(32788), &QAction::triggered, this, &CMainFrame::OnOptionalFeatures);
    connect(action(32780), &QAction::triggered, this, &CMainFrame::OnViewControlBar);
    connect(action(ids::AppAbout), &QAction::triggered, this, &CMainFrame::aboutRequested);
    connect(m_pAbout128, &QAction::triggered, this, &CMainFrame::aboutRequested);
    connect(action(ids::NextPane), &QAction::triggered, this,
        [this] { m_pMDIClient->activateNextSubWindow(); });
    connect(action(ids::PrevPane), &QAction::triggered, this,
        [this] { m_pMDIClient->activatePreviousSubWindow(); });
    connect(action(CompareWithCommand), &QAction::triggered, this, [this] { OnCompareWith(this); });
    connect(
        action(WriteOptionsCommand), &QAction::triggered, this, [this] { OnWriteOptions(this); });
    connect(action(BackupsCommand), &QAction::triggered, this, [this] { OnBackups(this); });
    forwardToView(ids::PromptRead, &CProgramView::OnRead);
    forwardToView(ids::PromptWrite, &CProgramView::OnWrite);
    forwardToView(32782, &CProgramView::OnScanInfo);
    forwardToView(32777, &CProgramView::OnComSetup);
    forwardToView(32799, &CProgramView::OnLanguage);
    forwardToView(ids::FilePrint, &CProgramView::OnFilePrint);
    forwardToView(ids::FilePrintPreview, &CProgramView::OnFilePrintPreview);
    forwardToView(kExportPdfId, &CProgramView::OnExportPdf);
    forwardToView(ids::ExportChannels, &CProgramView::OnExportChannels);
    forwardToView(ids::ImportChannels, &CProgramView::OnImportChannels);
    forwardToView(ids::PrintChannelSheet, &CProgramView::OnPrintChannelSheet);
    forwardToView(ids::ExportChannelSheetPdf, &CProgramView::OnExportChannelSheetPdf);
    // F6 and Shift+F6 work in every state, as their accelerators do.
    addAction(action(ids::NextPane));
    addAction(action(ids::PrevPane));
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
    action(32780)->setChecked(show);
}

void CMainFrame::OnSelChangedTree()
{
    QTreeWidget *tree = m_pNavBar->tree();
    // The item under the mouse pointer decides, not the item that was selected.
    const QPoint pos = tree->viewport()->mapFromGlobal(QCursor::pos());
    QTreeWidgetItem *item = tree->viewport()->rect().contains(pos) ? tree->itemAt(pos) : nullptr;
    const QString text = item ? item->text(0) : QString();
    {
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
    if (CChildFrame *frame = activeChildFrame())
        frame->hide();
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
        if (!path.isEmpty())
            dialog.selectFile(path);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
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
    // Help numbers of windows: 0x20000 plus the window's resource id.
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (qobject_cast<CChildFrame *>(w))
            return 0x20000 + 129;
    return 0x20000 + 128;
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
                WinHelp(0x10000 + id);
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
    for (CChildFrame *frame : std::as_const(m_childFrames))
        if (frame->view())
            frame->view()->cancelTransferAndWait();
    event->accept();
}
