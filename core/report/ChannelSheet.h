// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-page channel sheet for the customer's file: radio type and band,
// the sixteen channels with the grid's ten columns, the Optional Features and
// Scan Information settings, the file name and the date. Laid out as drawing
// operations in twips (y grows upwards from the top of the printable area,
// as in the report) with two fixed font sizes, so it fits any paper from A5 up.

#include "core/app/Language.h"
#include "core/channels/ChannelTable.h"
#include "core/image/MemoryImage.h"
#include "core/image/SettingsArea.h"
#include "core/report/ReportLayout.h"

#include <QDate>
#include <QString>
#include <QVector>

/// Point size of the sheet's title (ReportFont::Large).
constexpr int ChannelSheetTitlePt = 14;
/// Point size of every other text (ReportFont::Small).
constexpr int ChannelSheetTextPt = 9;

/// Everything the sheet shows.
struct ChannelSheetInput
{
    MemoryImage image; ///< Settings are read from here.
    ChannelTable table; ///< Headers and channel texts as the grid shows them.
    Language language = Language::English; ///< Language of the texts.
    QString typeText; ///< Radio type from the installation's list.
    QString bandText; ///< Frequency band from the installation's list.
    QString fileName; ///< Name of the document's file (or its title).
    QDate date; ///< Day of printing.
};

/// Width in twips that the sheet allows for text in its text font (generous, never short).
int SheetTextWidth(const QString &text);
/// text, or its two ends around "…" so that it fits widthTwips by SheetTextWidth.
QString ElideMiddle(const QString &text, int widthTwips);

/// The sheet's input for image: grid texts, type and band from Program.ini (theIniFile).
ChannelSheetInput MakeChannelSheetInput(
    const MemoryImage &image, const QString &fileName, Language lang, const QDate &date);
/// Title of the sheet: "Channel Sheet" / "信道一览表".
QString ChannelSheetTitle(Language lang);
/// All operations of the sheet on a printable area of widthTwips × heightTwips.
QVector<ReportOp> LayoutChannelSheet(
    const ChannelSheetInput &input, int widthTwips, int heightTwips);
