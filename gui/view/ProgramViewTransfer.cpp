// SPDX-License-Identifier: GPL-3.0-or-later
// Program > Read, Program > Write and the transfer they start.
#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "core/link/CloneSession.h"
#include "core/link/PortProbe.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/TransferThread.h"
#include "core/settings/WriteSettings.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MessageBox.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/transfer/WriteWindow.h"
#include "gui/view/ProgramView.h"

#include <QPointer>

namespace {

/// The transfer's face in the window: message boxes, the Process window, the cancel flag.
/// Used on the window's thread only; the transfer reaches it through RunOnWorkerThread.
class CWindowTransferUi : public CTransferUi
{
public:
    explicit CWindowTransferUi(CProgramView *view)
        : m_view(view)
    {
    }

    MessageAnswer showMessage(int stringId) override
    {
        return showMessageWithReason(stringId, QString());
    }

    MessageAnswer showMessageWithReason(int stringId, const QString &reason) override
    {
        if (!m_view)
            return MessageAnswer::Cancel;
        const bool retry = stringId == ids::CommError;
        QString text = LoadString(stringId);
        if (!reason.isEmpty())
            text += QStringLiteral("\n\n") + reason;
        // No parent: the Process window may be destroyed while the box is up.
        const QMessageBox::StandardButton pressed = AfxMessageBox(
            nullptr, text, retry ? (QMessageBox::Retry | QMessageBox::Cancel) : QMessageBox::Ok);
        if (!retry)
            return MessageAnswer::Ok;
        return pressed == QMessageBox::Retry ? MessageAnswer::Retry : MessageAnswer::Cancel;
    }

    void stepProgress() override
    {
        if (CProcessDlg *dlg = dialog()) {
            dlg->StepIt();
            dlg->SetPositionText(dlg->GetPos());
        }
    }

    bool pumpAndTest(int, int) override
    {
        // The worker thread pumps; this thread's events are handled by its own loop.
        return isCancelled();
    }

    bool isCancelled() override
    {
        CProcessDlg *dlg = dialog();
        return !dlg || dlg->m_bCancel;
    }

    void beginStep(const QString &label) override { ShowTransferStep(dialog(), label); }

    bool confirmWrite(const QList<ImageDifference> &changes) override
    {
        return m_view && ConfirmWriteChanges(CMainFrame::instance(), changes);
    }

private:
    CProcessDlg *dialog() const { return m_view ? m_view->m_pProcessDlg : nullptr; }

    QPointer<CProgramView> m_view;
};

} // namespace

void CProgramView::OnRead()
{
    m_bWrite = 0;
    if (!m_pProcessDlg)
        m_pProcessDlg = new CProcessDlg(this);
    m_pProcessDlg->m_strCaption = LanguageText("Read Data", "读数据");
    if (!m_pProcessDlg->hasWindow()) {
        m_pProcessDlg->Create();
        m_pProcessDlg->SetRange(0, TransferProgressSteps(TransferDirection::Read));
        m_pProcessDlg->ShowCentered();
    }
}

void CProgramView::OnWrite()
{
    m_bWrite = 1;
    CommitCellEditor();
    if (!m_pProcessDlg)
        m_pProcessDlg = new CProcessDlg(this);
    m_pProcessDlg->m_strCaption = LanguageText("Write Data", "写数据");
    if (!m_pProcessDlg->hasWindow()) {
        m_pProcessDlg->Create();
        m_pProcessDlg->SetRange(0, RadioWriteProgressSteps(LoadWriteOptions()));
        m_pProcessDlg->ShowCentered();
    }
}

void CProgramView::OnTransfer()
{
    // One window starts at most one transfer; a stray second message is ignored.
    if (m_bTransferRunning || !m_pProcessDlg || !m_pProcessDlg->hasWindow())
        return;
    m_bTransferRunning = true;
    const QPointer<CProgramView> self(this);
    const QPointer<CProgramDoc> doc(m_pDoc);

    CommitCellEditor();
    if (!self || !doc)
        return;
    const TransferDirection direction
        = m_bWrite == 1 ? TransferDirection::Write : TransferDirection::Read;
    if (direction == TransferDirection::Write)
        GridToImage();

    // A read lands in a copy first: the document changes only once every block
    // arrived, so a failed or cancelled read leaves document and grid as they were.
    MemoryImage working = doc->m_image;
    // Resolved here: Program.ini is read on this thread only.
    const QString device = DevicePathOfPort(m_strPort);
    CWindowTransferUi ui(this);
    // A write backs the radio up, shows the changes and verifies, as the user chose.
    RadioWriteReport written;
    TransferOutcome outcome = TransferOutcome::Cancelled;
    const RadioWriteOptions options = LoadWriteOptions();
    if (direction == TransferDirection::Write)
        m_pProcessDlg->SetRange(0, RadioWriteProgressSteps(options));
    const Language language = CurrentLanguage();
    RunOnWorkerThread(
        [&](CTransferUi &workerUi) {
            CPosixSerialLine line;
            if (direction == TransferDirection::Write) {
                written = RunRadioWrite(line, device, working, options, workerUi, language);
                outcome = written.outcome;
            } else {
                outcome = RunTransfer(line, device, direction, working, workerUi);
            }
        },
        ui);

    // The events handled during the transfer may have closed this view or its document.
    if (!self)
        return;
    if (doc && direction == TransferDirection::Read && outcome == TransferOutcome::Succeeded) {
        // One undo step, so the image before the read can be had back.
        MemoryImage after = doc->m_image;
        CommitReadRanges(working, after);
        g_bNewImage = 0;
        doc->applyImageChange(after, LanguageText("Read from Radio", "从电台读取"));
        ImageToGrid();
    }
    m_pProcessDlg->DestroyWindow();
    m_bTransferRunning = false;
    if (direction == TransferDirection::Write)
        ReportRadioWrite(CMainFrame::instance(), written);
}

bool CProgramView::isTransferRunning() const
{
    return m_bTransferRunning;
}

void CProgramView::cancelTransferAndWait()
{
    if (!m_bTransferRunning || !m_pProcessDlg)
        return;
    // The transfer's worker sees the flag within a few milliseconds, wherever it
    // waits, and ends; OnTransfer, below this call on the stack, then returns
    // without touching the view or document that are going away.
    m_pProcessDlg->m_bCancel = 1;
    m_pProcessDlg->DestroyWindow();
}
