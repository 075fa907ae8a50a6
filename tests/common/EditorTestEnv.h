// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared set-up of the editor tests: a private copy of the test Program.ini as
// theIniFile and a per-user store under Qt's test folders, emptied first.

#include "core/app/Globals.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"
#include "tests/common/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace editortest {

/// Opens a copy of tests/data/editor/Program.ini in dir and empties the per-user store.
inline bool OpenTestIni(const QTemporaryDir &dir)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString ini = dir.filePath(QStringLiteral("Program.ini"));
    QFile::remove(ini);
    if (!QFile::copy(QStringLiteral(RADIOPROG_TEST_DATA "/editor/Program.ini"), ini))
        return false;
    QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    theIniFile.Close();
    if (theIniFile.Open(ini, false, true, false) != 1)
        return false;
    g_strLanguage = QStringLiteral("English");
    QFile::remove(UserSettings::forApplication().fileName());
    return true;
}

using testing::ReadAll;

} // namespace editortest
