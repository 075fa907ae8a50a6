// SPDX-License-Identifier: GPL-3.0-or-later
// The region choice and its names; kept per user like the other Options.
#include "core/plan/PlanRegion.h"

#include "core/settings/UserSettings.h"

QString RegionCode(PlanRegion region)
{
    switch (region) {
    case PlanRegion::UnitedStates:
        return QStringLiteral("us");
    case PlanRegion::Europe:
        return QStringLiteral("eu");
    case PlanRegion::None:
        break;
    }
    return QStringLiteral("none");
}

bool RegionFromCode(const QString &code, PlanRegion *region)
{
    for (PlanRegion r : { PlanRegion::None, PlanRegion::UnitedStates, PlanRegion::Europe })
        if (code == RegionCode(r)) {
            *region = r;
            return true;
        }
    return false;
}

QStringList RegionNames(Language lang)
{
    return { LanguageText(lang, "None", "无"), LanguageText(lang, "United States", "美国"),
        LanguageText(lang, "Europe", "欧洲") };
}

PlanRegion LoadPlanRegion()
{
    const int v = UserSettings::forApplication().value(QLatin1String(kPlanRegionValue), 0);
    // A value from a later version or a damaged store must not invent rules.
    return v == 1 ? PlanRegion::UnitedStates : v == 2 ? PlanRegion::Europe : PlanRegion::None;
}

void StorePlanRegion(PlanRegion region)
{
    UserSettings::forApplication().setValue(
        QLatin1String(kPlanRegionValue), static_cast<int>(region));
}
