// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class QPrinter;

/// File > Print Setup (57606): page set-up of the process-wide printer.
void OnFilePrintSetup(QWidget *parent);
/// The process-wide printer that Print, Preview and Print Setup share.
QPrinter &SharedPrinter();
/// Puts the paper chosen in Print Setup back on printer (a print dialog resets it to the
/// queue's default); nothing when Print Setup was not used.
void ApplyChosenPaper(QPrinter &printer);
