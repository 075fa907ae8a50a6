// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget-free steps of filling the channel grid from the image: channel
// texts, the product type and band kept in step with the per-user store, the
// band limits the frequency check uses, and the main window title.

#include "core/app/Language.h"
#include "core/channels/ChannelTable.h"
#include "core/image/MemoryImage.h"
#include "core/image/SettingsArea.h"

#include <QString>

class UserSettings;

/// What a grid refresh hands to the view besides the texts.
struct GridRefresh
{
    BandLimits band; ///< Limits of the image's type and band, 10 Hz units.
    QString title; ///< Main window title.
};

/// A new image takes "Type"/"Field" from the store into 0x3D2/0x3D3; any other
/// image stores those two bytes into "Type"/"Field".
void SyncProductChoice(MemoryImage &image, UserSettings &store, bool newImage);
/// Limits of band bandIndex of type typeIndex from [Setup] "Field<typeIndex+1>" of theIniFile
/// (the last band when the list is shorter).
BandLimits BandLimitsOfProduct(int typeIndex, int bandIndex);
/// [<g_strLanguage>] "AppName" followed by " Programming Software" / " 写频软件".
QString MainWindowTitle(Language lang);
/// The whole refresh: channel texts of rows 1..16 into table, then sync, limits and title.
GridRefresh RefreshGridFromImage(
    MemoryImage &image, ChannelTable &table, Language lang, bool newImage, UserSettings &store);
