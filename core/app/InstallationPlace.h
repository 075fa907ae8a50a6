// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the installation data lives and where a user's own copy of it goes.
// The build tree keeps the data next to the programs; an installed copy keeps
// it in <prefix>/share/radioprog while the programs are in <prefix>/bin.

#include <QString>

/// The folder of the installation data, ending with "/": exeDir itself when it holds
/// Program.ini, else exeDir/../share/radioprog when that does, else exeDir.
QString InstallationDataDir(const QString &exeDir);
/// This user's copy of an installation file: $XDG_CONFIG_HOME/radioprog/name.
QString PerUserCopyPath(const QString &name);
/// True when exeDir is a build tree (CMake's CMakeCache.txt is there): its data may be written.
bool IsBuildTree(const QString &exeDir);
/// Records at start-up whether this process runs installed (not from a build tree).
void SetRunningInstalled(bool installed);
/// True when this process runs installed: its installation data is then never written.
bool RunningInstalled();
/// True when this process may replace the file at path (or create it, when missing).
bool CanWriteFile(const QString &path);
