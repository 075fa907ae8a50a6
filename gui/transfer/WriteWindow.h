// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The write's face in the window: the step in the Process window, the compare
// window before the write, and the ending told to the user with the offer to
// open the backup. None of them waits in a loop of its own.

#include "core/link/RadioWrite.h"
#include "core/plan/PlanFinding.h"

#include <functional>

class CProcessDlg;
class QDialog;
class QObject;
class QWidget;

/// Shows label ("Backup 1/3") in the Process window above its bar and in its title.
void ShowTransferStep(CProcessDlg *dlg, const QString &label);
/// Shows the write's changes in the compare window (application-modal) and returns at once;
/// done(true) when the user chose Write (or Write anyway). Gone with context, without done.
/// The plan check's findings show above the changes; with errors, Write asks once more.
QDialog *AskWriteChanges(QWidget *parent, const QList<ImageDifference> &changes, QObject *context,
    std::function<void(bool)> done, const QList<PlanFinding> &findings = {});
/// Before a write without a backup read: the plan check's findings alone, asked as above.
QDialog *AskWritePlan(QWidget *parent, const QList<PlanFinding> &findings, QObject *context,
    std::function<void(bool)> done);
/// What the ending of a write may ask of the window that started it.
struct WriteReportActions
{
    /// Shows a success in the status bar for timeoutMs.
    std::function<void(const QString &text, int timeoutMs)> showStatus;
    /// Opens the backup file at path as a document (the user accepted the offer).
    std::function<void(const QString &path)> openBackup;
};

/// Tells the user how a write ended (a success in the status bar); after a failed write or
/// verify offers to open the backup.
void ReportRadioWrite(
    QWidget *parent, const RadioWriteReport &report, const WriteReportActions &actions);
