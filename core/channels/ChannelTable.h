// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel grid's texts without any widget: 17 rows × 10 columns, row 0
// and column 0 being the headers. Image to grid and grid to image work here.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"

#include <QString>
#include <QStringList>
#include <array>

/// Columns of the channel grid.
enum GridColumn {
    ColChannel = 0,
    ColRx = 1,
    ColTx = 2,
    ColDecode = 3,
    ColEncode = 4,
    ColPower = 5,
    ColScanAdd = 6,
    ColBusyLock = 7,
    ColWidth = 8,
    ColCompand = 9,
};

/// Texts of the 17 × 10 channel grid.
class ChannelTable
{
public:
    static constexpr int Rows = 17; ///< Header row + 16 channels.
    static constexpr int Cols = 10; ///< Header column + 9 values.

    /// Empty texts everywhere.
    ChannelTable() = default;
    /// Headers of lang in row 0 and "%2d" row numbers in column 0.
    static ChannelTable withHeaders(Language lang);

    /// Text of cell (row, col).
    QString text(int row, int col) const { return m_cells.at(row).at(col); }
    /// Sets the text of cell (row, col).
    void setText(int row, int col, const QString &t) { m_cells.at(row).at(col) = t; }
    /// Empties columns 1..9 of a channel row.
    void clearRow(int row);

    bool operator==(const ChannelTable &o) const { return m_cells == o.m_cells; }

private:
    std::array<std::array<QString, Cols>, Rows> m_cells;
};

/// The ten header texts of row 0.
QStringList GridHeaderTexts(Language lang);
/// Width factors of the ten columns (0.5, 1.2, 1.2, 1.1, 1.1, 0.9 ...).
double GridColumnWidthFactor(int col);

/// Fills columns 1..9 of rows 1..16 from the image's channel records and scan-add bits.
void ChannelsToTable(const MemoryImage &image, ChannelTable &table, Language lang);
/// Writes every row into its record and rebuilds both scan-add bytes; keeps other bits and
/// +14/+15, and the frequency bytes of a cell that still shows what they decode to.
void TableToChannels(const ChannelTable &table, MemoryImage &image);
/// Writes row n (1..16) into its record and its scan-add bit; keeps other bits and +14/+15.
void TableRowToChannel(const ChannelTable &table, int n, MemoryImage &image);
/// Writes only the rows whose texts differ between before and after; returns their numbers.
QList<int> StoreChangedRows(
    const ChannelTable &before, const ChannelTable &after, MemoryImage &image);
