// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ProductInfoRules.h"

#include "core/image/SettingsArea.h"
#include "core/settings/IniFile.h"

QStringList ProductTypeList(const CIniFile &ini)
{
    QStringList types;
    for (int k = 1; k <= MaxProductTypes; ++k) {
        const QString type = ini.GetValue(QStringLiteral("Setup"), QStringLiteral("Type%1").arg(k));
        if (type.isEmpty())
            break;
        types << type;
    }
    return types;
}

QStringList ProductBandList(const CIniFile &ini, int typePos)
{
    return SplitBandList(
        ini.GetValue(QStringLiteral("Setup"), QStringLiteral("Field%1").arg(typePos + 1)));
}

int ProductListPosition(int stored, int count)
{
    return stored >= 0 && stored < count ? stored : -1;
}

void StoreProductChoice(MemoryImage &image, int typePos, int bandPos)
{
    WriteField(image, Field::ProductType, typePos & 0xFF);
    WriteField(image, Field::FrequencyBand, bandPos & 0xFF);
}

QString ProductCaption(const QString &appName, const QString &type, const QString &band)
{
    return appName + QStringLiteral("  [ Type:") + type + QStringLiteral("  Fre:") + band
        + QStringLiteral(" ]");
}
