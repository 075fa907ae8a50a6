// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Value codecs: how stored channel values become the texts the grid shows,
// and back. Frequencies are counted in 10 Hz units.

#include "core/app/Language.h"
#include "core/image/ChannelRecord.h"
#include "core/image/ToneWord.h"

#include <QString>
#include <QStringList>
#include <cstdint>

/// Exact decimal product of value and factor: each rounded to 15 significant digits first.
double DecimalMultiply(double value, double factor);

/// Result of reading a typed frequency.
struct ParsedFrequency
{
    /// The number re-formatted "%3.5f" (megahertz, five decimals); from 1e15 on, and for
    /// infinities and NaN, the short "%.5e" form ("1.00000e+308", "inf", "nan").
    QString text;
    /// truncate(DecimalMultiply(number, 100000)), saturated at the int64 limits; NaN gives the
    /// maximum. Negative or 100000000 and more for text that is no frequency.
    std::int64_t units;
};

/// Reads the leading decimal number of text as megahertz: blanks, sign, digits, one decimal
/// point or comma, exponent; anything else (hexadecimal, "inf", "nan") reads as 0.
ParsedFrequency ParseFrequency(const QString &text);
/// Largest count of 10 Hz units the four bytes can give back: the decoder reads the top
/// byte up to FE (15 × 10 + 14 = 164) without rejecting nibbles above 9.
constexpr std::int64_t MaxEncodableUnits = 164999999;
/// Packed-decimal bytes of units, the top pair going on past 99 as DecodeFrequency reads it
/// (105 → A5); FF FF FF FF for 0, below 0, or above 164999999.
FrequencyBytes EncodeFrequency(std::int64_t units);
/// "%3.5f" megahertz text of the bytes, or empty when +3 is 0x00 or 0xFF.
QString DecodeFrequency(const FrequencyBytes &bytes);
/// 10 Hz units of the bytes (nibbles above 9 enter the sum).
std::int64_t FrequencyUnits(const FrequencyBytes &bytes);

/// Range test: low <= units <= high, and units representable (0 <= units < 100000000).
bool IsInBand(std::int64_t units, std::int64_t low, std::int64_t high);
/// Step test: a multiple of 500 (5 kHz) or of 625 (6.25 kHz).
bool IsOnStep(std::int64_t units);

/// Tone word of a tone cell's text ("None", "67.0", "D023N", "D754I" ...); FF FF for no tone
/// and for a number that two bytes cannot hold (not above 0, or 6553.6 Hz and more).
ToneWord EncodeTone(const QString &text);
/// Text of a tone word; empty for no tone in an empty channel.
QString DecodeTone(ToneWord word, bool channelEmpty, Language lang);
/// Low byte of a listed DCS code (23 for D023); 0x00 for any other number.
std::uint8_t DcsCodeToByte(int code);
/// Listed DCS code of low byte and bit 8; 0 when not listed.
int DcsByteToCode(std::uint8_t low, bool bit8);

/// The five channel options of the grid.
enum class OptionKind { Power, ScanAdd, BusyLock, Bandwidth, Compand };

/// Texts of an option in editor list order ("High", "Low" ...).
QStringList OptionTexts(OptionKind kind, Language lang);
/// Stored code of an option's cell text (either language): 0/1, busy lock 0..2.
int EncodeOption(OptionKind kind, const QString &text);
/// Cell text of an option code; empty for an empty channel. Busy lock 3 shows "QT/DQT".
QString DecodeOption(OptionKind kind, int code, bool channelEmpty, Language lang);

/// The 265 tone texts: "None"/"无", 50 tones, 107 normal and 107 inverted codes.
QStringList BuildToneList(Language lang);
/// The 107 listed DCS codes, written as decimal numbers of their octal digits (17 ... 754).
const QList<int> &DcsCodeList();
/// The 50 listed analogue tones in tenths of a hertz (670 ... 2541).
const QList<int> &AnalogueToneList();
