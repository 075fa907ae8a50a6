// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Invariant checks of the fuzz targets: a broken invariant prints what was
// expected and aborts, which libFuzzer reports as a finding with its input.

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace fuzzcheck {

/// Prints the failed invariant with its location and the two sides, then aborts.
[[noreturn]] inline void Fail(
    const char *file, int line, const char *what, const QString &got, const QString &expected)
{
    std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n  got:      \"%s\"\n  expected: \"%s\"\n",
        file, line, what, got.toUtf8().constData(), expected.toUtf8().constData());
    std::abort();
}

/// Hex dump of bytes for a failure message ("00 25 51 14").
inline QString Hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace fuzzcheck

/// Aborts with a message when cond is false.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            fuzzcheck::Fail(__FILE__, __LINE__, #cond, QString(), QString());                      \
    } while (0)

/// Aborts with both values when got != expected (QString-convertible values).
#define FUZZ_CHECK_EQ(got, expected)                                                               \
    do {                                                                                           \
        const auto fuzzGot_ = (got);                                                               \
        const auto fuzzExpected_ = (expected);                                                     \
        if (!(fuzzGot_ == fuzzExpected_))                                                          \
            fuzzcheck::Fail(__FILE__, __LINE__, #got " == " #expected, fuzzcheck::Text(fuzzGot_),  \
                fuzzcheck::Text(fuzzExpected_));                                                   \
    } while (0)

namespace fuzzcheck {
/// Text of a checked value for the failure message.
inline QString Text(const QString &s)
{
    return s;
}
/// Text of a checked byte array (hex).
inline QString Text(const QByteArray &b)
{
    return Hex(b);
}
/// Text of a checked floating-point number, all digits.
inline QString Text(double v)
{
    return QString::number(v, 'g', 17);
}
/// Text of a checked number.
template <typename T> QString Text(T v)
{
    return QString::number(static_cast<long long>(v));
}
} // namespace fuzzcheck
