// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/Codecs.h"

#include "core/image/DecimalNumber.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// ---- exact decimal product ------------------------------------------------

/// A double rounded to 15 significant digits: mantissa × 10^exponent.
struct Decimal15
{
    std::int64_t mantissa = 0; // at most 15 digits, sign included
    int exponent = 0;
};

Decimal15 ToDecimal15(double value)
{
    Decimal15 d;
    if (value == 0)
        return d;
    // "d.dddddddddddddde±x": the 15 significant digits and the power of ten.
    const QByteArray text = decimal::FormatScientific(value, 14);
    bool negative = false;
    int exp10 = 0;
    int i = 0;
    if (i < text.size() && text.at(i) == '-') {
        negative = true;
        ++i;
    }
    for (; i < text.size() && text.at(i) != 'e'; ++i) {
        const char c = text.at(i);
        if (c >= '0' && c <= '9')
            d.mantissa = d.mantissa * 10 + (c - '0');
    }
    if (i < text.size())
        exp10 = static_cast<int>(decimal::LeadingInteger(text.mid(i + 1), true, 100000));
    d.exponent = exp10 - 14;
    // Trailing zeros carry no information and keep the product short.
    while (d.mantissa != 0 && d.mantissa % 10 == 0) {
        d.mantissa /= 10;
        ++d.exponent;
    }
    if (negative)
        d.mantissa = -d.mantissa;
    return d;
}

QByteArray DigitsOf(unsigned __int128 v)
{
    char buf[48];
    int n = 0;
    do {
        buf[n++] = static_cast<char>('0' + static_cast<int>(v % 10));
        v /= 10;
    } while (v != 0);
    QByteArray out;
    out.reserve(n);
    while (n > 0)
        out.append(buf[--n]);
    return out;
}

// ---- frequency --------------------------------------------------------------

/// Largest count of 10 Hz units that eight packed-decimal digits hold.
constexpr std::int64_t MaxFrequencyUnits = 99999999;

bool HoldsFrequency(std::uint8_t msb)
{
    return msb != 0x00 && msb != 0xFF;
}

// ---- tones --------------------------------------------------------------------

// clang-format off
constexpr int kAnalogueTones[] = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,
};

// Written as the decimal number of the code's three octal digits.
constexpr int kDcsCodes[] = {
    17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,
    73,  74,  114, 115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162,
    165, 172, 174, 205, 212, 223, 225, 226, 243, 244, 245, 246, 251, 252, 255, 261,
    263, 265, 266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364,
    365, 371, 411, 412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465,
    466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624, 627, 631, 632, 645,
    654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
};
// clang-format on

/// The code's digits read as octal (754 → 0x1EC).
int OctalValue(int code)
{
    return (code / 100) * 64 + (code / 10 % 10) * 8 + code % 10;
}

constexpr std::uint8_t DcsNormalHigh = 0x28;
constexpr std::uint8_t DcsInvertedHigh = 0xA8;
/// Codes from here on have octal value 256 or more (bit 8 in the high byte).
constexpr int DcsFirstHighCode = 372;

QString ToneText(int tenths)
{
    return QString::number(tenths / 10) + QLatin1Char('.') + QString::number(tenths % 10);
}

QString DcsText(int code, QChar polarity)
{
    return QStringLiteral("D%1").arg(code, 3, 10, QLatin1Char('0')) + polarity;
}

// ---- options ------------------------------------------------------------------

struct OptionWords
{
    const char *english[3];
    const char *chinese[3];
    int count;
};

const OptionWords &WordsOf(OptionKind kind)
{
    static const OptionWords power { { "High", "Low", nullptr }, { "高", "低", nullptr }, 2 };
    static const OptionWords scanAdd { { "Yes", "No", nullptr }, { "有", "无", nullptr }, 2 };
    static const OptionWords busyLock { { "Off", "Carrier", "QT/DQT" }, { "关", "载波", "QT/DQT" },
        3 };
    static const OptionWords bandwidth { { "Wide", "Narrow", nullptr }, { "宽", "窄", nullptr },
        2 };
    static const OptionWords compand { { "Yes", "No", nullptr }, { "是", "否", nullptr }, 2 };
    switch (kind) {
    case OptionKind::Power:
        return power;
    case OptionKind::ScanAdd:
        return scanAdd;
    case OptionKind::BusyLock:
        return busyLock;
    case OptionKind::Bandwidth:
        return bandwidth;
    case OptionKind::Compand:
        break;
    }
    return compand;
}

QString Word(const OptionWords &w, int index, Language lang)
{
    return QString::fromUtf8(lang == Language::Chinese ? w.chinese[index] : w.english[index]);
}

/// True when text is the word at index in either language.
bool IsWord(const OptionWords &w, int index, const QString &text)
{
    return text == QString::fromUtf8(w.english[index])
        || text == QString::fromUtf8(w.chinese[index]);
}

} // namespace

double DecimalMultiply(double value, double factor)
{
    // Infinities and NaN have no decimal form; the binary product already says
    // what the caller's range checks need to see.
    if (!std::isfinite(value) || !std::isfinite(factor))
        return value * factor;
    const Decimal15 a = ToDecimal15(value);
    const Decimal15 b = ToDecimal15(factor);
    if (a.mantissa == 0 || b.mantissa == 0)
        return 0.0;
    // 15 + 15 digits fit an unsigned 128-bit integer (< 10^30 < 2^100).
    const bool negative = (a.mantissa < 0) != (b.mantissa < 0);
    const unsigned __int128 product = static_cast<unsigned __int128>(std::llabs(a.mantissa))
        * static_cast<unsigned __int128>(std::llabs(b.mantissa));
    QByteArray text;
    if (negative)
        text.append('-');
    text.append(DigitsOf(product));
    text.append('e');
    text.append(QByteArray::number(a.exponent + b.exponent));
    // Correctly rounded back to binary; overflow gives ±HUGE_VAL, underflow 0.
    return decimal::ParseLeadingDouble(text);
}

ParsedFrequency ParseFrequency(const QString &text)
{
    const double mhz = decimal::ParseLeadingDecimal(text);
    ParsedFrequency out;
    // Beyond 15 integer digits the five-decimal form is only a long row of
    // digits; such a number can never be a frequency, so keep its text short.
    const QByteArray formatted = std::isfinite(mhz) && std::fabs(mhz) < 1e15
        ? decimal::FormatFixed(mhz, 5)
        : decimal::FormatScientific(mhz, 5);
    out.text = QString::fromLatin1(formatted);
    out.units = decimal::TruncateToInt64(
        DecimalMultiply(mhz, 100000), std::numeric_limits<std::int64_t>::max());
    return out;
}

FrequencyBytes EncodeFrequency(std::int64_t units)
{
    // Zero means no frequency; a value the four bytes cannot give back is
    // stored as none rather than as a wrapped, unrelated frequency.
    if (units <= 0 || units > MaxEncodableUnits)
        return { 0xFF, 0xFF, 0xFF, 0xFF };
    FrequencyBytes bytes {};
    std::int64_t divisor = 1000000;
    for (int i = 3; i >= 0; --i) {
        const int pair = static_cast<int>(units / divisor);
        units %= divisor;
        // Only the top pair can pass 99 (a radio's memory may hold A5 there); it
        // goes on as the decoder reads it: A5 for 105, FA for 160.
        const int high = std::min(pair / 10, 15);
        bytes[i] = static_cast<std::uint8_t>(high * 16 + (pair - high * 10));
        divisor /= 100;
    }
    return bytes;
}

std::int64_t FrequencyUnits(const FrequencyBytes &bytes)
{
    std::int64_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value * 100 + (bytes[i] >> 4) * 10 + (bytes[i] & 0x0F);
    return value;
}

QString DecodeFrequency(const FrequencyBytes &bytes)
{
    if (!HoldsFrequency(bytes[3]))
        return QString();
    // Whole and fractional megahertz in integers: the same text as "%3.5f" of
    // value / 100000, without a detour through binary fractions.
    const std::int64_t value = FrequencyUnits(bytes);
    return QString::number(value / 100000) + QLatin1Char('.')
        + QStringLiteral("%1").arg(static_cast<int>(value % 100000), 5, 10, QLatin1Char('0'));
}

bool IsInBand(std::int64_t units, std::int64_t low, std::int64_t high)
{
    return units >= 0 && units <= MaxFrequencyUnits && low <= units && units <= high;
}

bool IsOnStep(std::int64_t units)
{
    return units % 500 == 0 || units % 625 == 0;
}

ToneWord EncodeTone(const QString &text)
{
    if (text.contains(QLatin1Char('D'))) {
        const QByteArray rest = text.mid(1).toUtf8();
        const int code = static_cast<int>(decimal::LeadingInteger(rest, true, 1000000));
        const bool normal = text.contains(QLatin1Char('N'));
        std::uint8_t high = normal ? DcsNormalHigh : DcsInvertedHigh;
        if (code >= DcsFirstHighCode)
            high |= 0x01;
        return { DcsCodeToByte(code), high };
    }
    const double hz = decimal::ParseLeadingDecimal(text);
    const std::int64_t tenths = decimal::TruncateToInt64(DecimalMultiply(hz, 10), 0);
    // A number that two bytes cannot hold as a tone is treated as no tone
    // instead of storing a wrapped, unrelated value.
    if (tenths <= 0 || tenths > 0xFFFF)
        return { 0xFF, 0xFF };
    return { static_cast<std::uint8_t>(tenths % 256), static_cast<std::uint8_t>(tenths / 256) };
}

QString DecodeTone(ToneWord word, bool channelEmpty, Language lang)
{
    switch (word.high) {
    case 0x00:
    case 0xFF:
        if (channelEmpty)
            return QString();
        return lang == Language::Chinese ? QStringLiteral("无") : QStringLiteral("None");
    case DcsNormalHigh:
    case DcsNormalHigh | 0x01:
        return DcsText(DcsByteToCode(word.low, word.high & 0x01), QLatin1Char('N'));
    case DcsInvertedHigh:
    case DcsInvertedHigh | 0x01:
        return DcsText(DcsByteToCode(word.low, word.high & 0x01), QLatin1Char('I'));
    default:
        return ToneText(word.value());
    }
}

std::uint8_t DcsCodeToByte(int code)
{
    for (int c : kDcsCodes)
        if (c == code)
            return static_cast<std::uint8_t>(OctalValue(c) & 0xFF);
    return 0x00;
}

int DcsByteToCode(std::uint8_t low, bool bit8)
{
    const int value = low | (bit8 ? 0x100 : 0);
    for (int c : kDcsCodes)
        if (OctalValue(c) == value)
            return c;
    return 0;
}

QStringList OptionTexts(OptionKind kind, Language lang)
{
    const OptionWords &w = WordsOf(kind);
    QStringList texts;
    for (int i = 0; i < w.count; ++i)
        texts << Word(w, i, lang);
    return texts;
}

int EncodeOption(OptionKind kind, const QString &text)
{
    const OptionWords &w = WordsOf(kind);
    if (kind == OptionKind::BusyLock) {
        if (IsWord(w, 0, text))
            return static_cast<int>(BusyLock::Off);
        if (IsWord(w, 1, text))
            return static_cast<int>(BusyLock::Carrier);
        return static_cast<int>(BusyLock::Tone);
    }
    // The first word of each two-word option is the one that sets the bit.
    return IsWord(w, 0, text) ? 1 : 0;
}

QString DecodeOption(OptionKind kind, int code, bool channelEmpty, Language lang)
{
    if (channelEmpty)
        return QString();
    const OptionWords &w = WordsOf(kind);
    if (kind == OptionKind::BusyLock)
        return Word(w, code <= 0 ? 0 : code == 1 ? 1 : 2, lang);
    return Word(w, code ? 0 : 1, lang);
}

QStringList BuildToneList(Language lang)
{
    QStringList list;
    list.reserve(265);
    list << (lang == Language::Chinese ? QStringLiteral("无") : QStringLiteral("None"));
    for (int t : kAnalogueTones)
        list << ToneText(t);
    for (int c : kDcsCodes)
        list << DcsText(c, QLatin1Char('N'));
    for (int c : kDcsCodes)
        list << DcsText(c, QLatin1Char('I'));
    return list;
}

const QList<int> &DcsCodeList()
{
    static const QList<int> list(std::begin(kDcsCodes), std::end(kDcsCodes));
    return list;
}

const QList<int> &AnalogueToneList()
{
    static const QList<int> list(std::begin(kAnalogueTones), std::end(kAnalogueTones));
    return list;
}
