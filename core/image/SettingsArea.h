// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings area fields: read and write with preserved bits, and their texts.
// Offsets and masks are in MemoryMap.h.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"

#include <QString>
#include <QStringList>

/// Every settings field that has a code and a text.
enum class Field {
    VoiceAnnunciation,
    TimeOutTimer,
    TotPreAlert,
    SquelchLevel,
    BatterySaver,
    Beep,
    VoxGainLevel,
    VoxDelayTime,
    CallKeyDefine,
    CallTone,
    VoxFunction,
    ScanFunction,
    Priority,
    PriorityChannel,
    LookBackTimeA,
    LookBackTimeB,
    RevertChannel,
    DropoutDelayTime,
    TxDwellTime,
    ProductType,
    FrequencyBand,
};

/// The field's code, read with the editor's mask (16-bit fields whole).
int ReadField(const MemoryImage &image, Field field);
/// Stores code into the field's bits; other bits of the byte keep their values.
void WriteField(MemoryImage &image, Field field, int code);
/// Text of a code in the language; empty when the code has no text.
QString FieldText(Field field, int code, Language lang);
/// JSON-style name of the field ("timeOutTimer" ...).
QString FieldName(Field field);
/// All fields in declaration order.
QList<Field> AllFields();

/// Look Back Time of a code: code × 0.05 + 0.45 (binary floating point).
double LookBackTimeOfCode(int code);
/// Code of a time: truncate(DecimalMultiply(time − 0.45, 20)), low 8 bits.
int LookBackCodeOfTime(double time);
/// The number shown with up to 15 significant digits ("0.9", "0.95").
QString FormatLookBackTime(double time);

/// Low and high band limits in 10 Hz units.
struct BandLimits
{
    int low = 0; ///< Leading whole number of megahertz × 100000.
    int high = 0; ///< Whole number after the first "-" × 100000 (= low without "-").
};

/// Limits of a band text such as "130 - 160MHz".
BandLimits BandLimitsOfText(const QString &bandText);
/// Band list of a Field%d value, split at every "|" (items not trimmed; empty value = one empty
/// item).
QStringList SplitBandList(const QString &fieldValue);
/// Band text at index; the last item when the list is shorter.
QString BandTextOfIndex(const QStringList &bands, int index);
/// Revert Channel code of a list position under a Priority code (Selected: position + 2).
int RevertCodeOfPosition(int position, int priority);
/// Revert Channel list position of a code under a Priority code.
int RevertPositionOfCode(int code, int priority);
/// Revert Channel list texts offered under a Priority position (−1: as Selected).
QStringList RevertChannelTexts(int priority, Language lang);
/// Call Key Define code of a list position ("Off", "Call", "Emergency Alert").
int CallKeyCodeOfPosition(int position);
/// Call Key Define list position of a code.
int CallKeyPositionOfCode(int code);
