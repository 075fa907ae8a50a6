// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clipboard and multi-cell edits of the channel grid, free of widgets: the
// copied texts (tab-separated, as spreadsheets take them) and raw records,
// paste and clear through the same commit rules as typing, with a report of
// every cell that was refused.

#include "core/app/Language.h"
#include "core/channels/CellRules.h"
#include "core/channels/ChannelTable.h"
#include "core/image/MemoryImage.h"
#include "core/image/SettingsArea.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

/// Private clipboard type holding raw channel records for exact copies.
inline const char *const kChannelRecordsMime = "application/x-radioprog-channels";

/// A rectangle of value cells, inclusive (rows 1..16, columns 1..9).
struct CellRange
{
    int top = 1; ///< First channel row.
    int left = 1; ///< First value column.
    int bottom = 1; ///< Last channel row.
    int right = 1; ///< Last value column.
    /// True when every value column of its rows is inside.
    bool wholeRows() const { return left == ColRx && right == ChannelTable::Cols - 1; }
};

/// The 16 bytes of a channel record and its scan-add bit.
struct RawChannel
{
    std::array<std::uint8_t, mem::RecordSize> bytes {}; ///< Record bytes +0..+15.
    bool scanAdd = false; ///< Its bit in 0x17E / 0x17F.
};

/// Channel n's record and scan-add bit.
RawChannel TakeChannel(const MemoryImage &image, int n);
/// Stores a record and its scan-add bit as channel n.
void PutChannel(MemoryImage &image, int n, const RawChannel &raw);

/// Texts of range: cells separated by tabs, rows ended by "\n".
QString CellsToTsv(const ChannelTable &table, const CellRange &range);
/// Whole channels first..last for the clipboard: a header row (CH and the column titles in
/// lang), then each channel's number and texts, as a spreadsheet shows them.
QString ChannelsToTsv(const ChannelTable &table, int first, int last, Language lang);
/// Drops a leading header row of the grid's titles (English or Chinese) from block, and the
/// channel-number column when the header starts with it; true when there was one.
bool SkipHeaderRow(QList<QStringList> *block);
/// Rows of cells of clipboard text ("\r\n", "\n" or "\r" line ends; a last empty line dropped).
QList<QStringList> ParseTsv(const QString &text);
/// Raw records of channels first..last for the private clipboard type.
QByteArray EncodeChannelRecords(const MemoryImage &image, int first, int last);
/// Records of the private clipboard type; false (and nothing) for anything malformed.
bool DecodeChannelRecords(const QByteArray &data, QList<RawChannel> *out);

/// A cell that an edit refused, with the reason.
struct CellProblem
{
    int row = 0; ///< Channel 1..16.
    int col = 0; ///< Value column 1..9.
    QString reason; ///< Why it was refused.
};

/// What a multi-cell edit did.
struct GridEditResult
{
    MemoryImage image; ///< The image after the edit (unchanged rows keep every byte).
    QList<int> channels; ///< Channels whose records changed.
    QList<CellProblem> problems; ///< Cells refused, in grid order.
    int rowsLeftOut = 0; ///< Rows of the block beyond channel 16.
    int colsLeftOut = 0; ///< Columns of the block beyond the last column.
    QString undoText; ///< Names the step ("Paste of 3 channels").
    QString message; ///< What else changed, for the status bar (Priority set to None).
};

/// Pastes a block of texts with its top-left cell at `at`; every cell goes through the
/// commit rules (band, step, list entries; an Rx into an empty row makes a channel).
GridEditResult PasteTexts(const MemoryImage &image, const QList<QStringList> &block, GridCell at,
    const BandLimits &band, const QStringList &toneList, Language lang);
/// Pastes raw records from channel `first` on; a record whose frequency is off the band or
/// step is refused whole.
GridEditResult PasteRecords(const MemoryImage &image, const QList<RawChannel> &records, int first,
    const BandLimits &band, Language lang);
/// Clears cells: an Rx cell clears its channel, a Tx cell takes the Rx frequency again and a
/// list cell of a used channel goes back to the new-channel default. `cut` names the step Cut.
GridEditResult ClearCells(
    const MemoryImage &image, const QList<GridCell> &cells, Language lang, bool cut = false);
/// Names the undo step of a typed cell: "Rx Frequency of channel 3".
QString CellUndoText(int row, int col, Language lang);
/// The message telling the user what a paste refused or left out; empty when nothing.
QString GridEditReport(const GridEditResult &result, Language lang);
