// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report as a PDF file, shared by File > Export PDF and radioprog-cli report.

#include "core/report/ReportLayout.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

/// A4 portrait with quarter-inch margins, like a printer's printable area.
QPageLayout DefaultReportPageLayout();
/// Resolution of the exported file, in dots per inch.
constexpr int ReportPdfResolution = 300;

/// Writes every page of the report to path (replaced only when complete); false with error set.
bool WriteReportPdf(const QString &path, const ReportInput &input, const QPageLayout &layout,
    int dpi, QString *error = nullptr);

/// Paints pages with paint into a PDF in memory, then writes it to path as a whole (a
/// half-written file never replaces a good one); false with error set.
bool WritePdfFile(const QString &path, const QPageLayout &layout, int dpi, const QString &title,
    const std::function<void(QPainter &, QPagedPaintDevice *)> &paint, QString *error = nullptr);
