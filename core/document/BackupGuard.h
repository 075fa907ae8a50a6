// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The backups folder holds the only copy of what a radio held before a write: nothing
// the user saves, exports or imports may land there, by any path that leads there.

#include <QString>

namespace backupguard {

/// True when path, with symbolic links and ".." resolved, is folder or lies below it,
/// or when the file at path is a hard link to a file directly in folder.
bool IsInFolder(const QString &path, const QString &folder);
/// IsInFolder for the backups folder the program uses (DefaultBackupFolder()).
bool IsInBackupFolder(const QString &path);
/// Why a file is not written there, in the running language, to follow "Cannot save X: ".
QString Reason();

} // namespace backupguard
