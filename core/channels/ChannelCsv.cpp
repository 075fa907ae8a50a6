// SPDX-License-Identifier: GPL-3.0-or-later
// Channel lists in and out: export of the used channels, import row by row
// through the grid's own commit rules.
#include "core/channels/ChannelCsv.h"

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/channels/CellRules.h"
#include "core/channels/CsvReader.h"
#include "core/channels/GridRefresh.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

constexpr int UnitsPerMhz = 100000; // 10 Hz units
/// Watts from which a power in watts counts as High (between the radio's 1 W and 5 W).
constexpr double HighPowerWatts = 2.24;

/// "146.520000": megahertz with six decimals.
QString MhzText(std::int64_t units)
{
    return QStringLiteral("%1.%2")
        .arg(units / UnitsPerMhz)
        .arg((units % UnitsPerMhz) * 10, 6, 10, QLatin1Char('0'));
}

/// "146.52000": the grid's own five-decimal form, which ParseFrequency reads exactly.
QString GridFrequencyText(std::int64_t units)
{
    return QStringLiteral("%1.%2")
        .arg(units / UnitsPerMhz)
        .arg(units % UnitsPerMhz, 5, 10, QLatin1Char('0'));
}

/// Reads a frequency in MHz exactly ("146.52", "146,520000", "1.4652E+02" as spreadsheets
/// write typed cells); digits finer than 10 Hz must be 0. Returns false when the text is no
/// plain number; *fine is set when it has non-zero digits beyond 10 Hz.
bool ParseMhz(const QString &text, std::int64_t *units, bool *fine)
{
    static const QRegularExpression number(
        QStringLiteral("^\\+?(\\d{1,12})(?:[.,](\\d*))?(?:[eE]([+-]?\\d{1,2}))?$"));
    const QRegularExpressionMatch m = number.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    // The decimal point moved by the exponent, on the digits as written: exact, no rounding.
    const QString digits = m.captured(1) + m.captured(2);
    const int point = int(m.captured(1).size()) + m.captured(3).toInt();
    QString whole = point <= 0 ? QString() : digits.left(point);
    if (point > digits.size())
        whole += QString(point - digits.size(), QLatin1Char('0'));
    QString frac = point < 0 ? QString(-point, QLatin1Char('0')) + digits
                             : digits.mid(qMin<int>(point, digits.size()));
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    if (whole.size() > 6)
        return false;
    *fine = false;
    if (frac.size() > 5) {
        for (const QChar c : frac.mid(5))
            if (c != QLatin1Char('0'))
                *fine = true;
        frac = frac.left(5);
    }
    frac = frac.leftJustified(5, QLatin1Char('0'));
    *units = whole.toLongLong() * UnitsPerMhz + frac.toLongLong();
    return true;
}

QString BandText(const BandLimits &band)
{
    return QStringLiteral("%1 - %2 MHz").arg(band.low / UnitsPerMhz).arg(band.high / UnitsPerMhz);
}

/// Why the grid refused a frequency, in words a list editor can act on.
QString FrequencyProblem(
    int message, const QString &what, const QString &text, const BandLimits &band)
{
    if (message == ids::OutOfRange)
        return LanguageText(
            "%1 %2 MHz lies outside the radio's band %3", "%1 %2 MHz 超出本机频段 %3")
            .arg(what, text.left(40), BandText(band));
    return LanguageText("%1 %2 MHz lies on neither the 5 kHz nor the 6.25 kHz step",
        "%1 %2 MHz 不在 5 kHz 或 6.25 kHz 步进上")
        .arg(what, text.left(40));
}

/// Column positions of the header, by lower-case name.
struct Header
{
    QHash<QString, int> index;
    bool has(const char *name) const { return index.contains(QLatin1String(name)); }
};

/// The trimmed field of a named column; empty when the column or the field is missing.
QString CsvField(const CsvRecord &record, const Header &header, const char *name)
{
    const int i = header.index.value(QString::fromLatin1(name).toLower(), -1);
    return i >= 0 && i < record.fields.size() ? record.fields.at(i).trimmed() : QString();
}

/// A column's field, or the export's default when the column is missing.
QString FieldOr(
    const CsvRecord &record, const Header &header, const char *name, const QString &fallback)
{
    return header.index.contains(QString::fromLatin1(name).toLower())
        ? CsvField(record, header, name)
        : fallback;
}

/// Busy lock and compand from a Comment ("busylock=carrier; compand=yes"); other text ignored.
bool ParseComment(const QString &comment, QString *busyLock, QString *compand, QString *problem)
{
    static const QRegularExpression pair(
        QStringLiteral("\\b(busylock|compand)\\s*=\\s*([^;,\\s]*)"),
        QRegularExpression::CaseInsensitiveOption);
    auto it = pair.globalMatch(comment);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString key = m.captured(1).toLower();
        const QString value = m.captured(2).toLower();
        if (key == QLatin1String("busylock")) {
            if (value == QLatin1String("off"))
                *busyLock = QStringLiteral("Off");
            else if (value == QLatin1String("carrier"))
                *busyLock = QStringLiteral("Carrier");
            else if (value == QLatin1String("qt/dqt"))
                *busyLock = QStringLiteral("QT/DQT");
            else {
                *problem = LanguageText("busylock=%1 in Comment is not off, carrier or qt/dqt",
                    "Comment 中的 busylock=%1 不是 off、carrier 或 qt/dqt")
                               .arg(m.captured(2).left(40));
                return false;
            }
        } else if (value == QLatin1String("yes") || value == QLatin1String("no")) {
            *compand = value == QLatin1String("yes") ? QStringLiteral("Yes") : QStringLiteral("No");
        } else {
            *problem = LanguageText(
                "compand=%1 in Comment is not yes or no", "Comment 中的 compand=%1 不是 yes 或 no")
                           .arg(m.captured(2).left(40));
            return false;
        }
    }
    return true;
}

/// Power column: a label or watts; empty is High.
bool ParsePower(const QString &text, QString *power, QString *problem)
{
    static const QRegularExpression watts(QStringLiteral("^(\\d{1,4}(?:[.,]\\d*)?)\\s*w$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("high"), Qt::CaseInsensitive) == 0) {
        *power = QStringLiteral("High");
        return true;
    }
    if (t.compare(QLatin1String("low"), Qt::CaseInsensitive) == 0) {
        *power = QStringLiteral("Low");
        return true;
    }
    const QRegularExpressionMatch m = watts.match(t);
    if (!m.hasMatch()) {
        *problem = LanguageText("Power \"%1\" is neither High, Low nor watts such as 5.0W",
            "Power \"%1\" 不是 High、Low 或 5.0W 这样的瓦数")
                       .arg(text.left(40));
        return false;
    }
    QString number = m.captured(1);
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    *power = number.toDouble() >= HighPowerWatts ? QStringLiteral("High") : QStringLiteral("Low");
    return true;
}

/// One data row into the grid texts of a channel (columns 1..9); false with the reason.
bool RowToTexts(const CsvRecord &record, const Header &header, const BandLimits &band,
    QStringList *texts, QString *problem)
{
    const QString freq = CsvField(record, header, "Frequency");
    if (freq.isEmpty()) {
        *problem = LanguageText("no Frequency", "没有 Frequency（频率）");
        return false;
    }
    std::int64_t rx = 0;
    bool fine = false;
    if (!ParseMhz(freq, &rx, &fine)) {
        *problem = LanguageText(
            "Frequency \"%1\" is not a number of MHz", "Frequency \"%1\" 不是以 MHz 为单位的数")
                       .arg(freq.left(40));
        return false;
    }
    const QString rxWhat = LanguageText("receive frequency", "接收频率");
    const QString txWhat = LanguageText("transmit frequency", "发射频率");
    if (fine) {
        *problem = FrequencyProblem(ids::StepError, rxWhat, freq, band);
        return false;
    }
    // The grid's own commits decide: a new row takes the defaults, then each value goes in.
    ChannelTable t;
    const Language en = Language::English;
    if (const int m = CommitCell(t, 1, ColRx, GridFrequencyText(rx), band, en)) {
        *problem = FrequencyProblem(m, rxWhat, freq, band);
        return false;
    }

    const QString duplex = CsvField(record, header, "Duplex").toLower();
    const QString offset = CsvField(record, header, "Offset");
    std::int64_t tx = rx;
    if (duplex == QLatin1String("+") || duplex == QLatin1String("-")
        || duplex == QLatin1String("split")) {
        std::int64_t off = 0;
        if (!ParseMhz(offset.isEmpty() ? QStringLiteral("0") : offset, &off, &fine) || fine) {
            *problem = LanguageText("Offset \"%1\" is not a number of MHz on the 10 Hz grid",
                "Offset \"%1\" 不是以 MHz 为单位的数（精确到 10 Hz）")
                           .arg(offset.left(40));
            return false;
        }
        tx = duplex == QLatin1String("+")  ? rx + off
            : duplex == QLatin1String("-") ? rx - off
                                           : off;
    } else if (duplex == QLatin1String("off")) {
        *problem = LanguageText("Duplex off (receive only): every channel of this radio transmits",
            "Duplex off（只收不发）：本机每个信道都须有发射频率");
        return false;
    } else if (!duplex.isEmpty()) {
        *problem = LanguageText("Duplex \"%1\" is not one of +, -, split, off or empty",
            "Duplex \"%1\" 不是 +、-、split、off 或空")
                       .arg(CsvField(record, header, "Duplex").left(40));
        return false;
    }
    if (tx <= 0) {
        *problem
            = FrequencyProblem(ids::OutOfRange, txWhat, MhzText(qMax<std::int64_t>(tx, 0)), band);
        return false;
    }
    if (const int m = CommitCell(t, 1, ColTx, GridFrequencyText(tx), band, en)) {
        *problem = FrequencyProblem(m, txWhat, MhzText(tx), band);
        return false;
    }

    CsvToneColumns tones;
    tones.tone = CsvField(record, header, "Tone");
    tones.rToneFreq = FieldOr(record, header, "rToneFreq", tones.rToneFreq);
    tones.cToneFreq = FieldOr(record, header, "cToneFreq", tones.cToneFreq);
    tones.dtcsCode = FieldOr(record, header, "DtcsCode", tones.dtcsCode);
    tones.dtcsPolarity = FieldOr(record, header, "DtcsPolarity", tones.dtcsPolarity);
    tones.rxDtcsCode = FieldOr(record, header, "RxDtcsCode", tones.rxDtcsCode);
    tones.crossMode = FieldOr(record, header, "CrossMode", tones.crossMode);
    QString encode, decode;
    if (!ToneTextsOfColumns(tones, &encode, &decode, problem))
        return false;

    const QString mode = CsvField(record, header, "Mode").toUpper();
    QString width;
    if (mode.isEmpty() || mode == QLatin1String("FM")) {
        width = QStringLiteral("Wide");
    } else if (mode == QLatin1String("NFM")) {
        width = QStringLiteral("Narrow");
    } else {
        *problem = LanguageText("Mode \"%1\" is not FM (wide) or NFM (narrow)",
            "Mode \"%1\" 不是 FM（宽带）或 NFM（窄带）")
                       .arg(CsvField(record, header, "Mode").left(40));
        return false;
    }

    const QString skip = CsvField(record, header, "Skip").toUpper();
    if (!skip.isEmpty() && skip != QLatin1String("S") && skip != QLatin1String("P")) {
        *problem = LanguageText("Skip \"%1\" is not S, P or empty", "Skip \"%1\" 不是 S、P 或空")
                       .arg(CsvField(record, header, "Skip").left(40));
        return false;
    }
    const QString scanAdd
        = skip == QLatin1String("S") ? QStringLiteral("No") : QStringLiteral("Yes");

    QString power;
    if (!ParsePower(CsvField(record, header, "Power"), &power, problem))
        return false;
    QString busyLock = QStringLiteral("Off");
    QString compand = QStringLiteral("No");
    if (!ParseComment(CsvField(record, header, "Comment"), &busyLock, &compand, problem))
        return false;

    const struct
    {
        int col;
        QString text;
    } cells[] = { { ColDecode, decode }, { ColEncode, encode }, { ColPower, power },
        { ColScanAdd, scanAdd }, { ColBusyLock, busyLock }, { ColWidth, width },
        { ColCompand, compand } };
    for (const auto &cell : cells)
        CommitCell(t, 1, cell.col, cell.text, band, en);
    texts->clear();
    for (int c = ColRx; c < ChannelTable::Cols; ++c)
        *texts << t.text(1, c);
    return true;
}

/// Location of a row when it names a channel 1..16; 0 otherwise.
int LocationOf(const CsvRecord &record, const Header &header)
{
    // Spreadsheets write whole numbers as 5.0 or 5.00: the same channel.
    static const QRegularExpression whole(QStringLiteral("^\\+?(\\d{1,3})(?:[.,]0*)?$"));
    const QRegularExpressionMatch m = whole.match(CsvField(record, header, "Location"));
    const int n = m.hasMatch() ? m.captured(1).toInt() : 0;
    return n >= 1 && n <= mem::ChannelCount ? n : 0;
}

} // namespace

QStringList ChannelCsvColumns()
{
    return { QStringLiteral("Location"), QStringLiteral("Name"), QStringLiteral("Frequency"),
        QStringLiteral("Duplex"), QStringLiteral("Offset"), QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"), QStringLiteral("cToneFreq"), QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"), QStringLiteral("TStep"), QStringLiteral("Skip"),
        QStringLiteral("Power"), QStringLiteral("Comment"), QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"), QStringLiteral("RPT2CALL"), QStringLiteral("DVCODE") };
}

QString ChannelCsvProblemText(const ChannelCsvProblem &problem)
{
    return LanguageText("line %1: %2", "第 %1 行：%2").arg(problem.line).arg(problem.text);
}

ChannelCsvExport ExportChannelCsv(const MemoryImage &image, const BandLimits &band)
{
    ChannelCsvExport out;
    QString text = CsvLine(ChannelCsvColumns()) + QLatin1Char('\n');
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        const ConstChannelRecord ch = image.channel(n);
        if (ch.isEmpty())
            continue;
        const std::int64_t rx = FrequencyUnits(ch.rxBytes());
        const std::int64_t tx = FrequencyUnits(ch.txBytes());
        QString duplex, offset = MhzText(0);
        if (tx != rx) {
            const bool inBand
                = IsInBand(rx, band.low, band.high) && IsInBand(tx, band.low, band.high);
            if (inBand) {
                duplex = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
                offset = MhzText(tx > rx ? tx - rx : rx - tx);
            } else {
                duplex = QStringLiteral("split");
                offset = MhzText(tx);
            }
        }
        const CsvToneColumns tones = ToneColumnsOfWords(ch.encodeTone(), ch.decodeTone());
        QString encode, decode, problem;
        if (!ToneTextsOfColumns(tones, &encode, &decode, &problem))
            out.warnings.append({ n,
                LanguageText(
                    "channel %1: %2; the row will not import back", "信道 %1：%2；此行无法再导入")
                    .arg(n)
                    .arg(problem) });
        const char *busy[] = { "off", "carrier", "qt/dqt", "qt/dqt" };
        const QString comment
            = QStringLiteral("busylock=%1; compand=%2")
                  .arg(QLatin1String(busy[static_cast<int>(ch.busyLock())]),
                      ch.compand() ? QStringLiteral("yes") : QStringLiteral("no"));
        const QStringList row = { QString::number(n), QString(), MhzText(rx), duplex, offset,
            tones.tone, tones.rToneFreq, tones.cToneFreq, tones.dtcsCode, tones.dtcsPolarity,
            tones.rxDtcsCode, tones.crossMode,
            ch.wide() ? QStringLiteral("FM") : QStringLiteral("NFM"),
            rx % 500 == 0 ? QStringLiteral("5.00") : QStringLiteral("6.25"),
            ch.scanAdd() ? QString() : QStringLiteral("S"),
            ch.powerHigh() ? QStringLiteral("5.0W") : QStringLiteral("1.0W"), comment, QString(),
            QString(), QString(), QString() };
        text += CsvLine(row) + QLatin1Char('\n');
        ++out.rows;
    }
    out.csv = text.toUtf8();
    return out;
}

ChannelCsvImport ReadChannelCsv(const QByteArray &bytes, const ChannelCsvImportOptions &options)
{
    ChannelCsvImport result;
    CsvDocument doc;
    if (!ParseCsv(bytes, &doc, &result.error))
        return result;
    Header header;
    const CsvRecord &head = doc.records.first();
    for (int i = 0; i < head.fields.size(); ++i) {
        const QString name = head.fields.at(i).trimmed().toLower();
        if (!name.isEmpty() && !header.index.contains(name))
            header.index.insert(name, i);
    }
    if (!header.has("frequency")) {
        result.error = LanguageText("Line %1 is no channel list header: it has no Frequency column "
                                    "(expected Location,Name,Frequency,Duplex,Offset,Tone,...).",
            "第 %1 行不是信道表的标题行：没有 Frequency 列（应为 "
            "Location,Name,Frequency,Duplex,Offset,Tone,...）。")
                           .arg(head.line);
        return result;
    }
    const QList<CsvRecord> rows = doc.records.mid(1);
    result.dataRows = rows.size();
    if (rows.isEmpty()) {
        result.error = LanguageText(
            "The file has a header but no channel rows.", "文件只有标题行，没有信道行。");
        return result;
    }

    // Every row is read first: placement is decided by the rows that can be imported.
    struct ReadRow
    {
        const CsvRecord *record;
        QStringList texts;
    };
    QList<ReadRow> usable;
    for (const CsvRecord &r : rows) {
        QStringList texts;
        QString problem;
        if (RowToTexts(r, header, options.band, &texts, &problem))
            usable.append({ &r, texts });
        else
            result.problems.append({ r.line, problem });
    }

    // By Location only when every such row names its own channel; else say which row did not.
    CsvPlacement placement = options.placement;
    if (placement == CsvPlacement::Automatic) {
        QHash<int, int> seen;
        placement = CsvPlacement::ByLocation;
        if (!header.has("location")) {
            placement = CsvPlacement::InOrder;
            result.placementCause = { head.line,
                LanguageText("the list has no Location column", "信道表没有 Location 列") };
        }
        for (int i = 0; i < usable.size() && placement == CsvPlacement::ByLocation; ++i) {
            const CsvRecord &r = *usable.at(i).record;
            const int n = LocationOf(r, header);
            if (n == 0) {
                placement = CsvPlacement::InOrder;
                result.placementCause = { r.line,
                    LanguageText("Location \"%1\" is not a channel 1 to 16",
                        "Location \"%1\" 不是信道 1 至 16")
                        .arg(CsvField(r, header, "Location").left(40)) };
            } else if (seen.contains(n)) {
                placement = CsvPlacement::InOrder;
                result.placementCause = { r.line,
                    LanguageText("Location %1 repeats line %2", "Location %1 与第 %2 行重复")
                        .arg(n)
                        .arg(seen.value(n)) };
            }
            seen.insert(n, r.line);
        }
    }
    result.placement = placement;

    QHash<int, int> lineOfChannel;
    int next = qBound(1, options.firstChannel, mem::ChannelCount);
    int firstLeftOver = 0, leftOver = 0, lastLeftOver = 0;
    for (const ReadRow &row : std::as_const(usable)) {
        const CsvRecord &r = *row.record;
        const QStringList &texts = row.texts;
        int channel = 0;
        if (placement == CsvPlacement::ByLocation) {
            channel = LocationOf(r, header);
            if (channel == 0) {
                result.problems.append({ r.line,
                    LanguageText("Location \"%1\" is not a channel 1 to 16",
                        "Location \"%1\" 不是信道 1 至 16")
                        .arg(CsvField(r, header, "Location").left(40)) });
                continue;
            }
            if (lineOfChannel.contains(channel)) {
                result.problems.append({ r.line,
                    LanguageText(
                        "Location %1 was already taken by line %2", "Location %1 已被第 %2 行占用")
                        .arg(channel)
                        .arg(lineOfChannel.value(channel)) });
                continue;
            }
        } else {
            if (next > mem::ChannelCount) {
                if (leftOver++ == 0)
                    firstLeftOver = r.line;
                lastLeftOver = r.line;
                continue;
            }
            channel = next++;
        }
        lineOfChannel.insert(channel, r.line);
        result.channels.append({ r.line, channel, texts });
    }
    if (leftOver > 0)
        result.problems.append({ firstLeftOver,
            LanguageText("%1 row(s) up to line %2 found no channel: the radio has 16",
                "到第 %2 行为止有 %1 行没有可用信道：本机只有 16 个信道")
                .arg(leftOver)
                .arg(lastLeftOver) });
    std::stable_sort(result.problems.begin(), result.problems.end(),
        [](const ChannelCsvProblem &a, const ChannelCsvProblem &b) { return a.line < b.line; });
    return result;
}

QString CsvPlacementText(const ChannelCsvImport &import, int firstChannel)
{
    if (import.placement == CsvPlacement::ByLocation)
        return LanguageText("Rows placed by their Location.", "按 Location 列放置各行。");
    const QString text = LanguageText(
        "Rows placed in file order from channel %1.", "按文件顺序从信道 %1 起放置各行。")
                             .arg(qBound(1, firstChannel, mem::ChannelCount));
    if (import.placementCause.line == 0)
        return text;
    // Channels then get other numbers than the list shows: the user must see why.
    return text + QLatin1Char(' ')
        + LanguageText(
            "Not by Location because of line %1: %2.", "未按 Location 放置，因为第 %1 行：%2。")
              .arg(import.placementCause.line)
              .arg(import.placementCause.text);
}

MemoryImage ApplyChannelCsv(
    const MemoryImage &base, const ChannelCsvImport &import, ImportScope scope)
{
    MemoryImage after = base;
    ChannelTable table;
    QSet<int> listed;
    for (const ImportedChannel &c : import.channels) {
        if (c.channel < 1 || c.channel > mem::ChannelCount
            || c.texts.size() != ChannelTable::Cols - 1)
            continue;
        for (int col = ColRx; col < ChannelTable::Cols; ++col)
            table.setText(c.channel, col, c.texts.at(col - ColRx));
        listed.insert(c.channel);
    }
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        // An empty channel not in the list is left alone: the grid would show it empty anyway.
        const bool clear = scope == ImportScope::ReplaceAll && !after.channel(n).isEmpty();
        if (listed.contains(n) || clear)
            TableRowToChannel(table, n, after);
    }
    return after;
}

int ChannelCsvImport::skippedRows() const
{
    return qMax(0, dataRows - int(channels.size()));
}

BandLimits ChannelCsvBand(const MemoryImage &image)
{
    return BandLimitsOfProduct(image[mem::ProductType], image[mem::FrequencyBand]);
}
