// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/transfer/WriteWindow.h"

#include "core/app/Globals.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/MessageBox.h"
#include "gui/transfer/ProcessDlg.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProgressBar>

void ShowTransferStep(CProcessDlg *dlg, const QString &label)
{
    QDialog *window = dlg ? dlg->window() : nullptr;
    if (!window)
        return;
    auto *text = window->findChild<QLabel *>(QStringLiteral("stepLabel"));
    if (!text) {
        text = new QLabel(window);
        text->setObjectName(QStringLiteral("stepLabel"));
        text->setAlignment(Qt::AlignCenter);
        // Its text is its name (read as it changes); what it is, is the description.
        text->setAccessibleDescription(LanguageText("Step", "步骤"));
        if (auto *box = qobject_cast<QBoxLayout *>(window->layout()))
            box->insertWidget(0, text);
    }
    text->setText(label);
    // The step is spoken where the listener is: the window's title, the step text
    // and the bar's description all change together.
    AnnounceValue(text, label);
    if (dlg->m_ctlProgress)
        dlg->m_ctlProgress->setAccessibleDescription(label);
    window->setWindowTitle(QStringLiteral("%1 - %2").arg(dlg->m_strCaption, label));
}

namespace {

QDialog *AskWithCompareWindow(CCompareDlg *dlg, QObject *context, std::function<void(bool)> done)
{
    dlg->setAttribute(Qt::WA_DeleteOnClose, false);
    // As modal as exec() makes it, but the window's event loop goes on.
    dlg->setWindowModality(Qt::ApplicationModal);
    QObject::connect(dlg, &QDialog::finished, context, [dlg, done](int result) {
        dlg->deleteLater();
        done(result == QDialog::Accepted);
    });
    QObject::connect(context, &QObject::destroyed, dlg, [dlg] {
        dlg->hide();
        dlg->deleteLater();
    });
    dlg->show();
    return dlg;
}

} // namespace

QDialog *AskWriteChanges(QWidget *parent, const QList<ImageDifference> &changes, QObject *context,
    std::function<void(bool)> done, const QList<PlanFinding> &findings)
{
    return AskWithCompareWindow(
        CCompareDlg::forWrite(changes, parent, findings), context, std::move(done));
}

QDialog *AskWritePlan(QWidget *parent, const QList<PlanFinding> &findings, QObject *context,
    std::function<void(bool)> done)
{
    return AskWithCompareWindow(CCompareDlg::forPlan(findings, parent), context, std::move(done));
}

void ReportRadioWrite(
    QWidget *parent, const RadioWriteReport &report, const WriteReportActions &actions)
{
    const Language lang = CurrentLanguage();
    if (report.stage == RadioWriteStage::Done) {
        if (actions.showStatus) {
            QString done = report.backupPath.isEmpty()
                ? LanguageText("The radio was written.", "对讲机已写入。")
                : LanguageText("The radio was written. Backup: %1", "对讲机已写入。备份：%1")
                      .arg(QDir::toNativeSeparators(report.backupPath));
            // The check cannot see what no read fetches: say so rather than claim it.
            if (report.verified)
                done += QLatin1Char(' ') + UnverifiedBytesNote(lang);
            actions.showStatus(done, 15000);
        }
        // A read the line garbled on the way is worth a word, though the write stands.
        if (const QString note = RadioWriteMessage(report, lang); !note.isEmpty())
            AfxMessageBoxAsync(
                parent, note, QMessageBox::Ok, MsgIcon::Exclamation, QString(), [](auto) {});
        return;
    }
    const QString message = RadioWriteMessage(report, lang);
    if (message.isEmpty())
        return;
    const bool offer = !report.backupPath.isEmpty()
        && (report.stage == RadioWriteStage::Write || report.stage == RadioWriteStage::Verify);
    if (!offer) {
        AfxMessageBoxAsync(
            parent, message, QMessageBox::Ok, MsgIcon::Exclamation, QString(), [](auto) {});
        return;
    }
    const QString question = message + QStringLiteral("\n\n")
        + LanguageText("Open the backup now? You can then write it back with Program > Write.",
            "现在打开备份吗？打开后可用“编程 > 写频”把它写回对讲机。");
    const QString backup = report.backupPath;
    AfxMessageBoxAsync(parent, question, QMessageBox::Yes | QMessageBox::No, MsgIcon::Exclamation,
        QString(), [backup, open = actions.openBackup](QMessageBox::StandardButton pressed) {
            if (pressed == QMessageBox::Yes && open)
                open(backup);
        });
}
