// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The regions whose frequency rules the plan check knows, and the user's
// choice of one (Setup > Options "Region"; none until the user picks one).

#include "core/app/Language.h"

#include <QString>
#include <QStringList>

/// A region with frequency rules; None checks no region rules.
enum class PlanRegion { None = 0, UnitedStates = 1, Europe = 2 };

/// Per-user value name of the chosen region (0 none, 1 United States, 2 Europe).
constexpr char kPlanRegionValue[] = "Region";

/// "none", "us" or "eu".
QString RegionCode(PlanRegion region);
/// The region of a code ("none", "us", "eu"); false for any other text.
bool RegionFromCode(const QString &code, PlanRegion *region);
/// Names of the regions in enum order, for the Options list ("None", "United States", "Europe").
QStringList RegionNames(Language lang);
/// The user's region; None when missing or unknown.
PlanRegion LoadPlanRegion();
/// Stores the user's region.
void StorePlanRegion(PlanRegion region);
