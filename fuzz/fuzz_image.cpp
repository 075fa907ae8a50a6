// SPDX-License-Identifier: GPL-3.0-or-later
// Any 1024 bytes as a file or a radio may hold them, through every path that
// turns the image into texts or positions and back: the channel grid, the
// Optional Features, Scan Information and Product Information load/store, and
// the report layout. No path changes a byte it does not own, and a second
// pass over its own result changes nothing.
#include "core/channels/ChannelTable.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/report/ReportLayout.h"
#include "core/report/ReportTexts.h"
#include "core/settings/OptionalFeaturesRules.h"
#include "core/settings/ProductInfoRules.h"
#include "core/settings/ScanInfoRules.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <utility>

namespace {

/// Bits of each byte a path may change (0 = none).
using Ownership = std::array<std::uint8_t, mem::ImageSize>;

void CheckOnlyOwnedChange(
    const MemoryImage &before, const MemoryImage &after, const Ownership &owned, const char *path)
{
    // Branch-free first pass: the harness's own comparisons only slow the fuzzer.
    const std::uint8_t *b = before.data();
    const std::uint8_t *a = after.data();
    unsigned changed = 0;
    for (int i = 0; i < mem::ImageSize; ++i)
        changed |= (b[i] ^ a[i]) & ~owned[i];
    if (!changed)
        return;
    for (int i = 0; i < mem::ImageSize; ++i) {
        if ((before[i] ^ after[i]) & ~owned[i])
            fuzzcheck::Fail(__FILE__, __LINE__,
                qPrintable(QStringLiteral("%1 keeps byte 0x%2 outside its bits %3")
                               .arg(QLatin1String(path))
                               .arg(i, 3, 16, QLatin1Char('0'))
                               .arg(owned[i], 2, 16, QLatin1Char('0'))),
                QString::number(after[i], 16), QString::number(before[i], 16));
    }
}

void CheckSame(const MemoryImage &got, const MemoryImage &expected, const char *what)
{
    if (std::memcmp(got.data(), expected.data(), mem::ImageSize) == 0)
        return;
    for (int i = 0; i < mem::ImageSize; ++i)
        if (got[i] != expected[i])
            fuzzcheck::Fail(__FILE__, __LINE__,
                qPrintable(QStringLiteral("%1: byte 0x%2")
                               .arg(QLatin1String(what))
                               .arg(i, 3, 16, QLatin1Char('0'))),
                QString::number(got[i], 16), QString::number(expected[i], 16));
}

Ownership GridOwnership()
{
    Ownership o {};
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        const int at = mem::channelOffset(n);
        std::fill_n(o.begin() + at, rec::FlagsA, 0xFF); // frequencies and tone words
        o[at + rec::FlagsA] = rec::CompandBit | rec::BusyLockMask;
        o[at + rec::FlagsB] = rec::PowerBit | rec::WideBit;
    }
    o[mem::ScanAddLow] = 0xFF;
    o[mem::ScanAddHigh] = 0xFF;
    return o;
}

Ownership OptionalFeaturesOwnership()
{
    Ownership o {};
    o[mem::VoiceAnnunciation] = 0xFF;
    o[mem::TimeOutTimer] = mem::TimeOutTimerMask;
    o[mem::TotPreAlert] = mem::TotPreAlertMask;
    o[mem::SquelchLevel] = mem::SquelchLevelMask;
    o[mem::BatterySaver] = mem::BatterySaverMask;
    o[mem::Beep] = mem::BeepMask;
    o[mem::VoxGainLevel] = mem::VoxGainLevelMask;
    o[mem::VoxDelayTime] = mem::VoxDelayTimeMask;
    o[mem::CallKeyDefine] = 0xFF;
    o[mem::CallTone] = 0xFF;
    return o;
}

Ownership ScanInfoOwnership()
{
    Ownership o {};
    for (int i = mem::Priority; i <= mem::TxDwellTime + 1; ++i)
        o[i] = 0xFF;
    return o;
}

Ownership ProductOwnership()
{
    Ownership o {};
    o[mem::ProductType] = 0xFF;
    o[mem::FrequencyBand] = 0xFF;
    return o;
}

// Image → grid → image, as loading a file and saving it does.
MemoryImage GridPass(const MemoryImage &image, Language lang, ChannelTable *tableOut = nullptr)
{
    ChannelTable table; // headers play no part in the store or the report
    ChannelsToTable(image, table, lang);
    MemoryImage out = image;
    TableToChannels(table, out);
    if (tableOut)
        *tableOut = table;
    return out;
}

void CheckGrid(const MemoryImage &image, Language lang, ChannelTable &first)
{
    static const Ownership owned = GridOwnership();
    const MemoryImage once = GridPass(image, lang, &first);
    CheckOnlyOwnedChange(image, once, owned, "grid");
    // The grid shows what it stores: a stored channel reads back with the same texts,
    // except a frequency that eight digits cannot hold (shown, then stored as none).
    ChannelTable second;
    const MemoryImage twice = GridPass(once, lang, &second);
    CheckSame(twice, once, "a second grid pass changes nothing");
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        const ConstChannelRecord ch = image.channel(n);
        const auto unstorable = [](const FrequencyBytes &b) {
            return ConstChannelRecord::isMsbSet(b[3]) && FrequencyUnits(b) > 99999999;
        };
        if (unstorable(ch.rxBytes()) || unstorable(ch.txBytes()))
            continue;
        for (int c = ColRx; c < ChannelTable::Cols; ++c)
            if (first.text(n, c) != second.text(n, c))
                fuzzcheck::Fail(__FILE__, __LINE__,
                    qPrintable(QStringLiteral("grid text of channel %1 column %2 reads back")
                                   .arg(n)
                                   .arg(c)),
                    second.text(n, c), first.text(n, c));
    }
}

void CheckOptionalFeatures(const MemoryImage &image)
{
    static const Ownership owned = OptionalFeaturesOwnership();
    const OptionalFeaturesState state = LoadOptionalFeatures(image);
    // Every position names an entry of its list, or none.
    FUZZ_CHECK(state.timeOutTimer >= -1 && state.timeOutTimer < 40);
    FUZZ_CHECK(state.totPreAlert >= -1 && state.totPreAlert < 11);
    FUZZ_CHECK(state.squelchLevel >= -1 && state.squelchLevel < 10);
    FUZZ_CHECK(state.voiceAnnunciation >= 0 && state.voiceAnnunciation < 3);
    FUZZ_CHECK(state.voxGainLevel >= -1 && state.voxGainLevel < 17);
    FUZZ_CHECK(state.voxDelayTime >= -1 && state.voxDelayTime < 6);
    FUZZ_CHECK(state.callTone >= -1 && state.callTone < 17);
    FUZZ_CHECK(state.callKeyDefine >= 0 && state.callKeyDefine < 3);
    MemoryImage once = image;
    StoreOptionalFeatures(once, state);
    CheckOnlyOwnedChange(image, once, owned, "Optional Features OK");
    // A selected entry stays selected; a list without a selection stores a code of its own.
    const OptionalFeaturesState reloaded = LoadOptionalFeatures(once);
    for (const auto &[was, now] : { std::pair { state.timeOutTimer, reloaded.timeOutTimer },
             std::pair { state.totPreAlert, reloaded.totPreAlert },
             std::pair { state.squelchLevel, reloaded.squelchLevel },
             std::pair { state.voiceAnnunciation, reloaded.voiceAnnunciation },
             std::pair { state.voxGainLevel, reloaded.voxGainLevel },
             std::pair { state.voxDelayTime, reloaded.voxDelayTime },
             std::pair { state.callTone, reloaded.callTone },
             std::pair { state.callKeyDefine, reloaded.callKeyDefine } })
        if (was >= 0)
            FUZZ_CHECK_EQ(now, was);
    FUZZ_CHECK(reloaded.beep == state.beep && reloaded.batterySaver == state.batterySaver);
    MemoryImage twice = once;
    StoreOptionalFeatures(twice, LoadOptionalFeatures(once));
    CheckSame(twice, once, "a second Optional Features OK changes nothing");
}

void CheckScanInfo(const MemoryImage &image)
{
    static const Ownership owned = ScanInfoOwnership();
    MemoryImage once = image;
    const ScanInfoStoreResult result = StoreScanInfo(once, LoadScanInfo(image));
    if (result == ScanInfoStoreResult::ChannelRefused)
        CheckSame(once, image, "a refused Scan Information OK writes nothing");
    CheckOnlyOwnedChange(image, once, owned, "Scan Information OK");
    MemoryImage twice = once;
    StoreScanInfo(twice, LoadScanInfo(once));
    CheckSame(twice, once, "a second Scan Information OK changes nothing");
}

void CheckProduct(const MemoryImage &image, int types, int bands)
{
    static const Ownership owned = ProductOwnership();
    const int type = ProductListPosition(image.at(mem::ProductType), types);
    const int band = ProductListPosition(image.at(mem::FrequencyBand), bands);
    FUZZ_CHECK(type >= -1 && type < types && band >= -1 && band < bands);
    MemoryImage once = image;
    StoreProductChoice(once, type, band);
    CheckOnlyOwnedChange(image, once, owned, "Product Information OK");
    MemoryImage twice = once;
    StoreProductChoice(twice, ProductListPosition(once.at(mem::ProductType), types),
        ProductListPosition(once.at(mem::FrequencyBand), bands));
    CheckSame(twice, once, "a second Product Information OK changes nothing");
}

// The report prints every used channel once, with the grid's texts, and
// nothing outside the page.
void CheckReport(
    const MemoryImage &image, const ChannelTable &table, Language lang, FuzzedDataProvider &in)
{
    ReportInput input;
    input.image = image;
    input.language = lang;
    input.owner = QString::fromUtf8(in.ConsumeRandomLengthString(40));
    input.table = table; // the grid's texts of image
    ReportMetrics m
        = ReportUnits(in.ConsumeIntegralInRange(100, 20000), in.ConsumeIntegralInRange(100, 20000),
            in.ConsumeIntegralInRange(50, 2400), in.ConsumeIntegralInRange(50, 2400));
    m.l1 = in.ConsumeIntegralInRange(0, 2 * m.h + 10);
    m.l2 = in.ConsumeIntegralInRange(0, 2 * m.h + 10);

    const QList<int> used = UsedChannelRows(input.table);
    const int pages = ReportPageCount(input.table);
    FUZZ_CHECK_EQ(pages, 1 + (int(used.size()) + 6) / 7);
    FUZZ_CHECK(pages >= 1 && pages <= 4);
    const QVector<ReportRow> options = ReportOptionRows(image, lang);
    const QVector<ReportChannelLine> lines = ReportChannelLines(lang);
    QString headings[ChannelTable::Rows];
    for (int r : used)
        headings[r] = ReportChannelHeading(r, lang);
    QList<int> printed;
    for (int page = 1; page <= pages; ++page) {
        const QVector<ReportOp> ops = LayoutReportPage(input, page, m);
        FUZZ_CHECK(ops.size() >= 5);
        FUZZ_CHECK_EQ(ops.last().text, ReportPageText(page, pages));
        FUZZ_CHECK_EQ(ops.at(ops.size() - 2).text, input.owner);
        for (const ReportOp &op : ops) {
            FUZZ_CHECK(op.y <= 0 && op.x >= 0 && op.x <= 66 * m.w);
            if (op.kind == ReportOp::Line)
                FUZZ_CHECK(op.y2 <= 0 && op.x2 >= op.x && op.x2 <= 66 * m.w);
        }
        if (page == 1) {
            // Title, subtitle, then label and value of each option row.
            FUZZ_CHECK_EQ(int(ops.size()), 3 + 2 + 2 * int(options.size()) + 2);
            for (int i = 0; i < options.size(); ++i) {
                FUZZ_CHECK_EQ(ops.at(5 + 2 * i).text, options.at(i).label);
                FUZZ_CHECK_EQ(ops.at(6 + 2 * i).text, options.at(i).value);
                FUZZ_CHECK(!options.at(i).value.isEmpty());
            }
            continue;
        }
        // Each channel: its heading, then four lines of two labels and two values.
        int i = 4;
        while (i + 1 + 16 <= ops.size() - 2) {
            int row = -1;
            for (int r : used)
                if (ops.at(i).text == headings[r])
                    row = r;
            FUZZ_CHECK(row > 0);
            printed << row;
            for (int k = 0; k < lines.size(); ++k) {
                const int at = i + 1 + 4 * k;
                FUZZ_CHECK_EQ(ops.at(at).text, lines.at(k).leftLabel);
                FUZZ_CHECK_EQ(ops.at(at + 1).text, input.table.text(row, lines.at(k).leftColumn));
                FUZZ_CHECK_EQ(ops.at(at + 2).text, lines.at(k).rightLabel);
                FUZZ_CHECK_EQ(ops.at(at + 3).text, input.table.text(row, lines.at(k).rightColumn));
            }
            i += 17;
        }
        FUZZ_CHECK_EQ(i, int(ops.size()) - 2);
    }
    FUZZ_CHECK(printed == used);
    // A page past the last lays out its frame only.
    FUZZ_CHECK_EQ(int(LayoutReportPage(input, pages + 1, m).size()), 3 + 1 + 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(std::min<size_t>(size, 1024)));
    bytes.append(QByteArray(mem::ImageSize - bytes.size(), char(0xFF)));
    MemoryImage image;
    FUZZ_CHECK(MemoryImage::fromBytes(bytes, &image));
    FUZZ_CHECK(image.toByteArray() == bytes);
    FuzzedDataProvider in(data + std::min<size_t>(size, 1024), size - std::min<size_t>(size, 1024));
    const Language lang = in.ConsumeBool() ? Language::Chinese : Language::English;

    ChannelTable table;
    CheckGrid(image, lang, table);
    CheckOptionalFeatures(image);
    CheckScanInfo(image);
    CheckProduct(
        image, in.ConsumeIntegralInRange(0, MaxProductTypes), in.ConsumeIntegralInRange(1, 8));
    CheckReport(image, table, lang, in);
    return 0;
}
