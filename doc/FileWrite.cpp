#include "doc/FileWrite.h"

#include <QFile>
#include <QSaveFile>

namespace filewrite {

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile saveFile(path);
    if (saveFile.open(QIODevice::WriteOnly)) {
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
    if (RewriteInPlace(path, bytes))
        return true;
    if (error)
        *error = saveFile.errorString();
    return false;
}

bool RewriteInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    // Without the cut, the tail of a longer old text would stay at the end.
    const bool cut = file.resize(bytes.size());
    file.close();
    return written && cut;
}

} // namespace filewrite
