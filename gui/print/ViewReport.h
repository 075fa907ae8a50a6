// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report of the document shown in a view, taken at the moment of printing.

#include "core/report/ReportLayout.h"

#include <QString>

class CProgramView;
class QPrinter;

/// Image, grid texts, owner text and language of view's report; recounts view's used channels.
ReportInput ViewReportInput(CProgramView *view);
/// Prints pages from..to (clamped) of input on printer; false when the printer cannot start.
bool PrintReportOn(QPrinter &printer, const ReportInput &input, int from, int to);
/// Writes view's report to a PDF at path on the paper chosen in Print Setup; false with error.
bool ExportViewReportPdf(CProgramView *view, const QString &path, QString *error = nullptr);
/// Suggested file name of the PDF export: next to the opened file, or named after the title.
QString DefaultReportPdfPath(CProgramView *view);
