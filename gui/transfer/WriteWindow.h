// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The write's face in the window: the step in the Process window, and the
// ending told to the user with the offer to open the backup.

#include "core/link/RadioWrite.h"

class CProcessDlg;
class QWidget;

/// Shows label ("Backup 1/3") in the Process window above its bar and in its title.
void ShowTransferStep(CProcessDlg *dlg, const QString &label);
/// Tells the user how a write ended; after a failed write or verify offers to open the backup.
void ReportRadioWrite(QWidget *parent, const RadioWriteReport &report);
