// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: menus, toolbar, status bar, navigation bar and the MDI area.

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

class CChildFrame;
class CProgramView;
class CStationWindow;
class CProgramDoc;
class COptionalFeaturesDlg;
class CProductInfoDlg;
class CNavBar;
class CMDIClientWnd;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QTreeWidgetItem;

/// The multiple-document main window.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    /// Creates the frame; the process has one.
    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    /// The main window of the process, or nullptr.
    static CMainFrame *instance();

    /// The active (or only) document window, or nullptr.
    CChildFrame *activeChildFrame() const;
    /// The view of the active document window, or nullptr.
    CProgramView *activeView() const;
    /// The document of the active document window, or nullptr.
    CProgramDoc *activeDocument() const;

    /// Sets the main window caption (g_strTitle is kept by the caller).
    void setCaption(const QString &caption);

    /// Every document window, hidden ones included.
    QList<CChildFrame *> childFrames() const { return m_childFrames; }
    /// Makes a document window for doc (taking ownership), shows it and runs the first update.
    CChildFrame *createChildFrame(CProgramDoc *doc);
    /// Destroys a document window and its document (any transfer is cancelled first).
    void destroyChildFrame(CChildFrame *frame);
    /// The action of a command id (menus and toolbar), or nullptr.
    QAction *action(int commandId) const;
    /// 128 while no document window exists, 129 while one does.
    int currentMenuId() const { return m_nMenuId; }
    /// The navigation bar.
    CNavBar *navBar() const { return m_pNavBar; }
    /// The MDI client area.
    CMDIClientWnd *mdiClient() const { return m_pMDIClient; }
    /// The toolbar.
    QToolBar *toolBar() const { return m_pToolBar; }
    /// The CAP, NUM and SCRL indicator panes.
    QList<QLabel *> indicators() const { return m_indicators; }
    /// Help request of the framework with help number helpId; shows context helpId - 0x10000.
    void WinHelp(int helpId);

    // --- MainFrameEdit.cpp -----------------------------------------------
    /// Asks "Save changes to NAME?" when doc has unsaved changes; true when the caller may go
    /// on (saved, discarded, or nothing to save), false on Cancel or a failed save.
    bool maybeSaveDocument(CProgramDoc *doc);
    /// maybeSaveDocument for every document; false as soon as one says stop.
    bool maybeSaveAllDocuments();
    /// The next close of the main window does not ask again (the caller has asked).
    void setSavePromptDone(bool done) { m_bSavePromptDone = done; }

    // --- MainFrameViews.cpp ----------------------------------------------
    /// Opens the file at path as a document in a window of its own, beside the open ones (the
    /// document being edited stays as it is); a file that cannot be read is reported, false.
    bool openBackupDocument(const QString &path);

    // --- MainFrameWrite.cpp ----------------------------------------------
    /// File > Compare With...: the active document (as its grid stands) against a .dat file.
    void OnCompareWith();
    /// Shows the comparison of the active document (as its grid stands) with the .dat file at path.
    void CompareWithFile(const QString &path);
    /// Setup > Options: the write protections and the backups folder.
    void OnWriteOptions();
    /// Program > Backups...: the backups, one of them opened as a document.
    void OnBackups();

    // --- MainFrameStation.cpp --------------------------------------------
    /// Program > Programming Station...: the active document's image onto many radios.
    void OnProgrammingStation();
    /// Program > Programming Log...: every write into a radio.
    void OnProgrammingLog();
    /// The open Programming Station window, nullptr when none.
    CStationWindow *stationWindow() const;

public Q_SLOTS:
    /// Edit > Product Information (32786); defined in MainFrameDialogs.cpp.
    void OnProductInfo();
    /// Edit > Optional Features (32788); defined in MainFrameDialogs.cpp.
    void OnOptionalFeatures();
    /// Edit > Channel Information (32787): shows the active document window in its normal state.
    void OnChannelInfo();
    /// View > Control Bar (32780): toggles the navigation bar.
    void OnViewControlBar();
    /// The tree's selected item was chosen (a click resets the selection to the root).
    void OnSelChangedTree(bool byMouse = true);
    /// File > Close (57602): hides the active document window.
    void OnFileClose();
    /// F6 / Shift+F6: the focus goes to the next (previous) pane: the navigation
    /// tree, then each shown document window.
    void OnNextPane(bool backward);
    /// File > Save (57603).
    bool OnFileSave();
    /// File > Save As (57604).
    bool OnFileSaveAs();

Q_SIGNALS:
    /// File > New was chosen (the application runs it).
    void fileNewRequested();
    /// File > Open was chosen (the application runs it).
    void fileOpenRequested();
    /// Help > About was chosen (the application runs it).
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnCreate();
    void connectView(CProgramView *view); // MainFrameViews.cpp
    void restartForLanguage(const QString &languageBefore);
    void createActions();
    void AddChannelListCommands(); // MainFrameChannels.cpp
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createNavBar();
    QAction *addCommand(int id, const QString &text, const QKeySequence &shortcut = {});
    void forwardToView(int id, void (CProgramView::*slot)());
    void updateFrameMenu();
    void updateIndicators();
    bool saveDocument(CProgramDoc *doc, bool askName);
    void createEditActions();
    void updateEditActions();
    void updateUndoTexts();
    void createKeyboardActions(); // MainFrameKeys.cpp
    void focusVisiblePane();
    QList<QMetaObject::Connection> m_editConnections;
    bool m_bSavePromptDone = false;
    int helpContextOfFocus() const;

    COptionalFeaturesDlg *m_dlgOptionalFeatures = nullptr;
    CProductInfoDlg *m_dlgProductInfo = nullptr;

    CMDIClientWnd *m_pMDIClient = nullptr;
    CNavBar *m_pNavBar = nullptr;
    QToolBar *m_pToolBar = nullptr;
    QList<QLabel *> m_indicators;
    QHash<int, QAction *> m_actions;
    QList<QMenu *> m_menus128;
    QList<QMenu *> m_menus129;
    QAction *m_pAbout128 = nullptr;
    int m_nMenuId = 0;
    QString m_strCaption;
    QList<CChildFrame *> m_childFrames;
    QPointer<CChildFrame> m_pLastActive;
    QPointer<CStationWindow> m_station;
};
