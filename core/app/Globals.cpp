// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/Globals.h"

bool g_bChinese = false;
QString g_strLanguage;
QString g_strHelpFile = QStringLiteral("enHelp.html");
QString g_strAppDir;
QString g_strTitle;
QString g_strAppDisplayName = QStringLiteral("Program");

Language CurrentLanguage()
{
    return g_bChinese ? Language::Chinese : Language::English;
}
