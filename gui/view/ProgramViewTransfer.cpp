// SPDX-License-Identifier: GPL-3.0-or-later
// Program > Read, Program > Write and the transfer they start.
#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "core/link/CloneSession.h"
#include "core/link/PortProbe.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/RadioRead.h"
#include "core/link/TransferJob.h"
#include "core/plan/ChannelPlanCheck.h"
#include "core/settings/WriteSettings.h"
#include "core/station/RadioProgramming.h"
#include "gui/shell/MessageBox.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/transfer/WriteWindow.h"
#include "gui/view/ProgramView.h"

#include <memory>

namespace {

/// How a read ended, or that a transfer was cancelled, in a line for the status bar.
QString TransferEndText(TransferOutcome outcome)
{
    if (outcome == TransferOutcome::Cancelled)
        return LanguageText("The transfer was cancelled.", "传输已取消。");
    return outcome == TransferOutcome::Succeeded
        ? LanguageText("The radio was read.", "已读取对讲机。")
        : LanguageText("The read failed.", "读频失败。");
}

/// What a transfer leaves for its window: written by the worker, read once the job finished.
struct TransferRun
{
    TransferDirection direction = TransferDirection::Read;
    /// A read lands here first; a write sends it.
    MemoryImage working;
    RadioWriteReport written;
    RadioReadReport read;
    TransferOutcome outcome = TransferOutcome::Cancelled;
    /// The write's record for the programming log, begun on the window's thread.
    ProgrammingRecord record;
    QString logPath;
    /// Why the record could not be logged, "" when it was.
    QString logError;
};

/// Shows message stringId of a transfer (reason beneath it) and hands the answer to job.
void AskTransferMessage(CTransferJob *job, int stringId, const QString &reason)
{
    const bool retry = stringId == ids::CommError;
    QString text = LoadString(stringId);
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    // No parent: the Process window may be destroyed while the box is up. The box goes
    // with the job.
    AfxMessageBoxAsync(
        nullptr, text, retry ? (QMessageBox::Retry | QMessageBox::Cancel) : QMessageBox::Ok,
        MsgIcon::None, QString(),
        [job, retry](QMessageBox::StandardButton pressed) {
            if (!retry)
                job->answer(MessageAnswer::Ok);
            else
                job->answer(
                    pressed == QMessageBox::Retry ? MessageAnswer::Retry : MessageAnswer::Cancel);
        },
        job);
}

} // namespace

void CProgramView::OnRead()
{
    m_bWrite = 0;
    if (!m_pProcessDlg)
        m_pProcessDlg = new CProcessDlg(this);
    m_pProcessDlg->m_strCaption = LanguageText("Read Data", "读数据");
    if (!m_pProcessDlg->hasWindow()) {
        m_pProcessDlg->Create();
        m_pProcessDlg->SetRange(0, RadioReadProgressSteps(LoadWriteOptions().readTwice));
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
    // The cell editor's message box handles events: the window may be closed meanwhile.
    const QPointer<CProgramView> self(this);
    CommitCellEditor();
    if (!self || !m_bTransferRunning)
        return;

    auto run = std::make_shared<TransferRun>();
    run->direction = m_bWrite == 1 ? TransferDirection::Write : TransferDirection::Read;
    if (run->direction == TransferDirection::Write)
        GridToImage();
    // A read lands in a copy first: the document changes only once every block
    // arrived, so a failed or cancelled read leaves document and grid as they were.
    run->working = m_pDoc->m_image;
    // Resolved here: Program.ini is read on this thread only.
    const QString device = DevicePathOfPort(m_strPort);
    // A write backs the radio up, shows the changes and verifies, as the user chose.
    const RadioWriteOptions options = LoadWriteOptions();
    m_pProcessDlg->SetRange(0,
        run->direction == TransferDirection::Write ? RadioWriteProgressSteps(options)
                                                   : RadioReadProgressSteps(options.readTwice));
    const Language language = CurrentLanguage();
    if (run->direction == TransferDirection::Write) {
        run->record
            = BeginProgrammingRecord(m_strPort, m_pDoc->pathName(), run->working, OperatorName());
        run->logPath = DefaultProgrammingLogPath();
    }
    // The plan check runs on what is about to be written; its findings go with the question.
    const QList<PlanFinding> findings = run->direction == TransferDirection::Write
        ? CheckBeforeWrite(run->working, LoadPlanRegion()).findings
        : QList<PlanFinding>();

    // A child of this view: it cannot outlive it, and what it posted goes with it.
    auto *job = new CTransferJob(
        [run, device, options, language](CTransferUi &ui) {
            CPosixSerialLine line;
            if (run->direction == TransferDirection::Write) {
                // The record names the device this window resolved for its port.
                run->record.device = device;
                const RadioProgramming done
                    = ProgramRadio(line, run->record, run->working, options, ui, language);
                run->written = done.report;
                run->outcome = run->written.outcome;
                AppendProgrammingRecord(run->logPath, done.record, &run->logError);
            } else {
                run->read
                    = RunRadioRead(line, device, run->working, options.readTwice, ui, language);
                run->outcome = run->read.outcome;
            }
        },
        this);
    m_transferJob = job;
    connect(job, &CTransferJob::progressStepped, this, [this] {
        m_pProcessDlg->StepIt();
        m_pProcessDlg->SetPositionText(m_pProcessDlg->GetPos());
    });
    connect(job, &CTransferJob::progressExtended, m_pProcessDlg, &CProcessDlg::ExtendRange);
    connect(job, &CTransferJob::stepBegun, this,
        [this](const QString &label) { ShowTransferStep(m_pProcessDlg, label); });
    connect(job, &CTransferJob::messageAsked, this,
        [job](int stringId, const QString &reason) { AskTransferMessage(job, stringId, reason); });
    connect(job, &CTransferJob::writeConfirmAsked, this,
        [this, job, findings](const QList<ImageDifference> &changes) {
            AskWriteChanges(
                window(), changes, job, [job](bool write) { job->answerConfirm(write); }, findings);
        });
    connect(job, &CTransferJob::finished, this, [this, job, run] {
        m_transferJob = nullptr;
        job->deleteLater();
        if (run->direction == TransferDirection::Read
            && run->outcome == TransferOutcome::Succeeded) {
            // One undo step, so the image before the read can be had back.
            MemoryImage after = m_pDoc->m_image;
            CommitReadRanges(run->working, after);
            g_bNewImage = 0;
            m_pDoc->applyImageChange(after, LanguageText("Read from Radio", "从电台读取"));
            ImageToGrid();
        }
        m_pProcessDlg->DestroyWindow();
        m_bTransferRunning = false;
        // The end of a read, and a cancel, are told in the status bar, which a screen reader
        // hears; a write's result is reported below, failures also in their own boxes.
        if (run->direction == TransferDirection::Read || run->outcome == TransferOutcome::Cancelled)
            emit statusMessage(TransferEndText(run->outcome), 10000);
        // Reads that disagreed are told, whether a third read settled them or not.
        if (const QString said = RadioReadMessage(run->read, CurrentLanguage()); !said.isEmpty())
            AfxMessageBoxAsync(
                window(), said, QMessageBox::Ok, MsgIcon::Exclamation, QString(), [](auto) {});
        if (run->direction == TransferDirection::Write)
            ReportRadioWrite(window(), run->written,
                { [this](const QString &text, int ms) { emit statusMessage(text, ms); },
                    [self = QPointer<CProgramView>(this)](const QString &path) {
                        if (self)
                            emit self->openBackupRequested(path);
                    } });
        // Told apart from the write's result: the radio is as reported either way.
        if (!run->logError.isEmpty())
            AfxMessageBoxAsync(nullptr,
                LanguageText("The programming log could not be written (%1); the radio's "
                             "result is not affected.",
                    "无法写入编程记录（%1）；对讲机的结果不受影响。")
                    .arg(run->logError),
                QMessageBox::Ok, MsgIcon::Exclamation, QString(), {}, this);
    });
    connect(m_pProcessDlg, &CProcessDlg::cancelRequested, job, &CTransferJob::cancel);
    // Cancel pressed between OK and this start: the transfer begins cancelled.
    if (m_pProcessDlg->m_bCancel)
        job->cancel();
    // Without a backup read there is no compare window: the findings are asked about first.
    if (options.backup || findings.isEmpty()) {
        job->start();
        return;
    }
    AskWritePlan(window(), findings, job, [this, job](bool write) {
        if (write) {
            job->start();
            return;
        }
        m_transferJob = nullptr;
        job->deleteLater();
        m_pProcessDlg->DestroyWindow();
        m_bTransferRunning = false;
    });
}

bool CProgramView::isTransferRunning() const
{
    return m_bTransferRunning;
}

void CProgramView::cancelTransferAndWait()
{
    if (!m_bTransferRunning)
        return;
    m_pProcessDlg->m_bCancel = 1;
    // The job's worker sees the flag within a few milliseconds, wherever it waits, and
    // ends; with the job go its question box and what it posted, so nothing reaches the
    // view or document that are going away.
    delete m_transferJob.data();
    m_bTransferRunning = false;
    m_pProcessDlg->DestroyWindow();
}
