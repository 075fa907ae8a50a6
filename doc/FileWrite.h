#pragma once
// Writing a whole small file so that a failure never leaves half of it behind.

#include <QByteArray>
#include <QString>

namespace filewrite {

/// Replaces the file at path by bytes through a temporary file and a rename; when the
/// folder refuses the temporary file, rewrites it in place. True when all was written;
/// otherwise error (when given) receives the system's reason.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
/// Rewrites the existing file at path from its start and cuts it to bytes' length.
/// On failure error (when given) receives the system's reason.
bool RewriteInPlace(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace filewrite
