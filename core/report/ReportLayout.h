// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Layout of the printed report as drawing operations in twips (1/1440 inch).
//
// Coordinates: x grows to the right from the left edge of the printable
// area, y grows upwards from its top edge, so everything on the page has a
// y of 0 or less. Page frame, with W the column unit and L the large line:
//
//        5W                                         60W
//   y=-L1 │ title (large font)
//   -(2L+50)  ────────────────────────────────────────
//   -(2L+120) ────────────────────────────────────────
//         │ body (small font)
//   -36L+L/2  ────────────────────────────────────────
//   -36L      10W owner text          45W "Page p of n"

#include "core/app/Language.h"
#include "core/channels/ChannelTable.h"
#include "core/image/MemoryImage.h"

#include <QList>
#include <QString>
#include <QVector>

/// The two fonts of the report.
enum class ReportFont { Large, Small };

/// One drawing operation in twips.
struct ReportOp
{
    enum Kind { Text, Line };
    Kind kind = Text; ///< What to draw.
    int x = 0; ///< Text: left of the character cell; line: start x.
    int y = 0; ///< Text: top of the character cell; line: start y.
    int x2 = 0; ///< Line end x (lines only).
    int y2 = 0; ///< Line end y (lines only).
    ReportFont font = ReportFont::Small; ///< Font of a text.
    QString text; ///< The text (texts only).
};

/// A text at (x, y), the top left of its character cell, in font.
ReportOp TextOp(int x, int y, const QString &text, ReportFont font = ReportFont::Small);
/// A line from (x, y) to (x2, y2).
ReportOp LineOp(int x, int y, int x2, int y2);

/// Units of one page in twips: font sizes and line heights.
struct ReportMetrics
{
    int h = 0; ///< Em height of the large font (a 45th of the page height).
    int w = 0; ///< Column unit and the large font's average width (a 66th of the page width).
    int l1 = 0; ///< Line height of the large font on the device.
    int l2 = 0; ///< Line height of the small font on the device.
};

/// Em height and average character width of a font, in twips.
struct ReportFontSize
{
    int height = 0; ///< Em height.
    int width = 0; ///< Average character width.
};

/// H and W of a drawing rectangle of widthPx × heightPx device pixels at dpiX × dpiY
/// (l1 and l2 are left 0 for the device to measure).
ReportMetrics ReportUnits(int widthPx, int heightPx, int dpiX, int dpiY);
/// Size of a font kind: the large H × W, the small trunc(0.8 H) × trunc(0.8 W).
ReportFontSize ReportFontSizeOf(ReportFont font, const ReportMetrics &m);

/// Everything a report is made from, taken at the moment of printing.
struct ReportInput
{
    MemoryImage image; ///< The document's image (options page).
    ChannelTable table; ///< The grid's texts (channel pages).
    QString owner; ///< "Copyrights Owner" of the language section.
    Language language = Language::English; ///< Language of the report's texts.
};

/// Grid rows 1..16 whose Rx cell is not empty, in row order.
QList<int> UsedChannelRows(const ChannelTable &table);
/// Pages of a report with that many used channels: 1 + (used + 6) div 7.
int ReportPageCount(int usedChannels);
/// Pages of the report of these grid texts.
int ReportPageCount(const ChannelTable &table);

/// All operations of page (1-based) of the report, frame included.
QVector<ReportOp> LayoutReportPage(const ReportInput &input, int page, const ReportMetrics &m);
