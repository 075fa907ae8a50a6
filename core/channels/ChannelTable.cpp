// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/channels/ChannelTable.h"

#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"

namespace {

struct ColumnInfo
{
    const char *english;
    const char *chinese;
    double widthFactor;
};

constexpr ColumnInfo kColumns[ChannelTable::Cols] = {
    { "CH", "信道", 0.5 },
    { "Rx Frequency", "接收频率", 1.2 },
    { "Tx Frequency", "发射频率", 1.2 },
    { "QT/DQT Dec", "QT/DQT解码", 1.1 },
    { "QT/DQT Enc", "QT/DQT编码", 1.1 },
    { "Power", "功率", 0.9 },
    { "Scan Add", "扫描添加", 0.9 },
    { "Busy Lock", "繁忙锁定", 0.9 },
    { "W/N", "宽/窄", 0.9 },
    { "Compand", "压扩", 0.9 },
};

/// Stored frequency bytes of a cell text; an empty cell means no frequency. A frequency
/// that is still what the stored bytes decode to keeps those bytes: a radio's memory may
/// hold digits the clean form would write differently (a nibble above 9), and a channel
/// the user did not touch must leave the image as it came.
FrequencyBytes CellFrequency(const QString &text, const FrequencyBytes &stored)
{
    if (text.isEmpty())
        return { 0xFF, 0xFF, 0xFF, 0xFF };
    if (text == DecodeFrequency(stored))
        return stored;
    return EncodeFrequency(ParseFrequency(text).units);
}

bool IsNoFrequency(const FrequencyBytes &b)
{
    return b == FrequencyBytes { 0xFF, 0xFF, 0xFF, 0xFF };
}

} // namespace

ChannelTable ChannelTable::withHeaders(Language lang)
{
    ChannelTable table;
    const QStringList headers = GridHeaderTexts(lang);
    for (int c = 0; c < Cols; ++c)
        table.setText(0, c, headers.at(c));
    for (int n = 1; n <= mem::ChannelCount; ++n)
        table.setText(n, ColChannel, QStringLiteral("%1").arg(n, 2));
    return table;
}

void ChannelTable::clearRow(int row)
{
    for (int c = ColRx; c < Cols; ++c)
        setText(row, c, QString());
}

QStringList GridHeaderTexts(Language lang)
{
    QStringList texts;
    for (const ColumnInfo &c : kColumns)
        texts << QString::fromUtf8(lang == Language::Chinese ? c.chinese : c.english);
    return texts;
}

double GridColumnWidthFactor(int col)
{
    return col >= 0 && col < ChannelTable::Cols ? kColumns[col].widthFactor : 1.0;
}

void ChannelsToTable(const MemoryImage &image, ChannelTable &table, Language lang)
{
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        const ConstChannelRecord ch = image.channel(n);
        const bool empty = ch.isEmpty();
        table.setText(n, ColRx, DecodeFrequency(ch.rxBytes()));
        table.setText(n, ColTx, DecodeFrequency(ch.txBytes()));
        table.setText(n, ColDecode, DecodeTone(ch.decodeTone(), empty, lang));
        table.setText(n, ColEncode, DecodeTone(ch.encodeTone(), empty, lang));
        table.setText(n, ColPower, DecodeOption(OptionKind::Power, ch.powerHigh(), empty, lang));
        table.setText(n, ColScanAdd, DecodeOption(OptionKind::ScanAdd, ch.scanAdd(), empty, lang));
        table.setText(n, ColBusyLock,
            DecodeOption(OptionKind::BusyLock, static_cast<int>(ch.busyLock()), empty, lang));
        table.setText(n, ColWidth, DecodeOption(OptionKind::Bandwidth, ch.wide(), empty, lang));
        table.setText(n, ColCompand, DecodeOption(OptionKind::Compand, ch.compand(), empty, lang));
    }
}

void TableToChannels(const ChannelTable &table, MemoryImage &image)
{
    // The scan-add bytes belong wholly to the grid: rebuilt from zero.
    image[mem::ScanAddLow] = 0;
    image[mem::ScanAddHigh] = 0;
    for (int n = 1; n <= mem::ChannelCount; ++n)
        TableRowToChannel(table, n, image);
}

void TableRowToChannel(const ChannelTable &table, int n, MemoryImage &image)
{
    ChannelRecord ch = image.channel(n);
    const FrequencyBytes rx = CellFrequency(table.text(n, ColRx), ch.rxBytes());
    const FrequencyBytes tx = CellFrequency(table.text(n, ColTx), ch.txBytes());
    ch.setRxBytes(rx);
    ch.setTxBytes(tx);
    // A shown frequency the record cannot hold is stored as none, which empties the
    // channel. The row then stores the options of an empty row too, so that loading
    // the result and storing it again changes nothing.
    const bool dropped = (!table.text(n, ColRx).isEmpty() && IsNoFrequency(rx))
        || (!table.text(n, ColTx).isEmpty() && IsNoFrequency(tx));
    const auto option
        = [&](int col) { return dropped && ch.isEmpty() ? QString() : table.text(n, col); };
    ch.setDecodeTone(EncodeTone(table.text(n, ColDecode)));
    ch.setEncodeTone(EncodeTone(table.text(n, ColEncode)));
    ch.setPowerHigh(EncodeOption(OptionKind::Power, option(ColPower)) == 1);
    ch.setBusyLock(static_cast<BusyLock>(EncodeOption(OptionKind::BusyLock, option(ColBusyLock))));
    ch.setWide(EncodeOption(OptionKind::Bandwidth, option(ColWidth)) == 1);
    ch.setCompand(EncodeOption(OptionKind::Compand, option(ColCompand)) == 1);
    ch.setScanAdd(EncodeOption(OptionKind::ScanAdd, option(ColScanAdd)) == 1);
}

QList<int> StoreChangedRows(
    const ChannelTable &before, const ChannelTable &after, MemoryImage &image)
{
    // Rows the edit left alone keep their bytes exactly, even where their
    // texts would not encode back to the same bytes.
    QList<int> changed;
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        bool same = true;
        for (int c = ColRx; c < ChannelTable::Cols && same; ++c)
            same = before.text(n, c) == after.text(n, c);
        if (!same) {
            TableRowToChannel(after, n, image);
            changed << n;
        }
    }
    return changed;
}
