// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report's own texts: page titles, labels and the options page values,
// in English or Chinese. The report formats the settings bytes itself, with
// masks narrower than the Optional Features dialog's.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"

#include <QString>
#include <QVector>

/// One label and its value on the report.
struct ReportRow
{
    QString label; ///< Text at the label column.
    QString value; ///< Text at the value column.
};

/// Title of the options page: "Option" / "可选功能".
QString ReportOptionTitle(Language lang);
/// Subtitle of the options page: "Function" / "功能".
QString ReportFunctionTitle(Language lang);
/// Title of a channel page: "Channel" / "信道".
QString ReportChannelTitle(Language lang);
/// Heading of one channel by its grid row number: "Channel 9:" / "信道9:".
QString ReportChannelHeading(int row, Language lang);
/// Footer page text "Page %d of %d" (the same in both languages).
QString ReportPageText(int page, int totalPages);

/// The eleven rows of the options page (Time Out Timer .. Scan Function), read from image.
QVector<ReportRow> ReportOptionRows(const MemoryImage &image, Language lang);

/// Left and right labels of the four lines printed per channel, with their grid columns.
struct ReportChannelLine
{
    QString leftLabel; ///< Label at the left.
    int leftColumn; ///< Grid column of the left value.
    QString rightLabel; ///< Label at the right.
    int rightColumn; ///< Grid column of the right value.
};
/// The four channel lines (Rx/Tx, decode/encode, power/scan, lock/bandwidth).
QVector<ReportChannelLine> ReportChannelLines(Language lang);

/// [section] "Copyrights Owner" of the program's INI file; empty when absent.
QString ReportOwnerText(const QString &section);
