// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decisions of in-cell editing, free of widgets: what a commit does to
// the channel texts, which list entry an editor opens on, and where Enter
// moves the current cell. The view only shows editors and forwards events.

#include "core/app/Language.h"
#include "core/channels/ChannelTable.h"
#include "core/image/SettingsArea.h"

#include <QString>
#include <QStringList>

/// A cell of the grid (row 0 and column 0 are the headers).
struct GridCell
{
    int row = 1; ///< 1..16 for a channel.
    int col = 1; ///< 1..9 for a value.
    bool operator==(const GridCell &o) const { return row == o.row && col == o.col; }
};

/// The nine cell editors, by the column they edit.
enum class CellEditorKind { Rx, Tx, Decode, Encode, Power, ScanAdd, BusyLock, Width, Compand };

/// The editor of a column; any column other than 1..8 gets the compand list.
CellEditorKind EditorKindOfColumn(int col);
/// True for the two frequency edit fields.
bool IsEditField(CellEditorKind kind);
/// Items of a drop-down editor in list order (the tone list for the tone columns).
QStringList EditorItems(CellEditorKind kind, const QStringList &toneList, Language lang);

/// Texts a new channel gets in columns 3..9 when its Rx frequency is entered.
QStringList NewChannelDefaults(Language lang);

/// Applies the editor's value to cell (row, col) of table with all the checks; a frequency
/// cell whose text is left as it was is kept unchecked. Returns 0, or the string id of the
/// message to show (ids::OutOfRange, ids::StepError).
int CommitCell(ChannelTable &table, int row, int col, const QString &editorText,
    const BandLimits &band, Language lang);

/// Item a drop-down list opens on: the first that begins with cellText, ignoring case.
/// -1 when none does, so that a value outside the list is kept until the user picks one.
int ListIndexForCellText(const QStringList &items, const QString &cellText);
/// Text a drop-down list commits: its item at index, or the cell's own text when none is selected.
QString ListCommitText(const QStringList &items, int index, const QString &cellText);

/// Where Enter moves the current cell: next column, then column 1 of the next row, then 1,1.
GridCell NextCellAfterEnter(
    GridCell cell, int rows = ChannelTable::Rows, int cols = ChannelTable::Cols);
