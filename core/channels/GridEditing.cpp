// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/channels/GridEditing.h"
#include "core/app/Language.h"
#include "core/channels/ChannelOps.h"

#include "core/app/StringTable.h"
#include "core/channels/EditorHints.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"

#include <algorithm>

namespace {

const QByteArray kRecordsMagic("RPCH1");
constexpr int kRawSize = mem::RecordSize + 1;

QString ChannelsText(int count, Language lang)
{
    if (lang == Language::Chinese)
        return QStringLiteral("%1 个信道").arg(count);
    return count == 1 ? QStringLiteral("1 channel") : QStringLiteral("%1 channels").arg(count);
}

QString CellsText(int count, Language lang)
{
    if (lang == Language::Chinese)
        return QStringLiteral("%1 个单元格").arg(count);
    return count == 1 ? QStringLiteral("1 cell") : QStringLiteral("%1 cells").arg(count);
}

bool RowUsed(const ChannelTable &t, int row)
{
    return !t.text(row, ColRx).isEmpty() || !t.text(row, ColTx).isEmpty();
}

QString FrequencyReason(int message, const BandLimits &band, Language lang)
{
    if (message == ids::OutOfRange)
        return LanguageText(lang, "outside the band %1", "超出频段 %1")
            .arg(FrequencyBandText(band, lang));
    return LanguageText(lang, "not on a 5 or 6.25 kHz step", "不符合 5 或 6.25 kHz 步进");
}

QString NoRxReason(Language lang)
{
    return LanguageText(lang, "the channel has no Rx frequency", "该信道没有接收频率");
}

/// Checks and applies one pasted text; returns the reason when refused.
QString PasteOne(ChannelTable &t, int row, int col, const QString &raw, const BandLimits &band,
    const QStringList &toneList, Language lang)
{
    const QString text = raw.trimmed();
    const CellEditorKind kind = EditorKindOfColumn(col);
    if (IsEditField(kind)) {
        ChannelTable trial = t;
        if (const int message = CommitCell(trial, row, col, text, band, lang))
            return FrequencyReason(message, band, lang);
        if (kind == CellEditorKind::Tx && !text.isEmpty() && trial.text(row, ColTx).isEmpty())
            return NoRxReason(lang);
        t = trial;
        return QString();
    }
    if (!RowUsed(t, row))
        return text.isEmpty() ? QString() : NoRxReason(lang);
    if (text.isEmpty())
        return LanguageText(lang, "empty", "为空");
    const QStringList items = EditorItems(kind, toneList, lang);
    const auto it = std::find_if(items.begin(), items.end(),
        [&](const QString &item) { return item.compare(text, Qt::CaseInsensitive) == 0; });
    if (it == items.end())
        return LanguageText(lang, "\"%1\" is not an entry of the list", "“%1”不是列表中的选项")
            .arg(text);
    CommitCell(t, row, col, *it, band, lang);
    return QString();
}

GridEditResult Finish(const MemoryImage &image, const ChannelTable &before,
    const ChannelTable &after, GridEditResult r)
{
    r.image = image;
    r.channels = StoreChangedRows(before, after, r.image);
    return r;
}

} // namespace

RawChannel TakeChannel(const MemoryImage &image, int n)
{
    RawChannel r;
    const ConstChannelRecord ch = image.channel(n);
    for (int i = 0; i < mem::RecordSize; ++i)
        r.bytes[i] = ch.byte(i);
    r.scanAdd = ch.scanAdd();
    return r;
}

void PutChannel(MemoryImage &image, int n, const RawChannel &raw)
{
    ChannelRecord ch = image.channel(n);
    for (int i = 0; i < mem::RecordSize; ++i)
        ch.setByte(i, raw.bytes[i]);
    ch.setScanAdd(raw.scanAdd);
}

QString CellsToTsv(const ChannelTable &table, const CellRange &range)
{
    QString out;
    for (int r = range.top; r <= range.bottom; ++r) {
        QStringList cells;
        for (int c = range.left; c <= range.right; ++c)
            cells << table.text(r, c);
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

QString ChannelsToTsv(const ChannelTable &table, int first, int last, Language lang)
{
    QString out = GridHeaderTexts(lang).join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int r = first; r <= last; ++r) {
        QStringList cells { QString::number(r) };
        for (int c = ColRx; c < ChannelTable::Cols; ++c)
            cells << table.text(r, c);
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

bool SkipHeaderRow(QList<QStringList> *block)
{
    if (block->isEmpty())
        return false;
    const QStringList &head = block->constFirst();
    // A header copied from either language's grid: every cell one of its titles, in order.
    for (Language lang : { Language::English, Language::Chinese }) {
        const QStringList titles = GridHeaderTexts(lang);
        const int start = titles.indexOf(head.value(0).trimmed());
        bool header = start >= 0;
        for (int j = 0; header && j < head.size(); ++j)
            header = titles.value(start + j) == head.at(j).trimmed();
        if (!header)
            continue;
        block->removeFirst();
        if (start == 0) // the channel numbers are no value of a cell
            for (QStringList &row : *block)
                if (!row.isEmpty())
                    row.removeFirst();
        return true;
    }
    return false;
}

QList<QStringList> ParseTsv(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = t.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    QList<QStringList> rows;
    for (const QString &line : std::as_const(lines))
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

QByteArray EncodeChannelRecords(const MemoryImage &image, int first, int last)
{
    QByteArray out = kRecordsMagic;
    for (int n = first; n <= last; ++n) {
        const RawChannel raw = TakeChannel(image, n);
        out.append(reinterpret_cast<const char *>(raw.bytes.data()), mem::RecordSize);
        out.append(raw.scanAdd ? '\1' : '\0');
    }
    return out;
}

bool DecodeChannelRecords(const QByteArray &data, QList<RawChannel> *out)
{
    if (!data.startsWith(kRecordsMagic))
        return false;
    const QByteArray body = data.mid(kRecordsMagic.size());
    if (body.isEmpty() || body.size() % kRawSize != 0 || body.size() / kRawSize > mem::ChannelCount)
        return false;
    QList<RawChannel> records;
    for (int at = 0; at < body.size(); at += kRawSize) {
        RawChannel raw;
        for (int i = 0; i < mem::RecordSize; ++i)
            raw.bytes[i] = static_cast<std::uint8_t>(body.at(at + i));
        const char flag = body.at(at + mem::RecordSize);
        if (flag != '\0' && flag != '\1')
            return false;
        raw.scanAdd = flag == '\1';
        records << raw;
    }
    *out = records;
    return true;
}

GridEditResult PasteTexts(const MemoryImage &image, const QList<QStringList> &block, GridCell at,
    const BandLimits &band, const QStringList &toneList, Language lang)
{
    ChannelTable before;
    ChannelsToTable(image, before, lang);
    ChannelTable t = before;
    GridEditResult r;
    for (int i = 0; i < block.size(); ++i) {
        const int row = at.row + i;
        if (row > mem::ChannelCount) {
            r.rowsLeftOut = block.size() - i;
            break;
        }
        const QStringList &cells = block.at(i);
        for (int j = 0; j < cells.size(); ++j) {
            const int col = at.col + j;
            if (col >= ChannelTable::Cols) {
                r.colsLeftOut = std::max(r.colsLeftOut, static_cast<int>(cells.size()) - j);
                break;
            }
            const QString why = PasteOne(t, row, col, cells.at(j), band, toneList, lang);
            if (!why.isEmpty())
                r.problems << CellProblem { row, col, why };
        }
    }
    r = Finish(image, before, t, r);
    r.undoText
        = LanguageText(lang, "Paste of %1", "粘贴 %1").arg(ChannelsText(r.channels.size(), lang));
    return r;
}

GridEditResult PasteRecords(const MemoryImage &image, const QList<RawChannel> &records, int first,
    const BandLimits &band, Language lang)
{
    GridEditResult r;
    r.image = image;
    for (int i = 0; i < records.size(); ++i) {
        const int n = first + i;
        if (n > mem::ChannelCount) {
            r.rowsLeftOut = records.size() - i;
            break;
        }
        MemoryImage trial = image;
        PutChannel(trial, n, records.at(i));
        // The frequencies pass the same checks as typed ones.
        QString why;
        for (int col : { ColRx, ColTx }) {
            const ConstChannelRecord ch = trial.channel(n);
            const QString text = DecodeFrequency(col == ColRx ? ch.rxBytes() : ch.txBytes());
            if (text.isEmpty())
                continue;
            const std::int64_t units = ParseFrequency(text).units;
            if (!IsInBand(units, band.low, band.high))
                why = FrequencyReason(ids::OutOfRange, band, lang);
            else if (!IsOnStep(units))
                why = FrequencyReason(ids::StepError, band, lang);
            if (!why.isEmpty()) {
                r.problems << CellProblem { n, col, why };
                break;
            }
        }
        if (!why.isEmpty())
            continue;
        const RawChannel old = TakeChannel(r.image, n);
        PutChannel(r.image, n, records.at(i));
        if (old.bytes != records.at(i).bytes || old.scanAdd != records.at(i).scanAdd)
            r.channels << n;
    }
    r.undoText
        = LanguageText(lang, "Paste of %1", "粘贴 %1").arg(ChannelsText(r.channels.size(), lang));
    return r;
}

GridEditResult ClearCells(
    const MemoryImage &image, const QList<GridCell> &cells, Language lang, bool cut)
{
    ChannelTable before;
    ChannelsToTable(image, before, lang);
    ChannelTable t = before;
    QList<GridCell> sorted = cells;
    std::sort(sorted.begin(), sorted.end(), [](const GridCell &a, const GridCell &b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    const QStringList defaults = NewChannelDefaults(lang);
    for (const GridCell &cell : std::as_const(sorted)) {
        if (cell.row < 1 || cell.row > mem::ChannelCount || cell.col < ColRx
            || cell.col >= ChannelTable::Cols)
            continue;
        if (IsEditField(EditorKindOfColumn(cell.col)))
            CommitCell(t, cell.row, cell.col, QString(), BandLimits {}, lang);
        else if (RowUsed(t, cell.row))
            t.setText(cell.row, cell.col, defaults.value(cell.col - ColDecode));
    }
    GridEditResult r = Finish(image, before, t, GridEditResult {});
    r.undoText = cut
        ? LanguageText(lang, "Cut of %1", "剪切 %1").arg(CellsText(sorted.size(), lang))
        : LanguageText(lang, "Clear of %1", "清除 %1").arg(CellsText(sorted.size(), lang));
    ReleaseEmptiedPriority(image, r.image, lang, &r.undoText, &r.message);
    return r;
}

QString CellUndoText(int row, int col, Language lang)
{
    return LanguageText(lang, "%1 of channel %2", "信道 %2 的%1")
        .arg(GridHeaderTexts(lang).value(col))
        .arg(row);
}

QString GridEditReport(const GridEditResult &result, Language lang)
{
    QStringList lines;
    if (!result.problems.isEmpty()) {
        const QStringList headers = GridHeaderTexts(lang);
        // The first line stands alone in the status bar: it names the cells as well.
        QStringList named;
        constexpr int kNamed = 3;
        for (int i = 0; i < result.problems.size() && i < kNamed; ++i)
            named << LanguageText(lang, "channel %1 %2", "信道 %1 %2")
                         .arg(result.problems.at(i).row)
                         .arg(headers.value(result.problems.at(i).col));
        if (result.problems.size() > kNamed)
            named << LanguageText(lang, "%1 more", "另 %1 个").arg(result.problems.size() - kNamed);
        lines << LanguageText(lang, "%1 not pasted: %2.", "%1未粘贴：%2。")
                     .arg(CellsText(result.problems.size(), lang),
                         named.join(LanguageText(lang, ", ", "、")));
        constexpr int kShown = 10;
        for (int i = 0; i < result.problems.size() && i < kShown; ++i) {
            const CellProblem &p = result.problems.at(i);
            lines << LanguageText(lang, "Channel %1, %2: %3", "信道 %1，%2：%3")
                         .arg(p.row)
                         .arg(headers.value(p.col), p.reason);
        }
        if (result.problems.size() > kShown)
            lines << LanguageText(lang, "... and %1 more.", "……另有 %1 个。")
                         .arg(result.problems.size() - kShown);
    }
    if (result.rowsLeftOut > 0)
        lines << LanguageText(
            lang, "The paste stopped at channel 16: %1 left out.", "粘贴到信道 16 为止：%1未粘贴。")
                     .arg(lang == Language::Chinese
                             ? QStringLiteral("%1 行").arg(result.rowsLeftOut)
                             : (result.rowsLeftOut == 1
                                     ? QStringLiteral("1 row")
                                     : QStringLiteral("%1 rows").arg(result.rowsLeftOut)));
    if (result.colsLeftOut > 0)
        lines << LanguageText(
            lang, "%1 column(s) beyond Compand were left out.", "超出“压扩”列的 %1 列未粘贴。")
                     .arg(result.colsLeftOut);
    return lines.join(QLatin1Char('\n'));
}
