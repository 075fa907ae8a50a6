// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/InstallationPlace.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kProgramIni = QStringLiteral("Program.ini");

// Off until a program's main says otherwise, so that tests working on a temporary
// installation keep writing it in place and never reach the user's own folder.
bool s_runningInstalled = false;

QString WithSlash(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

} // namespace

QString InstallationDataDir(const QString &exeDir)
{
    const QString own = WithSlash(exeDir);
    if (QFileInfo(own + kProgramIni).isFile())
        return own;
    const QString shared = WithSlash(QDir::cleanPath(own + QStringLiteral("../share/radioprog")));
    if (QFileInfo(shared + kProgramIni).isFile())
        return shared;
    return own;
}

QString PerUserCopyPath(const QString &name)
{
    // GenericConfigLocation is $XDG_CONFIG_HOME, or ~/.config when that is unset.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/radioprog/") + name;
}

bool CanWriteFile(const QString &path)
{
    // access(2) underneath: a read-only mount counts as well as the permission bits.
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile() && info.isWritable();
    return QFileInfo(info.absolutePath()).isWritable();
}

bool IsBuildTree(const QString &exeDir)
{
    return QFileInfo(WithSlash(exeDir) + QStringLiteral("CMakeCache.txt")).isFile();
}

void SetRunningInstalled(bool installed)
{
    s_runningInstalled = installed;
}

bool RunningInstalled()
{
    return s_runningInstalled;
}
