// SPDX-License-Identifier: GPL-3.0-or-later
// Typed and stored texts through the parsers and the cell commit rules:
// frequencies, tones, the number boxes of Scan Information, band texts, and
// a run of cell commits on the grid. Decode → encode → decode is stable, and
// no value outside its range is ever stored.
#include "core/app/StringTable.h"
#include "core/channels/CellRules.h"
#include "core/channels/ChannelTable.h"
#include "core/image/Codecs.h"
#include "core/image/DecimalNumber.h"
#include "core/image/SettingsArea.h"
#include "core/settings/ScanInfoRules.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

constexpr std::int64_t MaxUnits = 99999999;
/// Cell commits per input: enough for any sequence of edits on one row.
constexpr int MaxCommits = 24;

QString Bytes(const FrequencyBytes &b)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(b[0], 2, 16, QLatin1Char('0'))
        .arg(b[1], 2, 16, QLatin1Char('0'))
        .arg(b[2], 2, 16, QLatin1Char('0'))
        .arg(b[3], 2, 16, QLatin1Char('0'));
}

bool IsNone(const FrequencyBytes &b)
{
    return b == FrequencyBytes { 0xFF, 0xFF, 0xFF, 0xFF };
}

// Stored bytes are packed decimal: no nibble above 9.
bool IsPackedDecimal(const FrequencyBytes &b)
{
    for (std::uint8_t x : b)
        if ((x >> 4) > 9 || (x & 0x0F) > 9)
            return false;
    return true;
}

// A frequency text as the grid shows it: digits, a point, five decimals.
bool IsFrequencyText(const QString &t)
{
    const int dot = t.indexOf(QLatin1Char('.'));
    if (dot < 1 || t.size() - dot - 1 != 5)
        return false;
    for (int i = 0; i < t.size(); ++i)
        if (i != dot && (t.at(i) < QLatin1Char('0') || t.at(i) > QLatin1Char('9')))
            return false;
    return true;
}

void CheckFrequencyText(const QString &text)
{
    const ParsedFrequency p = ParseFrequency(text);
    const FrequencyBytes b = EncodeFrequency(p.units);
    if (IsNone(b))
        return;
    // Only what the four bytes give back is stored, and it is stored exactly; past
    // eight digits only the top pair goes above 99.
    FUZZ_CHECK(p.units >= 1 && p.units <= MaxEncodableUnits);
    if (p.units <= MaxUnits)
        FUZZ_CHECK(IsPackedDecimal(b));
    FUZZ_CHECK_EQ(FrequencyUnits(b), p.units);
    // The shown text (rounded to five decimals) is stable and stores as itself.
    const ParsedFrequency shown = ParseFrequency(p.text);
    FUZZ_CHECK_EQ(shown.text, p.text);
    const FrequencyBytes sb = EncodeFrequency(shown.units);
    if (ConstChannelRecord::isMsbSet(sb[3]))
        FUZZ_CHECK_EQ(DecodeFrequency(sb), p.text);
}

// Any four stored bytes: decode → encode → decode gives the same text.
void CheckFrequencyBytes(const FrequencyBytes &stored)
{
    const QString shown = DecodeFrequency(stored);
    if (shown.isEmpty()) {
        FUZZ_CHECK(!ConstChannelRecord::isMsbSet(stored[3]));
        return;
    }
    FUZZ_CHECK(IsFrequencyText(shown));
    const ParsedFrequency p = ParseFrequency(shown);
    FUZZ_CHECK_EQ(p.text, shown);
    FUZZ_CHECK_EQ(p.units, FrequencyUnits(stored));
    const FrequencyBytes b = EncodeFrequency(p.units);
    if (p.units > MaxEncodableUnits) {
        // Nibbles above 9 can sum past what four bytes give back: stored as none.
        FUZZ_CHECK(IsNone(b));
        return;
    }
    // Past eight digits only the top pair goes above 99, as the decoder reads it.
    if (p.units <= MaxUnits)
        FUZZ_CHECK(IsPackedDecimal(b));
    FUZZ_CHECK_EQ(DecodeFrequency(b), shown);
    FUZZ_CHECK_EQ(Bytes(EncodeFrequency(ParseFrequency(DecodeFrequency(b)).units)), Bytes(b));
}

// A stored tone word is no tone, a digital code, or an analogue tone that two bytes hold.
void CheckToneWord(ToneWord w)
{
    if (w.high == 0xFF)
        return;
    FUZZ_CHECK(w.high != 0x00); // "no tone" is always written FF FF
    const bool digital = w.high == 0x28 || w.high == 0x29 || w.high == 0xA8 || w.high == 0xA9;
    if (digital) {
        // Bit 8 of the code's octal value matches the code number's range.
        const int code = DcsByteToCode(w.low, w.high & 0x01);
        FUZZ_CHECK(code == 0 || DcsCodeToByte(code) == w.low);
    }
}

// Every list entry stores a word that shows the entry again (checked once per language).
void CheckToneList(Language lang)
{
    static bool checked[2] = { false, false };
    if (checked[int(lang)])
        return;
    checked[int(lang)] = true;
    const QStringList list = BuildToneList(lang);
    FUZZ_CHECK_EQ(int(list.size()), 265);
    for (const QString &entry : list) {
        const ToneWord w = EncodeTone(entry);
        CheckToneWord(w);
        FUZZ_CHECK_EQ(DecodeTone(w, false, lang), entry);
    }
}

void CheckTone(const QString &text, ToneWord stored, Language lang)
{
    CheckToneList(lang);
    // Typed text reaches the tone cells only as list entries (checked above), so any
    // other text need not store a well-formed word; what it stores must still settle.
    const ToneWord w = EncodeTone(text);
    for (ToneWord word : { w, stored }) {
        for (bool empty : { false, true }) {
            const QString shown = DecodeTone(word, empty, lang);
            if (shown.isEmpty()) {
                FUZZ_CHECK(empty && (word.high == 0x00 || word.high == 0xFF));
                continue;
            }
            // What the grid shows stores a well-formed word that shows the same text.
            const ToneWord again = EncodeTone(shown);
            CheckToneWord(again);
            FUZZ_CHECK_EQ(DecodeTone(again, empty, lang), shown);
            FUZZ_CHECK(EncodeTone(DecodeTone(again, empty, lang)) == again);
        }
    }
}

void CheckOptions(const QString &text, Language lang)
{
    for (OptionKind kind : { OptionKind::Power, OptionKind::ScanAdd, OptionKind::BusyLock,
             OptionKind::Bandwidth, OptionKind::Compand }) {
        const int code = EncodeOption(kind, text);
        FUZZ_CHECK(code >= 0 && code <= (kind == OptionKind::BusyLock ? 2 : 1));
        const QString shown = DecodeOption(kind, code, false, lang);
        FUZZ_CHECK(OptionTexts(kind, lang).contains(shown));
        FUZZ_CHECK_EQ(EncodeOption(kind, shown), code);
    }
}

// Scan Information boxes: what a box accepts is a finite number, and what the
// correction leaves is in range and stores a code that reads back as itself.
void CheckNumberBoxes(const QString &text)
{
    double x = 0;
    if (ParseNumberBox(text, &x)) {
        FUZZ_CHECK(std::isfinite(x));
        const double corrected = LookBackCorrection(x);
        FUZZ_CHECK(corrected >= LookBackMin && corrected <= LookBackMax);
        const int code = LookBackCodeOfTime(corrected);
        FUZZ_CHECK(code >= 1 && code <= 91);
        FUZZ_CHECK_EQ(LookBackCodeOfTime(LookBackTimeOfCode(code)), code);
        double shown = 0;
        FUZZ_CHECK(ParseNumberBox(FormatLookBackTime(LookBackTimeOfCode(code)), &shown));
        FUZZ_CHECK_EQ(LookBackCodeOfTime(shown), code);
        for (int delta : { 1, -1 }) {
            const double stepped = LookBackStep(corrected, delta);
            FUZZ_CHECK(stepped >= LookBackMin && stepped <= LookBackMax);
        }
    }
    int n = 0;
    if (ParseIntegerBox(text, &n)) {
        int again = 0;
        FUZZ_CHECK(ParseIntegerBox(QString::number(n), &again));
        FUZZ_CHECK_EQ(again, n);
        const int counter = CounterCorrection(n);
        FUZZ_CHECK(counter >= 0 && counter <= ScanCounterMax);
        FUZZ_CHECK(CounterStep(counter, 1) >= 0 && CounterStep(counter, 1) <= ScanCounterMax);
        FUZZ_CHECK(CounterStep(counter, -1) >= 0 && CounterStep(counter, -1) <= ScanCounterMax);
    }
    const int channel = PriorityChannelNumber(text);
    Q_UNUSED(channel);
}

BandLimits CheckBand(const QString &fieldValue, int index)
{
    const QStringList bands = SplitBandList(fieldValue);
    FUZZ_CHECK(!bands.isEmpty());
    FUZZ_CHECK_EQ(bands.join(QLatin1Char('|')), fieldValue);
    const QString band = BandTextOfIndex(bands, index);
    FUZZ_CHECK(bands.contains(band));
    const BandLimits limits = BandLimitsOfText(band);
    FUZZ_CHECK(limits.low >= 0 && limits.high >= 0);
    FUZZ_CHECK(limits.low % 100000 == 0 && limits.high % 100000 == 0);
    return limits;
}

// A run of commits on the grid: every frequency a commit leaves in a cell is
// in the band and on a step, and survives the store into the image and back.
void CheckCommits(FuzzedDataProvider &in, const BandLimits &band, Language lang)
{
    // The grid starts from channel records the fuzzer fills in part.
    MemoryImage image = MemoryImage::defaults();
    const std::string records = in.ConsumeRandomLengthString(mem::ChannelCount * mem::RecordSize);
    std::copy(records.begin(), records.end(), image.data() + mem::channelOffset(1));
    ChannelTable table = ChannelTable::withHeaders(lang);
    ChannelsToTable(image, table, lang);
    static const QStringList toneLists[2]
        = { BuildToneList(Language::English), BuildToneList(Language::Chinese) };
    const QStringList &tones = toneLists[int(lang)];
    std::vector<GridCell> committed; // frequency cells a commit filled
    for (int commits = 0; commits < MaxCommits && in.remaining_bytes() > 0; ++commits) {
        const int row = in.ConsumeIntegralInRange(1, ChannelTable::Rows - 1);
        const int col = in.ConsumeIntegralInRange(1, ChannelTable::Cols - 1);
        const CellEditorKind kind = EditorKindOfColumn(col);
        QString text;
        if (IsEditField(kind)) {
            text = QString::fromUtf8(in.ConsumeRandomLengthString(24));
        } else {
            // A drop-down commits one of its items, or the cell's own text.
            const QStringList items = EditorItems(kind, tones, lang);
            text = ListCommitText(
                items, in.ConsumeIntegralInRange(-1, int(items.size()) - 1), table.text(row, col));
        }
        const ChannelTable before = table;
        const int message = CommitCell(table, row, col, text, band, lang);
        FUZZ_CHECK(message == 0 || message == ids::OutOfRange || message == ids::StepError);
        for (int r = 1; r < ChannelTable::Rows; ++r)
            for (int c = 0; c < ChannelTable::Cols; ++c)
                if (r != row || c == ColChannel)
                    FUZZ_CHECK(table.text(r, c) == before.text(r, c));
        if (IsEditField(kind)) {
            const QString cell = table.text(row, col);
            if (message != 0) {
                FUZZ_CHECK(cell.isEmpty());
            } else if (!cell.isEmpty() && cell != before.text(row, ColRx)) {
                // What a commit puts into a frequency cell is a valid, storable frequency.
                const ParsedFrequency f = ParseFrequency(cell);
                FUZZ_CHECK(IsFrequencyText(cell));
                FUZZ_CHECK(IsInBand(f.units, band.low, band.high) && IsOnStep(f.units));
                committed.push_back({ row, col });
            }
            // No transmit frequency without a receive frequency.
            if (table.text(row, ColRx).isEmpty() && before.text(row, ColTx).isEmpty())
                FUZZ_CHECK(table.text(row, ColTx).isEmpty());
        } else if (table.text(row, ColRx).isEmpty() && table.text(row, ColTx).isEmpty()) {
            FUZZ_CHECK(table.text(row, col).isEmpty()); // an empty channel takes no attributes
        }
    }
    // Stored into the image, every committed frequency still in its cell reads back as shown.
    MemoryImage out = image;
    TableToChannels(table, out);
    for (const GridCell &c : committed) {
        const QString cell = table.text(c.row, c.col);
        const ConstChannelRecord ch = out.channel(c.row);
        const QString readBack = DecodeFrequency(c.col == ColRx ? ch.rxBytes() : ch.txBytes());
        if (readBack != cell && !cell.isEmpty() && IsFrequencyText(cell)
            && IsInBand(ParseFrequency(cell).units, band.low, band.high))
            fuzzcheck::Fail(__FILE__, __LINE__, "a committed frequency reads back from the image",
                readBack, cell);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const Language lang = in.ConsumeBool() ? Language::Chinese : Language::English;
    const QString text = QString::fromUtf8(in.ConsumeRandomLengthString(64));
    FrequencyBytes stored {};
    for (std::uint8_t &b : stored)
        b = in.ConsumeIntegral<std::uint8_t>();
    const ToneWord word { in.ConsumeIntegral<std::uint8_t>(), in.ConsumeIntegral<std::uint8_t>() };

    CheckFrequencyText(text);
    CheckFrequencyBytes(stored);
    CheckTone(text, word, lang);
    CheckOptions(text, lang);
    CheckNumberBoxes(text);
    const QString fieldValue = QString::fromUtf8(in.ConsumeRandomLengthString(48));
    const BandLimits band = CheckBand(fieldValue, in.ConsumeIntegralInRange(-1, 8));
    CheckCommits(in, band, lang);
    return 0;
}
