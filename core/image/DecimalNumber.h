// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Locale-independent number text helpers shared by the codecs. The program
// runs under the user's locale (QCoreApplication sets it), which must never
// change how "145.125" is read or how "145.12500" is written.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace decimal {

/// strtod() on the leading part of text in the C locale; 0 when no number begins it.
double ParseLeadingDouble(const QByteArray &text);
/// The leading decimal number of text in C syntax: blanks skipped, an optional sign, digits
/// with at most one decimal separator ('.', or ',' written as '.'), an optional exponent.
/// Empty when no digit begins the number: hexadecimal, "inf" and "nan" are not numbers here.
QByteArray LeadingDecimalText(const QString &text);
/// The value of LeadingDecimalText(text); 0 when text does not begin with a number.
double ParseLeadingDecimal(const QString &text);
/// The value truncated toward zero; saturates at the int64 limits, NaN gives nanValue.
std::int64_t TruncateToInt64(double value, std::int64_t nanValue);
/// printf "%.{decimals}f" of value in the C locale.
QByteArray FormatFixed(double value, int decimals);
/// printf "%.{digits}g" of value in the C locale.
QByteArray FormatGeneral(double value, int digits);
/// printf "%.{decimals}e" of value in the C locale.
QByteArray FormatScientific(double value, int decimals);
/// Leading whole number of text: blanks skipped, optional sign, digits; saturates at ±limit.
long long LeadingInteger(const QByteArray &text, bool allowSign, long long limit);

} // namespace decimal
