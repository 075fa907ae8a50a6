// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/channels/ChannelOps.h"
#include "core/app/Language.h"

#include "core/channels/ChannelTable.h"
#include "core/channels/GridEditing.h"
#include "core/image/ChannelRecord.h"

namespace {

constexpr int kPriorityNone = 0;
constexpr int kPriorityFixed = 1;

bool IsChannelNumber(int n)
{
    return n >= 1 && n <= mem::ChannelCount;
}

ChannelOpResult Refused(const MemoryImage &image, const QString &why)
{
    ChannelOpResult r;
    r.image = image;
    r.message = why;
    return r;
}

QString OutOfRange(Language lang)
{
    return LanguageText(
        lang, "Choose a channel from 1 to 16 first.", "请先选择 1 至 16 之间的信道。");
}

// Both texts of a fixed priority that lost its channel n.
void SayPriorityReleased(int n, Language lang, QString *undoText, QString *message)
{
    if (undoText)
        *undoText += LanguageText(
            lang, " (the priority channel: Priority set to None)", "（优先信道：优先设为无）");
    if (message)
        *message = LanguageText(lang,
            "Channel %1 was the priority channel; Priority is now None. Choose a new one in "
            "Scan Info.",
            "信道 %1 是优先信道；优先已设为无。请在扫描信息中重新选择。")
                       .arg(n);
}

} // namespace

bool ReleaseEmptiedPriority(const MemoryImage &before, MemoryImage &after, Language lang,
    QString *undoText, QString *message)
{
    const int p = before[mem::PriorityChannel];
    if (before[mem::Priority] != kPriorityFixed || !IsChannelNumber(p)
        || before.channel(p).isEmpty() || !after.channel(p).isEmpty())
        return false;
    // Scan Information cannot save a fixed priority on an empty channel, so the
    // radio is told to have none rather than keep one it cannot use.
    after[mem::Priority] = kPriorityNone;
    SayPriorityReleased(p, lang, undoText, message);
    return true;
}

void SetEmptyRecord(MemoryImage &image, int n)
{
    // Exactly what an emptied grid row stores: no frequencies, no tones,
    // blank options; the carried bits and +14/+15 stay.
    ChannelTable blank;
    TableRowToChannel(blank, n, image);
}

ChannelOpResult InsertChannel(const MemoryImage &image, int n, Language lang)
{
    if (!IsChannelNumber(n))
        return Refused(image, OutOfRange(lang));
    if (!image.channel(mem::ChannelCount).isEmpty())
        return Refused(image,
            LanguageText(lang,
                "Cannot insert a channel: channel 16 is in use. Delete or clear channel 16 first.",
                "无法插入信道：信道 16 已被使用。请先删除或清除信道 16。"));
    ChannelOpResult r;
    r.image = image;
    for (int k = mem::ChannelCount; k > n; --k)
        PutChannel(r.image, k, TakeChannel(image, k - 1));
    // The new channel starts from the record that fell off the end, emptied.
    PutChannel(r.image, n, TakeChannel(image, mem::ChannelCount));
    SetEmptyRecord(r.image, n);
    const int p = image[mem::PriorityChannel];
    if (IsChannelNumber(p) && p >= n && p < mem::ChannelCount)
        r.image[mem::PriorityChannel] = static_cast<std::uint8_t>(p + 1);
    r.done = true;
    r.undoText = LanguageText(lang, "Insert Channel %1", "插入信道 %1").arg(n);
    return r;
}

ChannelOpResult DeleteChannel(const MemoryImage &image, int n, Language lang)
{
    if (!IsChannelNumber(n))
        return Refused(image, OutOfRange(lang));
    ChannelOpResult r;
    r.image = image;
    for (int k = n; k < mem::ChannelCount; ++k)
        PutChannel(r.image, k, TakeChannel(image, k + 1));
    PutChannel(r.image, mem::ChannelCount, TakeChannel(image, n));
    SetEmptyRecord(r.image, mem::ChannelCount);
    r.undoText = LanguageText(lang, "Delete Channel %1", "删除信道 %1").arg(n);
    const int p = image[mem::PriorityChannel];
    if (p == n && image[mem::Priority] == kPriorityFixed) {
        // A fixed priority on a channel that is gone would name whatever moved
        // into its place; the radio is told to have no priority channel instead.
        r.image[mem::Priority] = kPriorityNone;
        SayPriorityReleased(n, lang, &r.undoText, &r.message);
    } else if (IsChannelNumber(p) && p > n) {
        r.image[mem::PriorityChannel] = static_cast<std::uint8_t>(p - 1);
    }
    r.done = true;
    return r;
}

ChannelOpResult MoveChannel(const MemoryImage &image, int n, int delta, Language lang)
{
    const int other = n + delta;
    if (!IsChannelNumber(n) || !IsChannelNumber(other) || (delta != 1 && delta != -1))
        return Refused(image,
            delta < 0 ? LanguageText(lang, "Channel 1 cannot move up.", "信道 1 无法上移。")
                      : LanguageText(lang, "Channel 16 cannot move down.", "信道 16 无法下移。"));
    ChannelOpResult r;
    r.image = image;
    PutChannel(r.image, n, TakeChannel(image, other));
    PutChannel(r.image, other, TakeChannel(image, n));
    const int p = image[mem::PriorityChannel];
    if (p == n)
        r.image[mem::PriorityChannel] = static_cast<std::uint8_t>(other);
    else if (p == other)
        r.image[mem::PriorityChannel] = static_cast<std::uint8_t>(n);
    r.done = true;
    r.undoText = delta < 0 ? LanguageText(lang, "Move Channel %1 Up", "上移信道 %1").arg(n)
                           : LanguageText(lang, "Move Channel %1 Down", "下移信道 %1").arg(n);
    return r;
}

ChannelOpResult ClearChannel(const MemoryImage &image, int n, Language lang)
{
    if (!IsChannelNumber(n))
        return Refused(image, OutOfRange(lang));
    ChannelOpResult r;
    r.image = image;
    SetEmptyRecord(r.image, n);
    r.done = r.image != image;
    r.undoText = LanguageText(lang, "Clear Channel %1", "清除信道 %1").arg(n);
    if (r.done)
        ReleaseEmptiedPriority(image, r.image, lang, &r.undoText, &r.message);
    else
        r.message = LanguageText(lang, "Channel %1 is already empty.", "信道 %1 已为空。").arg(n);
    return r;
}
