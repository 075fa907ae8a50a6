#include "doc/FileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace filewrite {

namespace {
bool Fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}
} // namespace

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile saveFile(path);
    if (saveFile.open(QIODevice::WriteOnly)) {
        if (saveFile.write(bytes) != bytes.size())
            return Fail(error, saveFile.errorString()); // the destructor discards the temporary
        if (!saveFile.commit())
            return Fail(error, saveFile.errorString());
        return true;
    }
    // The folder may refuse a temporary file while the file itself is writable.
    const QString openError = saveFile.errorString();
    if (!QFileInfo(path).isFile())
        return Fail(error, openError);
    return RewriteInPlace(path, bytes, error);
}

bool RewriteInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return Fail(error, file.errorString());
    const bool written = file.write(bytes) == bytes.size();
    // Without the cut, the tail of a longer old text would stay at the end.
    const bool cut = written && file.resize(bytes.size());
    const QString why = file.errorString();
    const bool flushed = file.flush();
    file.close();
    if (!written || !cut || !flushed)
        return Fail(error, why);
    return true;
}

} // namespace filewrite
