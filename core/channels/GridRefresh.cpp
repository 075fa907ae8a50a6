// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/channels/GridRefresh.h"

#include "core/app/Globals.h"
#include "core/image/MemoryMap.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"

void SyncProductChoice(MemoryImage &image, UserSettings &store, bool newImage)
{
    const QString type = QStringLiteral("Type");
    const QString field = QStringLiteral("Field");
    if (newImage) {
        // Only the low bytes fit the image; a missing value reads 0.
        image[mem::ProductType] = static_cast<std::uint8_t>(store.value(type, 0) & 0xFF);
        image[mem::FrequencyBand] = static_cast<std::uint8_t>(store.value(field, 0) & 0xFF);
    } else {
        store.setValue(type, image[mem::ProductType]);
        store.setValue(field, image[mem::FrequencyBand]);
    }
}

BandLimits BandLimitsOfProduct(int typeIndex, int bandIndex)
{
    const QString list = theIniFile.GetValue(
        QStringLiteral("Setup"), QStringLiteral("Field%1").arg(typeIndex + 1));
    return BandLimitsOfText(BandTextOfIndex(SplitBandList(list), bandIndex));
}

QString MainWindowTitle(Language lang)
{
    const QString appName = theIniFile.GetValue(g_strLanguage, QStringLiteral("AppName"));
    return appName
        + (lang == Language::Chinese ? QStringLiteral(" 写频软件")
                                     : QStringLiteral(" Programming Software"));
}

GridRefresh RefreshGridFromImage(
    MemoryImage &image, ChannelTable &table, Language lang, bool newImage, UserSettings &store)
{
    ChannelsToTable(image, table, lang);
    SyncProductChoice(image, store, newImage);
    GridRefresh r;
    r.band = BandLimitsOfProduct(image[mem::ProductType], image[mem::FrequencyBand]);
    r.title = MainWindowTitle(lang);
    return r;
}
