// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/DecimalNumber.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace decimal {

namespace {

locale_t CLocale()
{
    // Created once and kept for the life of the process.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

QByteArray Format(double value, std::chars_format format, int precision)
{
    // Wide enough for "%.5f" of anything up to 1e308 and every other use here.
    char buf[400];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value, format, precision);
    if (r.ec != std::errc())
        return QByteArray();
    return QByteArray(buf, static_cast<int>(r.ptr - buf));
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

double ParseLeadingDouble(const QByteArray &text)
{
    // constData() is always NUL-terminated; an embedded NUL simply ends the number.
    return strtod_l(text.constData(), nullptr, CLocale());
}

QByteArray LeadingDecimalText(const QString &text)
{
    const auto isDigit = [&text](int i) {
        return i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
    };
    const auto isOneOf = [&text](int i, const char *chars) {
        // NUL ends the text here, as it would for the C library (strchr would find it).
        return i < text.size() && text.at(i).unicode() > 0 && text.at(i).unicode() < 128
            && std::strchr(chars, text.at(i).toLatin1()) != nullptr;
    };
    int i = 0;
    while (i < text.size() && text.at(i).unicode() < 128 && IsBlank(text.at(i).toLatin1()))
        ++i;
    QByteArray out;
    if (isOneOf(i, "+-"))
        out.append(text.at(i++).toLatin1());
    int digits = 0;
    for (; isDigit(i); ++i, ++digits)
        out.append(text.at(i).toLatin1());
    // A comma reads as the decimal point, for users whose locale writes decimals that way.
    if (isOneOf(i, ".,")) {
        out.append('.');
        for (++i; isDigit(i); ++i, ++digits)
            out.append(text.at(i).toLatin1());
    }
    if (digits == 0)
        return QByteArray();
    // An exponent counts only with at least one digit: "1e" and "1e+" read as 1.
    if (isOneOf(i, "eE")) {
        int j = i + 1;
        QByteArray exponent("e");
        if (isOneOf(j, "+-"))
            exponent.append(text.at(j++).toLatin1());
        if (isDigit(j)) {
            for (; isDigit(j); ++j)
                exponent.append(text.at(j).toLatin1());
            out.append(exponent);
        }
    }
    return out;
}

double ParseLeadingDecimal(const QString &text)
{
    const QByteArray number = LeadingDecimalText(text);
    return number.isEmpty() ? 0.0 : ParseLeadingDouble(number);
}

std::int64_t TruncateToInt64(double value, std::int64_t nanValue)
{
    if (std::isnan(value))
        return nanValue;
    // 2^63 is exact as a double; anything at or beyond it would be undefined to convert.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value <= -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

QByteArray FormatFixed(double value, int decimals)
{
    return Format(value, std::chars_format::fixed, decimals);
}

QByteArray FormatGeneral(double value, int digits)
{
    return Format(value, std::chars_format::general, digits);
}

QByteArray FormatScientific(double value, int decimals)
{
    return Format(value, std::chars_format::scientific, decimals);
}

long long LeadingInteger(const QByteArray &text, bool allowSign, long long limit)
{
    int i = 0;
    const int n = text.size();
    while (i < n && IsBlank(text.at(i)))
        ++i;
    bool negative = false;
    if (allowSign && i < n && (text.at(i) == '+' || text.at(i) == '-')) {
        negative = text.at(i) == '-';
        ++i;
    }
    long long v = 0;
    for (; i < n && text.at(i) >= '0' && text.at(i) <= '9'; ++i) {
        const int d = text.at(i) - '0';
        v = v > (limit - d) / 10 ? limit : v * 10 + d;
    }
    return negative ? -v : v;
}

} // namespace decimal
