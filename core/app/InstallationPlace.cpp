// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/InstallationPlace.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kProgramIni = QStringLiteral("Program.ini");

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
