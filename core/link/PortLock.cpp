// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/PortLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace {

QString &lockDirectory()
{
    static QString dir;
    return dir;
}

bool processAlive(qint64 pid)
{
    // A negative or overlong number would address a process group in kill().
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    // EPERM: it exists but belongs to another user; still alive.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

/// Writes the PID file under a temporary name and links it into place, so that
/// nobody ever reads a half-written lock.
bool createLock(const QByteArray &lockPath)
{
    char text[16];
    const int len = std::snprintf(text, sizeof text, "%10ld\n", static_cast<long>(::getpid()));
    // Unique per process and call: two threads may lock two devices at once.
    static std::atomic<int> serial { 0 };
    const QByteArray tmp = lockPath.left(lockPath.lastIndexOf('/') + 1) + "LTMP."
        + QByteArray::number(static_cast<qint64>(::getpid())) + '.'
        + QByteArray::number(serial.fetch_add(1));
    const int fd = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text, static_cast<size_t>(len)) == len;
    ::close(fd);
    const bool linked = written && ::link(tmp.constData(), lockPath.constData()) == 0;
    const int linkErrno = errno;
    ::unlink(tmp.constData());
    errno = linked ? 0 : linkErrno;
    return linked;
}

} // namespace

CPortLock::~CPortLock()
{
    release();
}

QString CPortLock::directory()
{
    if (!lockDirectory().isEmpty())
        return lockDirectory();
    return QStringLiteral("/run/lock");
}

void CPortLock::setDirectory(const QString &dir)
{
    lockDirectory() = dir;
}

QString CPortLock::lockFilePath(const QString &devicePath)
{
    // Two names of one device (a by-id link and ttyUSB0) must share one lock.
    QString real = QFileInfo(devicePath).canonicalFilePath();
    if (real.isEmpty())
        real = devicePath;
    QString name
        = real.startsWith(QLatin1String("/dev/")) ? real.mid(5) : QFileInfo(real).fileName();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return directory() + QStringLiteral("/LCK..") + name;
}

qint64 CPortLock::readOwner(const QString &lockFile)
{
    QFile f(lockFile);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = f.read(64);
    bool ok = false;
    const qint64 pid = bytes.trimmed().toLongLong(&ok);
    if (ok)
        return pid;
    // The old binary form: the PID as a native 4-byte integer.
    if (bytes.size() == 4) {
        qint32 binary = 0;
        std::memcpy(&binary, bytes.constData(), 4);
        return binary;
    }
    return 0;
}

CPortLock::Result CPortLock::acquire(const QString &devicePath, qint64 *holder)
{
    release();
    const QByteArray lockPath = QFile::encodeName(lockFilePath(devicePath));
    // Two tries: the second after removing a stale lock.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (createLock(lockPath)) {
            m_path = lockPath;
            return Result::Locked;
        }
        if (errno != EEXIST)
            return Result::Unavailable;
        const qint64 owner = readOwner(QFile::decodeName(lockPath));
        if (processAlive(owner)) {
            if (holder)
                *holder = owner;
            return Result::HeldByOther;
        }
        // Its process is gone (or it names none): a left-over of a crash.
        if (::unlink(lockPath.constData()) != 0 && errno != ENOENT)
            return Result::Unavailable;
    }
    return Result::Unavailable;
}

void CPortLock::release()
{
    if (m_path.isEmpty())
        return;
    // Only a lock that still names this process is removed.
    if (readOwner(QFile::decodeName(m_path)) == ::getpid())
        ::unlink(m_path.constData());
    m_path.clear();
}
