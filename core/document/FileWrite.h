// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a whole small file so that a failure never leaves half of it behind.
// Every file the programs write goes through WriteWholeFile.

#include <QByteArray>
#include <QString>

namespace filewrite {

/// Replaces the file at path by bytes: written unbuffered to a temporary file in the same
/// folder, flushed to the disk, then renamed over the old one; when the folder refuses the
/// temporary file, rewrites the existing file in place. On any error the old file stays
/// byte for byte, and false is returned with the OS's reason (e.g. "No space left on
/// device") in reason. A path in the backups folder is refused, with the reason why.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr);
/// WriteWholeFile for the backups store itself, the one writer allowed in its folder.
bool WriteWholeFileInBackups(
    const QString &path, const QByteArray &bytes, QString *reason = nullptr);
/// Rewrites the existing file at path from its start and cuts it to bytes' length; the
/// room is reserved first and the cut comes last, so a failure leaves the old contents.
/// A path in the backups folder is refused.
bool RewriteInPlace(const QString &path, const QByteArray &bytes, QString *reason = nullptr);
/// Finds out, changing nothing, whether WriteWholeFile could put size bytes at path: the
/// folder exists, the file (if any) is a writable regular file, the folder takes a new file
/// (or the file can be rewritten in place), the disk has room, and it is not in the
/// backups folder.
bool CheckWritable(const QString &path, qint64 size, QString *reason = nullptr);
/// The OS's text for an errno value, as strerror gives it.
QString OsReason(int errorNumber);

} // namespace filewrite
