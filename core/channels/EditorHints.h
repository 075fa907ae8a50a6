// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helps of the cell editors: the band hint shown while a frequency is
// typed, and where typing in a drop-down list goes.

#include "core/app/Language.h"
#include "core/image/SettingsArea.h"

#include <QString>
#include <QStringList>

/// The band as "136.00000–174.00000 MHz".
QString FrequencyBandText(const BandLimits &band, Language lang);
/// Status-bar hint while a frequency is typed: "136.00000–174.00000 MHz, 5 or 6.25 kHz steps".
QString FrequencyHint(const BandLimits &band, Language lang);
/// The list item that typed text goes to: the first that begins with it, ignoring case and
/// blanks around it; -1 when none does or nothing was typed.
int TypeAheadIndex(const QStringList &items, const QString &typed);
