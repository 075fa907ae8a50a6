// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for channel-list import: any bytes as a CSV file.
// Invariants checked on every input:
//  - the reader never crashes, and a file it refuses places no channel;
//  - no channel is placed twice or outside 1..16;
//  - import changes only channel records and the scan-add bytes;
//  - every imported channel holds what the grid could hold: frequencies in the band and
//    on a 5 / 6.25 kHz step, tones of the radio's lists, busy lock 0..2;
//  - export of the result, imported again, gives the same image (stable round trip).
#include "core/channels/ChannelCsv.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

namespace {

const BandLimits kBand { 13600000, 17400000 };

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

MemoryImage Base()
{
    MemoryImage image;
    for (int i = 0; i < mem::ImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    return image;
}

bool ListedTone(ToneWord w)
{
    if (w.high == 0xFF && w.low == 0xFF)
        return true;
    static const QStringList listed = BuildToneList(Language::English);
    const QString text = DecodeTone(w, false, Language::English);
    return listed.contains(text) && EncodeTone(text) == w;
}

bool OutsideChannels(int offset)
{
    return offset < mem::channelOffset(1) || offset >= mem::channelOffset(mem::ChannelCount + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    static const MemoryImage base = Base();
    for (const CsvPlacement placement :
        { CsvPlacement::Automatic, CsvPlacement::ByLocation, CsvPlacement::InOrder }) {
        ChannelCsvImportOptions options;
        options.band = kBand;
        options.placement = placement;
        options.firstChannel = size > 0 ? data[0] % 16 + 1 : 1;
        const ChannelCsvImport in = ReadChannelCsv(bytes, options);
        Check(in.error.isEmpty() || in.channels.isEmpty());
        Check(in.placement != CsvPlacement::Automatic);
        QSet<int> channels;
        for (const ImportedChannel &c : in.channels) {
            Check(c.channel >= 1 && c.channel <= mem::ChannelCount);
            Check(!channels.contains(c.channel));
            channels.insert(c.channel);
        }
        for (const ImportScope scope : { ImportScope::ReplaceAll, ImportScope::OnlyListed }) {
            const MemoryImage after = ApplyChannelCsv(base, in, scope);
            for (int i = 0; i < mem::ImageSize; ++i)
                if (OutsideChannels(i) && i != mem::ScanAddLow && i != mem::ScanAddHigh)
                    Check(after.at(i) == base.at(i));
            for (int n = 1; n <= mem::ChannelCount; ++n) {
                const ConstChannelRecord ch = after.channel(n);
                if (!channels.contains(n)) {
                    if (scope == ImportScope::OnlyListed)
                        for (int i = 0; i < mem::RecordSize; ++i)
                            Check(after.at(ch.offset() + i) == base.at(ch.offset() + i));
                    continue;
                }
                Check(!ch.isEmpty());
                for (const FrequencyBytes &f : { ch.rxBytes(), ch.txBytes() }) {
                    const std::int64_t units = FrequencyUnits(f);
                    Check(IsInBand(units, kBand.low, kBand.high) && IsOnStep(units));
                    Check(EncodeFrequency(units) == f);
                }
                Check(ListedTone(ch.encodeTone()) && ListedTone(ch.decodeTone()));
                Check(ch.busyLock() != BusyLock::ToneAlt);
                Check(ch.byte(rec::Spare) == base.at(ch.offset() + rec::Spare));
                Check(ch.byte(rec::Spare + 1) == base.at(ch.offset() + rec::Spare + 1));
            }
            // What import made, export and import again keep as it is. (With OnlyListed the
            // base's own channels, which no rule made, would be exported too.)
            if (scope != ImportScope::ReplaceAll)
                continue;
            const ChannelCsvExport out = ExportChannelCsv(after, kBand);
            ChannelCsvImportOptions again;
            again.band = kBand;
            const ChannelCsvImport back = ReadChannelCsv(out.csv, again);
            if (out.rows == 0) {
                Check(!back.error.isEmpty());
                continue;
            }
            Check(out.warnings.isEmpty() && back.problems.isEmpty());
            Check(back.channels.size() == in.channels.size());
            Check(ApplyChannelCsv(after, back, ImportScope::ReplaceAll) == after);
        }
    }
    return 0;
}
