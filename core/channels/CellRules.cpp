// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/channels/CellRules.h"

#include "core/app/StringTable.h"
#include "core/image/Codecs.h"

CellEditorKind EditorKindOfColumn(int col)
{
    switch (col) {
    case ColRx:
        return CellEditorKind::Rx;
    case ColTx:
        return CellEditorKind::Tx;
    case ColDecode:
        return CellEditorKind::Decode;
    case ColEncode:
        return CellEditorKind::Encode;
    case ColPower:
        return CellEditorKind::Power;
    case ColScanAdd:
        return CellEditorKind::ScanAdd;
    case ColBusyLock:
        return CellEditorKind::BusyLock;
    case ColWidth:
        return CellEditorKind::Width;
    default:
        return CellEditorKind::Compand;
    }
}

bool IsEditField(CellEditorKind kind)
{
    return kind == CellEditorKind::Rx || kind == CellEditorKind::Tx;
}

QStringList EditorItems(CellEditorKind kind, const QStringList &toneList, Language lang)
{
    switch (kind) {
    case CellEditorKind::Rx:
    case CellEditorKind::Tx:
        return {};
    case CellEditorKind::Decode:
    case CellEditorKind::Encode:
        return toneList;
    case CellEditorKind::Power:
        return OptionTexts(OptionKind::Power, lang);
    case CellEditorKind::ScanAdd:
        return OptionTexts(OptionKind::ScanAdd, lang);
    case CellEditorKind::BusyLock:
        return OptionTexts(OptionKind::BusyLock, lang);
    case CellEditorKind::Width:
        return OptionTexts(OptionKind::Bandwidth, lang);
    case CellEditorKind::Compand:
        return OptionTexts(OptionKind::Compand, lang);
    }
    return {};
}

QStringList NewChannelDefaults(Language lang)
{
    // Columns 3..9: no tones, high power, not scanned, busy lock off, wide, no compand.
    if (lang == Language::Chinese)
        return { QStringLiteral("无"), QStringLiteral("无"), QStringLiteral("高"),
            QStringLiteral("无"), QStringLiteral("关"), QStringLiteral("宽"),
            QStringLiteral("否") };
    return { QStringLiteral("None"), QStringLiteral("None"), QStringLiteral("High"),
        QStringLiteral("No"), QStringLiteral("Off"), QStringLiteral("Wide"), QStringLiteral("No") };
}

namespace {

// Range first, then step: the message names the first test that fails.
int CheckFrequency(std::int64_t units, const BandLimits &band)
{
    // Below 10 MHz the record's most significant byte would be 0x00, which
    // reads as no frequency: out of range whatever the band text says (an
    // empty band text gives 0 - 0 MHz, where "abc" would otherwise pass).
    const bool storable = ConstChannelRecord::isMsbSet(EncodeFrequency(units)[3]);
    if (!IsInBand(units, band.low, band.high) || !storable)
        return ids::OutOfRange;
    if (!IsOnStep(units))
        return ids::StepError;
    return 0;
}

// The cell shows the typed number rounded to five decimals and the image
// stores what the cell shows, so the checks must see that value: "145.1250099"
// shows and stores 145.12501, which is on no step.
ParsedFrequency ShownFrequency(const QString &typed)
{
    const ParsedFrequency f = ParseFrequency(typed);
    return { f.text, ParseFrequency(f.text).units };
}

int CommitRx(ChannelTable &table, int row, const QString &rx, const QString &text,
    const BandLimits &band, Language lang)
{
    if (text.isEmpty()) {
        table.clearRow(row);
        return 0;
    }
    const ParsedFrequency f = ShownFrequency(text);
    if (const int message = CheckFrequency(f.units, band)) {
        table.clearRow(row);
        return message;
    }
    table.setText(row, ColRx, f.text);
    if (rx.isEmpty()) {
        // A new channel: Tx follows Rx and the attributes take their defaults.
        table.setText(row, ColTx, f.text);
        const QStringList defaults = NewChannelDefaults(lang);
        for (int i = 0; i < defaults.size(); ++i)
            table.setText(row, ColDecode + i, defaults.at(i));
    }
    return 0;
}

int CommitTx(
    ChannelTable &table, int row, const QString &rx, const QString &text, const BandLimits &band)
{
    if (text.isEmpty()) {
        table.setText(row, ColTx, rx);
        return 0;
    }
    const ParsedFrequency f = ShownFrequency(text);
    if (const int message = CheckFrequency(f.units, band)) {
        table.setText(row, ColTx, QString());
        return message;
    }
    // No transmit frequency without a receive frequency.
    table.setText(row, ColTx, rx.isEmpty() ? QString() : f.text);
    return 0;
}

} // namespace

int CommitCell(ChannelTable &table, int row, int col, const QString &editorText,
    const BandLimits &band, Language lang)
{
    const QString rx = table.text(row, ColRx);
    const QString tx = table.text(row, ColTx);
    const CellEditorKind kind = EditorKindOfColumn(col);
    // Passing through a frequency cell is not typing: a value read from the radio or
    // a file stays as it is, even outside the band chosen now. Only typed text is checked.
    if (IsEditField(kind) && !editorText.isEmpty() && editorText == table.text(row, col))
        return 0;
    switch (kind) {
    case CellEditorKind::Rx:
        return CommitRx(table, row, rx, editorText, band, lang);
    case CellEditorKind::Tx:
        return CommitTx(table, row, rx, editorText, band);
    default:
        // An empty channel takes no attributes.
        table.setText(row, col, rx.isEmpty() && tx.isEmpty() ? QString() : editorText);
        return 0;
    }
}

int ListIndexForCellText(const QStringList &items, const QString &cellText)
{
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).startsWith(cellText, Qt::CaseInsensitive))
            return i;
    return -1;
}

QString ListCommitText(const QStringList &items, int index, const QString &cellText)
{
    if (index < 0 || index >= items.size())
        return cellText;
    return items.at(index);
}

GridCell NextCellAfterEnter(GridCell cell, int rows, int cols)
{
    if (cell.col < cols - 1)
        return { cell.row, cell.col + 1 };
    if (cell.row < rows - 1)
        return { cell.row + 1, 1 };
    return { 1, 1 };
}
