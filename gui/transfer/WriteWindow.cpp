// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/transfer/WriteWindow.h"

#include "core/app/Globals.h"
#include "gui/dialogs/BackupsDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MessageBox.h"
#include "gui/transfer/ProcessDlg.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QStatusBar>

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
        if (auto *box = qobject_cast<QBoxLayout *>(window->layout()))
            box->insertWidget(0, text);
    }
    text->setText(label);
    window->setWindowTitle(QStringLiteral("%1 - %2").arg(dlg->m_strCaption, label));
}

void ReportRadioWrite(QWidget *parent, const RadioWriteReport &report)
{
    const Language lang = CurrentLanguage();
    if (report.stage == RadioWriteStage::Done) {
        if (CMainFrame *frame = CMainFrame::instance()) {
            const QString done = report.backupPath.isEmpty()
                ? LanguageText("The radio was written.", "对讲机已写入。")
                : LanguageText("The radio was written. Backup: %1", "对讲机已写入。备份：%1")
                      .arg(QDir::toNativeSeparators(report.backupPath));
            frame->statusBar()->showMessage(done, 15000);
        }
        return;
    }
    const QString message = RadioWriteMessage(report, lang);
    if (message.isEmpty())
        return;
    const bool offer = !report.backupPath.isEmpty()
        && (report.stage == RadioWriteStage::Write || report.stage == RadioWriteStage::Verify);
    if (!offer) {
        AfxMessageBox(parent, message, QMessageBox::Ok, MsgIcon::Exclamation);
        return;
    }
    const QString question = message + QStringLiteral("\n\n")
        + LanguageText("Open the backup now? You can then write it back with Program > Write.",
            "现在打开备份吗？打开后可用“编程 > 写频”把它写回对讲机。");
    if (AfxMessageBox(parent, question, QMessageBox::Yes | QMessageBox::No, MsgIcon::Exclamation)
        == QMessageBox::Yes)
        OpenBackupDocument(report.backupPath);
}
