// SPDX-License-Identifier: GPL-3.0-or-later
// A program killed between writing its temporary file and renaming it leaves a hidden
// file in the user's folder; the next write there takes it away.
#include "core/document/StaleTemporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace filewrite {

namespace {

// Every file some process of procDir has open, as the links of its fd folder read.
QSet<QString> FilesHeldOpen(const QString &procDir)
{
    QSet<QString> held;
    const QStringList pids = QDir(procDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : pids) {
        bool number = false;
        pid.toLongLong(&number);
        if (!number)
            continue;
        const QDir fds(procDir + QLatin1Char('/') + pid + QStringLiteral("/fd"));
        const QStringList entries
            = fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &fd : entries)
            held.insert(QFile::symLinkTarget(fds.filePath(fd)));
    }
    return held;
}

} // namespace

QString OwnTemporarySuffix()
{
    return QStringLiteral(".radioprog-XXXXXX");
}

bool IsOwnTemporaryName(const QString &fileName)
{
    static const QRegularExpression own(QStringLiteral("^\\..*\\.radioprog-[A-Za-z0-9]{6,}$"));
    return own.match(fileName).hasMatch();
}

int RemoveStaleTemporaries(const QString &folder, int minAgeSeconds, const QString &procDir)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({ QStringLiteral(".*.radioprog-*") },
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    QStringList stale;
    const time_t now = ::time(nullptr);
    for (const QString &name : names) {
        if (!IsOwnTemporaryName(name))
            continue;
        const QString path = dir.absoluteFilePath(name);
        struct stat st
        {
        };
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)
            || st.st_uid != ::geteuid() || now - st.st_mtime < minAgeSeconds)
            continue;
        stale << path;
    }
    if (stale.isEmpty())
        return 0;
    // Looked up only when there is something to remove: a write must stay quick.
    const QSet<QString> held = FilesHeldOpen(procDir);
    int removed = 0;
    for (const QString &path : stale) {
        if (held.contains(path) || held.contains(QFileInfo(path).canonicalFilePath()))
            continue;
        if (::unlink(QFile::encodeName(path).constData()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace filewrite
