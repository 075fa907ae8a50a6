#include "doc/FileWrite.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace filewrite {

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile saveFile(path);
    // Unbuffered: a buffered QSaveFile (Qt 6.4) commits even when flushing its buffer failed.
    if (saveFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (saveFile.write(bytes) != bytes.size()) {
            if (error)
                *error = saveFile.errorString();
            return false; // the destructor discards the temporary file
        }
        if (saveFile.commit())
            return true;
        if (error)
            *error = saveFile.errorString();
        return false;
    }
    // The folder may refuse a temporary file while the file itself is writable.
    return RewriteInPlace(path, bytes, error);
}

bool RewriteInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    // Unbuffered and synced, so a full disk shows here and not in a close nobody checks.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const bool written = file.write(bytes) == bytes.size();
    // Without the cut, the tail of a longer old text would stay at the end.
    const bool cut = written && file.resize(bytes.size());
    if (cut && ::fsync(file.handle()) == 0) {
        file.close();
        return true;
    }
    if (error)
        *error = cut ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
    file.close();
    return false;
}

} // namespace filewrite
