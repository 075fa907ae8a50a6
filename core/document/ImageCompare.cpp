// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/ImageCompare.h"
#include "core/app/Language.h"

#include "core/channels/ChannelTable.h"
#include "core/image/ChannelRecord.h"
#include "core/image/SettingsArea.h"
#include "core/settings/SettingTexts.h"

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

} // namespace

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
            out.append({ n, QString::fromLatin1(f.name), headers.at(f.column), textA, textB, -1 });
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
        out.append({ 0, FieldName(field), FieldLabel(field, lang), textA, textB, -1 });
    }

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
        out.append({ 0, QStringLiteral("bytes"), label, Hex(a, i, last), Hex(b, i, last), i });
        i = last + 1;
    }
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
    const QString where = d.channel > 0
        ? LanguageText(lang, "Channel %1  %2", "信道 %1  %2").arg(d.channel).arg(d.label)
        : d.label;
    auto shown = [&](const QString &t) {
        return t.isEmpty() ? LanguageText(lang, "(empty)", "（空）") : t;
    };
    return QStringLiteral("%1: %2 -> %3").arg(where, shown(d.a), shown(d.b));
}
