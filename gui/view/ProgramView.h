// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document window's content: the channel grid and the commands of the
// view. Its member functions are defined by the part they belong to:
//   ProgramView.cpp            grid set-up, image <-> grid, cell editors
//   ProgramViewEditing.cpp     Edit menu: clipboard, undo, channel operations
//   ProgramViewTransfer.cpp    Program > Read / Write and the transfer
//   ProgramViewDialogs.cpp     Scan Info, COM Setup, Language
//   ProgramViewChannelList.cpp File > Export / Import Channels
//   ProgramViewPrint.cpp       Print, Print Preview, Export PDF
//   ProgramViewSheet.cpp       the channel sheet
//   ProgramViewPlan.cpp        Program > Check Channels..., the grid's finding marks

#include "core/channels/ChannelTable.h"
#include "core/channels/GridEditing.h"
#include "gui/dialogs/PlanCheckDlg.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class CProgramDoc;
struct ChannelOpResult;
struct ReportInput;
class CProcessDlg;
class CTransferJob;
class CScanInfoDlg;
class CComSetupDlg;
class CLanguageDlg;
class CChannelGrid;
class QAction;
class QComboBox;
class QLineEdit;

/// The channel grid view of one document.
class CProgramView : public QWidget
{
    Q_OBJECT
public:
    /// A view of doc; the grid is set up by OnInitialUpdate.
    explicit CProgramView(CProgramDoc *doc, QWidget *parent = nullptr);
    ~CProgramView() override;

    /// The document shown.
    CProgramDoc *GetDocument() const { return m_pDoc; }

    // --- editor/ -------------------------------------------------------
    /// One-time grid set-up, then ImageToGrid.
    void OnInitialUpdate();
    /// Fills the grid from the image; syncs type/band with the per-user store; band limits; title.
    void ImageToGrid();
    /// Stores every grid row into the image and rebuilds the scan-add bytes.
    void GridToImage();
    /// Commits the visible cell editor; returns true when it showed a message.
    bool CommitCellEditor();
    /// The grid's current texts (rows 1..16 are the channels).
    ChannelTable table() const;
    /// The grid widget.
    CChannelGrid *grid() const;
    /// A copy of the document's image with the grid (and a value being typed) stored in it.
    MemoryImage ImageWithGrid();
    /// Refills the grid texts and band limits from the image after a change, an undo or a redo.
    void RefreshFromDocument();
    /// The selected value cells as one rectangle (the current cell when nothing is selected).
    CellRange selectedRange() const;
    /// Gives the keyboard to the current cell: its open editor, or a new one.
    void FocusCurrentCell();
    /// The commands the grid's context menu offers (the Edit menu's own; nullptr: a separator).
    void setGridMenuActions(const QList<QAction *> &actions);

    /// Lower band limit in 10 Hz units.
    int m_nBandLow = 0;
    /// Upper band limit in 10 Hz units.
    int m_nBandHigh = 0;

    // --- ProgramViewTransfer.cpp -----------------------------------------
    /// Port of the next transfer: "COM1" until COM Setup is confirmed.
    QString m_strPort = QStringLiteral("COM1");
    /// Direction of the next transfer: 0 read, 1 write.
    int m_bWrite = 0;
    /// The Process dialog object (created on first use, reused).
    CProcessDlg *m_pProcessDlg = nullptr;
    /// True from the start of a transfer until the window has taken its result.
    bool isTransferRunning() const;
    /// Cancels a running transfer and returns once it has ended (window or app closing).
    void cancelTransferAndWait();

    // --- ProgramViewDialogs.cpp ------------------------------------------
    CScanInfoDlg *m_dlgScanInfo = nullptr; ///< Created on first use.
    CComSetupDlg *m_dlgComSetup = nullptr; ///< Created on first use.
    CLanguageDlg *m_dlgLanguage = nullptr; ///< Created on first use.

    // --- ProgramViewPrint.cpp --------------------------------------------
    /// Used channels counted at the last print preparation.
    int m_nUsedChannels = 0;

public Q_SLOTS:
    /// Program > Read (32773).
    void OnRead();
    /// Program > Write (32774).
    void OnWrite();
    /// WM_TRANSFER: starts the transfer and returns; its job's signals drive the window.
    void OnTransfer();
    /// Program > Scan Info (32782).
    void OnScanInfo();
    /// Setup > Com Setup (32777).
    void OnComSetup();
    /// Setup > Language (32799).
    void OnLanguage();
    /// File > Print (57607).
    void OnFilePrint();
    /// File > Print Preview (57609).
    void OnFilePrintPreview();
    /// File > Export PDF...
    void OnExportPdf();
    /// File > Export Channels... (ProgramViewChannelList.cpp)
    void OnExportChannels();
    /// File > Import Channels...
    void OnImportChannels();
    /// File > Print Channel Sheet... (ProgramViewSheet.cpp)
    void OnPrintChannelSheet();
    /// File > Export Channel Sheet as PDF...
    void OnExportChannelSheetPdf();
    /// Program > Check Channels... (ProgramViewPlan.cpp): the findings in a window of their own.
    void OnCheckChannels();
    /// Checks the plan again: the grid's marks and the open Check Channels window.
    void RefreshPlanFindings();
    /// The Check Channels window, or nullptr before it was first opened.
    CPlanCheckDlg *planCheckWindow() const { return m_dlgPlanCheck; }

    // --- ProgramViewEditing.cpp -------------------------------------------
    /// Edit > Undo.
    void OnEditUndo();
    /// Edit > Redo.
    void OnEditRedo();
    /// Edit > Cut: copies the selection, then clears it.
    void OnEditCut();
    /// Edit > Copy: the selection as tab-separated text, whole rows also as raw records.
    void OnEditCopy();
    /// Edit > Paste: raw records when the clipboard has them, else text.
    void OnEditPaste();
    /// Edit > Delete: clears the selected cells.
    void OnEditClear();
    /// Edit > Insert Channel.
    void OnInsertChannel();
    /// Edit > Delete Channel.
    void OnDeleteChannel();
    /// Edit > Move Up.
    void OnMoveChannelUp();
    /// Edit > Move Down.
    void OnMoveChannelDown();
    /// Edit > Clear Channel.
    void OnClearChannel();

Q_SIGNALS:
    /// The main window's caption is now caption (the radio type and band of the image).
    void captionChanged(const QString &caption);
    /// A status-bar message, shown for timeoutMs (0: until replaced); an empty text clears it.
    void statusMessage(const QString &text, int timeoutMs);
    /// The view no longer stands by text: the status bar drops it if it still shows it.
    void statusMessageWithdrawn(const QString &text);
    /// The backup file at path is to be opened as a document in a window of its own.
    void openBackupRequested(const QString &path);
    /// The user chose another interface language (already in Program.ini): the program
    /// restarts in it once unsaved changes are settled, else Program.ini gets languageBefore back.
    void restartRequested(const QString &languageBefore);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CProgramDoc *m_pDoc;

    // --- private state of ProgramView.cpp ---------------------------------
    CChannelGrid *m_grid = nullptr;
    bool m_bFirstUpdate = true;
    QStringList m_toneList;
    Language m_lang = Language::English; // fixed at set-up, like the headers
    QLineEdit *m_editRx = nullptr;
    QLineEdit *m_editTx = nullptr;
    QComboBox *m_comboPower = nullptr;
    QComboBox *m_comboDecode = nullptr;
    QComboBox *m_comboEncode = nullptr;
    QComboBox *m_comboScanAdd = nullptr;
    QComboBox *m_comboBusyLock = nullptr;
    QComboBox *m_comboWidth = nullptr;
    QComboBox *m_comboCompand = nullptr;
    int m_editRow = 0; // cell the visible editor belongs to
    int m_editCol = 0;
    void CreateCellEditors();
    /// The editor of column col, made when the column is first edited.
    QWidget *GetCellEditor(int col);
    /// The editor of column col if it has been made; nullptr before.
    QWidget *ExistingCellEditor(int col) const;
    void OpenCellEditor();
    void ShowCellEditor(QWidget *editor);
    void HideCellEditors();
    void OnCurrentCellChanged(int row, int col);
    void OnMouseDownGrid();
    void OnEnterKey();
    void MoveByTab(bool backward);
    void LeaveGrid(bool backward);
    void OpenGridMenuAtCell();
    void ShowHelpForFocus();
    // ProgramViewEditing.cpp
    void ApplyChannelOp(const ChannelOpResult &result);
    void ApplyGridEdit(const GridEditResult &result, bool report);
    void ShowStatus(const QString &text);
    void ShowFrequencyHint();
    bool FilterEditorKey(QObject *watched, QEvent *event);
    void CancelCellEdit();
    QList<GridCell> selectedCells() const;
    void ShowGridMenu(const QPoint &pos);
    bool m_bStoringCommit = false; // the grid already shows what a commit stores
    QString m_typeAhead; // what was typed into the open list so far
    qint64 m_typeAheadAt = 0; // when the last key of it came (ms)
    QList<QPointer<QAction>> m_gridMenuActions; // null entries are separators
    // ProgramViewPrint.cpp
    ReportInput ReportOfGrid(); // also counts m_nUsedChannels

    // --- private state of ProgramViewPlan.cpp -----------------------------
    QPointer<CPlanCheckDlg> m_dlgPlanCheck;
    void GoToCell(int channel, int col);

    // --- private state of ProgramViewTransfer.cpp -------------------------
    bool m_bTransferRunning = false;
    QPointer<CTransferJob> m_transferJob; // a child of this view while it runs
};
