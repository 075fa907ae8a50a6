// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scan Information: the Priority rules, the Look Back Time and counter spins,
// the corrections made when a box loses the focus, the priority channel check
// and the load/store of the scan fields, all without widgets.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"

#include <QString>
#include <QStringList>

/// Lowest Look Back Time the editor keeps.
constexpr double LookBackMin = 0.5;
/// Highest Look Back Time the editor keeps.
constexpr double LookBackMax = 5.0;
/// Step of the Look Back Time spins.
constexpr double LookBackStepSize = 0.05;
/// Highest Dropout Delay / Tx Dwell Time.
constexpr int ScanCounterMax = 300;

/// What the Priority selection does to the other controls.
struct PriorityRule
{
    bool channelEnabled = false; ///< Priority Channel box enabled (else emptied and disabled).
    bool lookBackEnabled = false; ///< Look Back boxes and their spins enabled.
    QStringList revertEntries; ///< Revert Channel list, first entry to be selected.
};

/// Priority rules for Priority position p (−1: none selected).
PriorityRule PriorityRuleOf(int priority, Language lang);

/// The time on the 0.05 grid at or below y: truncate(DecimalMultiply(y, 20)) × 0.05.
double Snap(double y);
/// One Look Back spin step: delta +1 raises (wraps 5.0 → 0.5), −1 lowers (0.5 → 5.0).
double LookBackStep(double x, int delta);
/// Look Back correction on leaving the box: clamped to 0.5 … 5.0 and snapped.
double LookBackCorrection(double x);
/// One Dropout Delay / Tx Dwell spin step with wrap between 0 and 300.
int CounterStep(int v, int delta);
/// Dropout Delay / Tx Dwell correction on leaving the box: clamped to 0 … 300.
int CounterCorrection(int v);

/// Reads a number box as the data exchange does: blanks around one number,
/// nothing else. False for empty or unreadable text.
bool ParseNumberBox(const QString &text, double *value);
/// Reads a whole-number box as the data exchange does (32-bit range). False when unreadable.
bool ParseIntegerBox(const QString &text, int *value);

/// Leading whole number of the Priority Channel text (blanks, sign, digits; none gives 0).
int PriorityChannelNumber(const QString &text);
/// True when channel n is 1..16 and its record holds a receive frequency.
bool IsPriorityChannelUsable(const MemoryImage &image, int n);

/// Values of the Scan Information dialog (list positions −1: no entry).
struct ScanInfoState
{
    int priority = -1; ///< Priority position = code (0 None, 1 Fixed, 2 Selected).
    QString priorityChannel; ///< Priority Channel text ("%2d" of the byte when Fixed).
    double lookBackA = 0; ///< Look Back Time A.
    double lookBackB = 0; ///< Look Back Time B.
    int revertChannel = -1; ///< Revert Channel list position.
    int dropoutDelay = 0; ///< Dropout Delay Time.
    int txDwell = 0; ///< Tx Dwell Time.
};

/// The dialog's values for image. The Revert Channel position is taken
/// under the image's Priority and is −1 outside that Priority's list.
ScanInfoState LoadScanInfo(const MemoryImage &image);

/// Result of storing the dialog's values.
enum class ScanInfoStoreResult {
    Stored, ///< Every field written.
    ChannelRefused, ///< Fixed priority names no channel with a frequency; nothing written.
};

/// Stores the values into image; with Fixed priority the channel must be usable,
/// otherwise nothing is written. A value equal to what LoadScanInfo gives for the image
/// leaves its bytes as they are, so codes outside the lists and ranges survive.
ScanInfoStoreResult StoreScanInfo(MemoryImage &image, const ScanInfoState &state);

/// "Please select channel inputed" in the language.
QString PriorityChannelMessage(Language lang);
