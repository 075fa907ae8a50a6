// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SetupChoices.h"

#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"

QString ComPortName(int index)
{
    return QString::asprintf("%s%d", "com", index + 1);
}

int ComIndexOfStored(int stored)
{
    return stored >= 1 && stored <= ComPortCount ? stored - 1 : -1;
}

QString StoreComChoice(UserSettings &store, int index)
{
    store.setValue(QStringLiteral("com"), index + 1);
    return ComPortName(index);
}

int LanguageIndex(bool chinese)
{
    return chinese ? 1 : 0;
}

bool StoreLanguageChoice(CIniFile &ini, int index, bool runningChinese)
{
    if (index == LanguageIndex(runningChinese))
        return false;
    ini.SetValue(QStringLiteral("Setup"), QStringLiteral("Language"),
        runningChinese ? QStringLiteral("English") : QStringLiteral("Chinese"));
    return true;
}
