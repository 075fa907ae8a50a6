// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/ImageCompare.h"
#include "core/app/Language.h"

#include "core/channels/ChannelTable.h"
#include "core/image/ChannelRecord.h"
#include "core/image/SettingsArea.h"
#include "core/settings/SettingTexts.h"

#include <algorithm>
#include <functional>

namespace {

/// Copies one channel field from source into target; the bits it touches are the field's.
using Transplant = std::function<void(ChannelRecord &target, const ConstChannelRecord &source)>;

struct ChannelField
{
    int column;
    const char *name; // as `show --json`
    Transplant transplant;
};

const QList<ChannelField> &ChannelFields()
{
    static const QList<ChannelField> fields = {
        { ColRx, "rx",
            [](ChannelRecord &t, const ConstChannelRecord &s) { t.setRxBytes(s.rxBytes()); } },
        { ColTx, "tx",
            [](ChannelRecord &t, const ConstChannelRecord &s) { t.setTxBytes(s.txBytes()); } },
        { ColDecode, "decode",
            [](ChannelRecord &t, const ConstChannelRecord &s) {
                t.setDecodeTone(s.decodeTone());
            } },
        { ColEncode, "encode",
            [](ChannelRecord &t, const ConstChannelRecord &s) {
                t.setEncodeTone(s.encodeTone());
            } },
        { ColPower, "power",
            [](ChannelRecord &t, const ConstChannelRecord &s) { t.setPowerHigh(s.powerHigh()); } },
        { ColScanAdd, "scanAdd",
            [](ChannelRecord &t, const ConstChannelRecord &s) { t.setScanAdd(s.scanAdd()); } },
        { ColBusyLock, "busyLock",
            [](ChannelRecord &t, const ConstChannelRecord &s) { t.setBusyLock(s.busyLock()); } },
        { ColWidth, "bandwidth",
            [](ChannelRecord &t, const ConstChannelRecord &s) { t.setWide(s.wide()); } },
        { ColCompand, "compand",
            [](ChannelRecord &t, const ConstChannelRecord &s) { t.setCompand(s.compand()); } },
    };
    return fields;
}

/// Clears from unexplained the bits that changing before into after touched.
void Explain(const MemoryImage &before, const MemoryImage &after,
    std::array<std::uint8_t, mem::ImageSize> &unexplained)
{
    for (int i = 0; i < mem::ImageSize; ++i)
        unexplained[i] &= static_cast<std::uint8_t>(~(before.at(i) ^ after.at(i)));
}

/// True when the field's bits that differ all lie in scope.
bool TouchesScope(const MemoryImage &before, const MemoryImage &after, const ImageScope &scope)
{
    bool any = false;
    for (int i = 0; i < mem::ImageSize; ++i) {
        if (before.at(i) == after.at(i))
            continue;
        if (!scope[i])
            return false;
        any = true;
    }
    return any;
}

QString Hex(const MemoryImage &image, int first, int last)
{
    QStringList parts;
    for (int i = first; i <= last; ++i)
        parts << QStringLiteral("%1").arg(image.at(i), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}

QString Offset(int offset)
{
    return QStringLiteral("0x%1")
        .arg(offset, 3, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QLatin1String("0X"), QLatin1String("0x"));
}

QString ChannelNumbers(const QList<int> &channels)
{
    QStringList parts;
    for (int n : channels)
        parts << QString::number(n);
    return parts.join(QLatin1String(", "));
}

} // namespace

ImageBits UnusedBits(const MemoryImage &image)
{
    ImageBits bits {};
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        const ConstChannelRecord ch = image.channel(n);
        if (!ch.isEmpty())
            continue;
        // The radio skips an empty channel, so nothing it holds reaches the air;
        // only the bits this program interprets are claimed, carried ones stay listed.
        const int at = mem::channelOffset(n);
        for (int i = rec::Rx; i < rec::FlagsA; ++i)
            bits[at + i] = 0xFF;
        bits[at + rec::FlagsA] = rec::CompandBit | rec::BusyLockMask;
        bits[at + rec::FlagsB] = rec::PowerBit | rec::WideBit;
        bits[ch.scanAddOffset()] |= ch.scanAddMask();
    }
    return bits;
}

bool HasRadioEffect(const QList<ImageDifference> &differences)
{
    return RadioEffectCount(differences) > 0;
}

int RadioEffectCount(const QList<ImageDifference> &differences)
{
    int count = 0;
    for (const ImageDifference &d : differences)
        count += d.noEffect() ? 0 : 1;
    return count;
}

ImageScope WholeImageScope()
{
    ImageScope s;
    s.fill(true);
    return s;
}

ImageScope WrittenAndReadableScope()
{
    ImageScope s;
    s.fill(false);
    auto in = [](int i, int first, int last) { return i >= first && i <= last; };
    for (int i = 0; i < mem::ImageSize; ++i) {
        const bool written = in(i, mem::WriteFirstBegin, mem::WriteFirstEnd)
            || in(i, mem::WriteSecondBegin, mem::WriteSecondEnd) || i == mem::WriteLastByte;
        const bool readable = in(i, mem::ReadFirstBegin, mem::ReadFirstEnd)
            || in(i, mem::ReadSecondBegin, mem::ReadSecondEnd);
        s[i] = written && readable;
    }
    return s;
}

QList<ImageDifference> CompareImages(
    const MemoryImage &a, const MemoryImage &b, Language lang, const ImageScope &scope)
{
    QList<ImageDifference> out;
    std::array<std::uint8_t, mem::ImageSize> unexplained {};
    for (int i = 0; i < mem::ImageSize; ++i)
        unexplained[i] = scope[i] ? static_cast<std::uint8_t>(a.at(i) ^ b.at(i)) : 0;

    ChannelTable ta;
    ChannelTable tb;
    ChannelsToTable(a, ta, lang);
    ChannelsToTable(b, tb, lang);
    const QStringList headers = GridHeaderTexts(lang);
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        // A channel empty on both sides has nothing the radio uses: its bits are grouped below.
        if (a.channel(n).isEmpty() && b.channel(n).isEmpty())
            continue;
        for (const ChannelField &f : ChannelFields()) {
            MemoryImage moved = a;
            ChannelRecord target = moved.channel(n);
            f.transplant(target, b.channel(n));
            const QString textA = ta.text(n, f.column);
            const QString textB = tb.text(n, f.column);
            // A field whose shown text is the same leaves its bits to the bytes list.
            if (textA == textB || !TouchesScope(a, moved, scope))
                continue;
            Explain(a, moved, unexplained);
            out.append(
                { n, QString::fromLatin1(f.name), headers.at(f.column), textA, textB, -1, {} });
        }
    }

    for (Field field : AllFields()) {
        const int codeA = ReadField(a, field);
        const int codeB = ReadField(b, field);
        if (codeA == codeB)
            continue;
        MemoryImage moved = a;
        WriteField(moved, field, codeB);
        if (!TouchesScope(a, moved, scope))
            continue;
        Explain(a, moved, unexplained);
        auto text = [&](const MemoryImage &image, int code) {
            const QString t = SettingText(image, field, code, lang);
            return t.isEmpty() ? QString::number(code) : t;
        };
        QString textA = text(a, codeA);
        QString textB = text(b, codeB);
        // Two codes may share a text (a band list shorter than the code): then the codes tell.
        if (textA == textB) {
            textA += QStringLiteral(" (%1)").arg(codeA);
            textB += QStringLiteral(" (%1)").arg(codeB);
        }
        out.append({ 0, FieldName(field), FieldLabel(field, lang), textA, textB, -1, {} });
    }

    // Bits of channels empty on both sides: one group, kept apart from the bytes below.
    const ImageBits unusedA = UnusedBits(a);
    const ImageBits unusedB = UnusedBits(b);
    ImageDifference unused { 0, QStringLiteral("unusedBytes"),
        LanguageText(lang, "unused bytes of empty channels (no effect on the radio)",
            "空信道中未使用的字节（对对讲机无影响）"),
        QString(), QString(), -1, {} };
    bool anyUnused = false;
    QStringList hexA;
    QStringList hexB;
    for (int i = 0; i < mem::ImageSize; ++i) {
        const auto bits = static_cast<std::uint8_t>(unexplained[i] & unusedA[i] & unusedB[i]);
        if (!bits)
            continue;
        unexplained[i] &= static_cast<std::uint8_t>(~bits);
        anyUnused = true;
        hexA << Hex(a, i, i);
        hexB << Hex(b, i, i);
        for (int n = 1; n <= mem::ChannelCount; ++n) {
            const ConstChannelRecord ch = a.channel(n);
            const bool inRecord = i >= mem::channelOffset(n) && i < mem::channelOffset(n + 1);
            const bool scanBit = i == ch.scanAddOffset() && (bits & ch.scanAddMask());
            if ((inRecord || scanBit) && !unused.channels.contains(n))
                unused.channels << n;
        }
    }
    std::sort(unused.channels.begin(), unused.channels.end());
    unused.a = hexA.join(QLatin1Char(' '));
    unused.b = hexB.join(QLatin1Char(' '));

    // Whatever no field accounts for, in runs of neighbouring bytes.
    for (int i = 0; i < mem::ImageSize;) {
        if (!unexplained[i]) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < mem::ImageSize && unexplained[last + 1])
            ++last;
        const QString label = last == i
            ? LanguageText(lang, "Byte %1", "字节 %1").arg(Offset(i))
            : LanguageText(lang, "Bytes %1-%2", "字节 %1-%2").arg(Offset(i), Offset(last));
        out.append({ 0, QStringLiteral("bytes"), label, Hex(a, i, last), Hex(b, i, last), i, {} });
        i = last + 1;
    }
    if (anyUnused)
        out.append(unused);
    return out;
}

MemoryImage WithGridEdits(const MemoryImage &image, const ChannelTable &grid, Language lang)
{
    ChannelTable shown;
    ChannelsToTable(image, shown, lang);
    MemoryImage stored = image;
    TableToChannels(grid, stored);
    // Storing the whole grid would also rewrite rows nobody touched (the flags of
    // empty rows): only edited rows are taken over.
    MemoryImage out = image;
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        bool edited = false;
        for (int c = ColRx; c < ChannelTable::Cols; ++c)
            edited = edited || shown.text(n, c) != grid.text(n, c);
        if (!edited)
            continue;
        const ConstChannelRecord from = stored.channel(n);
        ChannelRecord to = out.channel(n);
        for (int i = 0; i < mem::RecordSize; ++i)
            to.setByte(i, from.byte(i));
        to.setScanAdd(from.scanAdd());
    }
    return out;
}

QString DifferenceLine(const ImageDifference &d, Language lang)
{
    if (d.noEffect())
        return LanguageText(lang, "%1: %2 byte(s) in channel(s) %3", "%1：信道 %3 中的 %2 个字节")
            .arg(d.label)
            .arg(d.a.count(QLatin1Char(' ')) + 1)
            .arg(ChannelNumbers(d.channels));
    const QString where = d.channel > 0
        ? LanguageText(lang, "Channel %1  %2", "信道 %1  %2").arg(d.channel).arg(d.label)
        : d.label;
    auto shown = [&](const QString &t) {
        return t.isEmpty() ? LanguageText(lang, "(empty)", "（空）") : t;
    };
    return QStringLiteral("%1: %2 -> %3").arg(where, shown(d.a), shown(d.b));
}
