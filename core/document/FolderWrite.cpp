// SPDX-License-Identifier: GPL-3.0-or-later
// mkdir(2) one level at a time: QDir::mkpath says only that it failed, never why.
#include "core/document/FolderWrite.h"

#include "core/document/FileWrite.h"
#include "core/document/StaleTemporaries.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filewrite {

namespace {

bool Fail(QString *reason, int errorNumber)
{
    if (reason)
        *reason = OsReason(errorNumber);
    return false;
}

// 0 when path is a folder (made now if missing), else the errno that tells why not.
int EnsureOneFolder(const QByteArray &path)
{
    struct stat st
    {
    };
    if (::stat(path.constData(), &st) == 0)
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    if (::mkdir(path.constData(), 0777) == 0)
        return 0;
    const int err = errno;
    // Made by someone else meanwhile: as good as made here.
    if (err == EEXIST && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return 0;
    return err;
}

} // namespace

bool MakeFolder(const QString &folder, QString *reason)
{
    if (folder.isEmpty())
        return Fail(reason, ENOENT);
    const QByteArray native = QFile::encodeName(QDir::cleanPath(QDir(folder).absolutePath()));
    // Each parent from the root down; the first that cannot be made gives the reason.
    for (int slash = native.indexOf('/', 1); slash > 0; slash = native.indexOf('/', slash + 1)) {
        if (const int err = EnsureOneFolder(native.left(slash)))
            return Fail(reason, err);
    }
    if (const int err = EnsureOneFolder(native))
        return Fail(reason, err);
    return true;
}

bool CheckFolderWritable(const QString &folder, QString *reason)
{
    if (!MakeFolder(folder, reason))
        return false;
    QByteArray probe = QFile::encodeName(
        QDir(folder).absoluteFilePath(QStringLiteral(".probe") + OwnTemporarySuffix()));
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(reason, errno);
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

} // namespace filewrite
