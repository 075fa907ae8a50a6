// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process-wide state fixed at start-up and read everywhere.

#include "core/app/Language.h"

#include <QString>

/// 1 while the Chinese texts are in force (exactly "Chinese" in [Setup] Language).
extern bool g_bChinese;
/// The [Setup] "Language" value as read; names the language section and resource set.
extern QString g_strLanguage;
/// "chHelp.html" or "enHelp.html" by the language flag.
extern QString g_strHelpFile;
/// The folder of the installation data, ending with "/": the executable's own, or
/// ../share/radioprog from it once installed (InstallationDataDir).
extern QString g_strAppDir;
/// The main window title last composed.
extern QString g_strTitle;
/// Caption of every message box: "Program" until start-up sets [language] "Company".
extern QString g_strAppDisplayName;
