// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report of a document as its view shows it, taken at the moment of printing.

#include "core/report/ReportLayout.h"

#include <QString>

class CProgramDoc;
class QPrinter;

/// The report of image with the channels as the grid shows them (table), with the owner text
/// and language of the running program.
ReportInput ViewReportInput(const MemoryImage &image, const ChannelTable &table);
/// Prints pages from..to (clamped) of input on printer; false when the printer cannot start.
bool PrintReportOn(QPrinter &printer, const ReportInput &input, int from, int to);
/// Writes input's report to a PDF at path on the paper chosen in Print Setup; false with error.
bool ExportViewReportPdf(const ReportInput &input, const QString &path, QString *error = nullptr);
/// Suggested file name of doc's PDF export: next to the opened file, or named after the title.
QString DefaultReportPdfPath(const CProgramDoc &doc);
