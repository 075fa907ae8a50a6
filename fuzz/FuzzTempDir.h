// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One scratch folder per fuzzing process, in memory where the system offers it,
// so that a target that must go through files stays fast. fuzz/run hands one in
// RADIOPROG_FUZZ_TMP and removes it afterwards, also after a finding.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <cstdlib>
#include <unistd.h>

namespace fuzztemp {

/// The process's scratch folder: $RADIOPROG_FUZZ_TMP/<pid>, else a new folder under /dev/shm or
/// /tmp.
inline const QString &Dir()
{
    static const QString dir = [] {
        const QByteArray given = qgetenv("RADIOPROG_FUZZ_TMP");
        if (!given.isEmpty()) {
            const QString path
                = QString::fromLocal8Bit(given) + QStringLiteral("/%1").arg(getpid());
            if (!QDir().mkpath(path))
                std::abort();
            return path;
        }
        const char *base = QDir(QStringLiteral("/dev/shm")).exists() ? "/dev/shm" : "/tmp";
        QByteArray pattern = QByteArray(base) + "/radioprog-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        return QString::fromLocal8Bit(pattern);
    }();
    return dir;
}

} // namespace fuzztemp
