// Program > Read, Program > Write and the transfer they start.
#include "dialogs/CompareDlg.h"
#include "doc/ProgramDoc.h"
#include "editor/ProgramView.h"
#include "link/CloneSession.h"
#include "link/PosixSerialLine.h"
#include "link/ProcessDlg.h"
#include "link/WriteSettings.h"
#include "link/WriteWindow.h"
#include "shell/Globals.h"
#include "shell/MainFrame.h"
#include "shell/MessageBox.h"
#include "shell/StringTable.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

namespace {

/// The transfer's face in the window: message boxes, the Process window, the event pump.
class CWindowTransferUi : public CTransferUi
{
public:
    explicit CWindowTransferUi(CProgramView *view)
        : m_view(view)
    {
    }

    MessageAnswer showMessage(int stringId) override
    {
        if (!m_view)
            return MessageAnswer::Cancel;
        const bool retry = stringId == ids::CommError;
        // No parent: the Process window may be destroyed while the box is up.
        const QMessageBox::StandardButton pressed = AfxMessageBox(nullptr, LoadString(stringId),
            retry ? (QMessageBox::Retry | QMessageBox::Cancel) : QMessageBox::Ok);
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

    bool pumpAndTest(int passes, int waitMs) override
    {
        for (int i = 0; i < passes; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            CProcessDlg *dlg = dialog();
            if (!dlg || dlg->m_bCancel)
                return true;
            if (waitMs > 0)
                QThread::msleep(static_cast<unsigned long>(waitMs));
        }
        return false;
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
    m_pProcessDlg->m_strCaption = Tr2("Read Data", "读数据");
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
    m_pProcessDlg->m_strCaption = Tr2("Write Data", "写数据");
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
    CPosixSerialLine line;
    CWindowTransferUi ui(this);
    // A write backs the radio up, shows the changes and verifies, as the user chose.
    RadioWriteReport written;
    TransferOutcome outcome;
    if (direction == TransferDirection::Write) {
        const RadioWriteOptions options = LoadWriteOptions();
        m_pProcessDlg->SetRange(0, RadioWriteProgressSteps(options));
        written = RunRadioWrite(line, m_strPort, working, options, ui, CurrentLanguage());
        outcome = written.outcome;
    } else {
        outcome = RunTransfer(line, m_strPort, direction, working, ui);
    }

    // The events pumped during the transfer may have closed this view or its document.
    if (!self)
        return;
    if (doc && direction == TransferDirection::Read && outcome == TransferOutcome::Succeeded) {
        CommitReadRanges(working, doc->m_image);
        g_bNewImage = 0;
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
    // There is one thread, so the running transfer sits below this call, inside
    // its pump. Raising the flag ends it at that pump's very next test: it then
    // only closes its own port and, the view being gone, touches nothing else.
    m_pProcessDlg->m_bCancel = 1;
    m_pProcessDlg->DestroyWindow();
}
