// SPDX-License-Identifier: GPL-3.0-or-later
// A technician keeps a customer's files together; a dialog that opens in the backups
// or the installation folder makes him walk back there every time.
#include "core/settings/DialogFolders.h"

#include "core/app/Globals.h"
#include "core/app/InstallationPlace.h"
#include "core/document/BackupStore.h"
#include "core/settings/UserSettings.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString StoreKey(DialogFileKind kind)
{
    switch (kind) {
    case DialogFileKind::Image:
        return QStringLiteral("Folders/Image");
    case DialogFileKind::ChannelList:
        return QStringLiteral("Folders/ChannelList");
    case DialogFileKind::Pdf:
        break;
    }
    return QStringLiteral("Folders/Pdf");
}

QString Canonical(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

bool IsUsableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isAbsolute() && info.isDir() && !IsProgramFolder(folder);
}

} // namespace

bool IsProgramFolder(const QString &folder)
{
    const QString f = Canonical(folder);
    const QString installation
        = g_strAppDir.isEmpty() ? QString() : InstallationDataDir(g_strAppDir);
    for (const QString &own : { DefaultBackupFolder(), g_strAppDir, installation }) {
        if (own.isEmpty())
            continue;
        const QString o = Canonical(own);
        if (f == o || f.startsWith(o + QLatin1Char('/')))
            return true;
    }
    return false;
}

QString DialogStartFolder(DialogFileKind kind, const QString &documentPath)
{
    if (!documentPath.isEmpty()) {
        const QString folder = QFileInfo(documentPath).absolutePath();
        if (QFileInfo(documentPath).isAbsolute() && IsUsableFolder(folder))
            return folder;
    }
    const QString last = UserSettings::forApplication().text(StoreKey(kind));
    if (IsUsableFolder(last))
        return last;
    return QDir::homePath();
}

QString DialogSuggestedFile(
    DialogFileKind kind, const QString &documentPath, const QString &fileName)
{
    return QDir(DialogStartFolder(kind, documentPath)).filePath(fileName);
}

void RememberDialogFolder(DialogFileKind kind, const QString &path)
{
    if (path.isEmpty())
        return;
    const QString folder = QFileInfo(path).absolutePath();
    // Choosing a backup (Compare With a backup) must not make the backups the usual place.
    if (!IsUsableFolder(folder))
        return;
    UserSettings::forApplication().setText(StoreKey(kind), folder);
}
