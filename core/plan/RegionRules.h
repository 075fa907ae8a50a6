// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frequency rules of each region that the plan check warns about: bands
// where a channel should not transmit, or not be wide. The table and its
// sources are in RegionRules.cpp.

#include "core/plan/PlanFinding.h"
#include "core/plan/PlanRegion.h"

#include <cstdint>

/// What the check knows of one used channel, frequencies in 10 Hz units (-1: no frequency).
struct RegionChannel
{
    int number = 0; ///< Channel 1..16.
    std::int64_t rx = -1; ///< Receive frequency.
    std::int64_t tx = -1; ///< Transmit frequency.
    bool wide = false; ///< Wide bandwidth.
};

/// Appends the region's findings for one channel to out; nothing for PlanRegion::None.
void AppendRegionFindings(const RegionChannel &channel, PlanRegion region, QList<PlanFinding> *out);
