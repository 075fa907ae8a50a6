// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Making and probing the folders files are written into, so that a failure is told
// with the folder's own reason (a read-only file system, a file in the way) and not
// as the missing file it causes later.

#include <QString>

namespace filewrite {

/// Creates folder and every missing parent; false with the OS's reason (e.g. "Read-only
/// file system", "Not a directory" when a file is in the way) in reason.
bool MakeFolder(const QString &folder, QString *reason = nullptr);
/// Makes folder when missing and finds out that a new file can be created in it (tried
/// for real with a temporary file that is removed again); false with the OS's reason.
bool CheckFolderWritable(const QString &folder, QString *reason = nullptr);

} // namespace filewrite
