// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The write's face in the window: the step in the Process window, the compare
// window before the write, and the ending told to the user with the offer to
// open the backup. None of them waits in a loop of its own.

#include "core/link/RadioWrite.h"

#include <functional>

class CProcessDlg;
class QDialog;
class QObject;
class QWidget;

/// Shows label ("Backup 1/3") in the Process window above its bar and in its title.
void ShowTransferStep(CProcessDlg *dlg, const QString &label);
/// Shows the write's changes in the compare window (application-modal) and returns at once;
/// done(true) when the user chose Write (or Write anyway). Gone with context, without done.
QDialog *AskWriteChanges(QWidget *parent, const QList<ImageDifference> &changes, QObject *context,
    std::function<void(bool)> done);
/// Tells the user how a write ended (parent's main window shows a success in its status bar);
/// after a failed write or verify offers to open the backup.
void ReportRadioWrite(QWidget *parent, const RadioWriteReport &report);
