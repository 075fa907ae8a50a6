// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/BackupGuard.h"

#include "core/app/Language.h"
#include "core/document/BackupStore.h"
#include "core/document/FileName.h"

#include <QByteArrayList>

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace backupguard {

namespace {

// Drops "." and empty parts and applies ".." to an absolute path, as text.
QByteArray Lexical(const QByteArray &absolute)
{
    QByteArrayList parts;
    for (const QByteArray &part : absolute.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts << part;
    }
    return '/' + parts.join('/');
}

// The path as the system reaches it: the longest part that exists is resolved by the
// system (symbolic links, ".."); what does not exist yet is added as text.
QByteArray Resolve(const QString &path)
{
    QByteArray native = filename::ToNative(path);
    if (!native.startsWith('/')) {
        char cwd[PATH_MAX];
        if (!::getcwd(cwd, sizeof cwd))
            return Lexical(native);
        native = QByteArray(cwd) + '/' + native;
    }
    QByteArray head = native;
    QByteArray tail;
    while (true) {
        char resolved[PATH_MAX];
        if (::realpath(head.constData(), resolved))
            return Lexical(QByteArray(resolved) + tail);
        const int slash = head.lastIndexOf('/');
        if (slash <= 0)
            return Lexical(native);
        tail.prepend(head.mid(slash));
        head.truncate(slash);
    }
}

// A hard link shares its file with the backup: a rewrite in place would change both.
bool SharesFileWith(const QByteArray &file, const QByteArray &folder)
{
    struct stat st
    {
    };
    if (::stat(file.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink < 2)
        return false;
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    bool shared = false;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat other
        {
        };
        const QByteArray name = folder + '/' + entry->d_name;
        if (::lstat(name.constData(), &other) == 0 && other.st_ino == st.st_ino
            && other.st_dev == st.st_dev) {
            shared = true;
            break;
        }
    }
    ::closedir(dir);
    return shared;
}

} // namespace

bool IsInFolder(const QString &path, const QString &folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QByteArray where = Resolve(path);
    const QByteArray guarded = Resolve(folder);
    if (where == guarded || where.startsWith(guarded == "/" ? guarded : guarded + '/'))
        return true;
    return SharesFileWith(where, guarded);
}

bool IsInBackupFolder(const QString &path)
{
    return IsInFolder(path, DefaultBackupFolder());
}

QString Reason()
{
    return LanguageText("it is in the backups folder, which keeps what a radio held before each "
                        "write; choose another folder",
        "它位于备份文件夹中，该文件夹保存每次写入前电台中的数据；请选择其他文件夹");
}

} // namespace backupguard
