// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real file-system faults for tests: a small tmpfs that can be filled or made read-only,
// file access as an ordinary user while the suite runs as root, an immutable file, a FIFO,
// and a guard that ends the test process when a call that must answer at once hangs.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/fsuid.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testing {

/// A tmpfs of a few KiB mounted for the lifetime of this object (root only).
class SmallDisk
{
public:
    /// Mounts a tmpfs of kib KiB; mounted() tells whether it worked, whyNot() why not.
    explicit SmallDisk(int kib = 64)
    {
        if (::geteuid() != 0) {
            m_whyNot = QStringLiteral("a tmpfs can only be mounted by the superuser (CI runs as "
                                      "root)");
            return;
        }
        m_path = m_parent.filePath(QStringLiteral("disk"));
        QDir().mkpath(m_path);
        const QByteArray options = QStringLiteral("size=%1k,mode=0777").arg(kib).toLatin1();
        if (::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData())
            != 0) {
            m_whyNot = QStringLiteral("cannot mount a tmpfs: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
        // Others may enter (tests also run commands as an ordinary user).
        ::chmod(QFile::encodeName(m_parent.path()).constData(), 0755);
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    /// True when the tmpfs is mounted.
    bool mounted() const { return m_mounted; }
    /// Why it is not mounted.
    QString whyNot() const { return m_whyNot; }
    /// The mount point.
    QString path() const { return m_path; }
    /// A path on the disk.
    QString filePath(const QString &name) const { return m_path + QLatin1Char('/') + name; }

    /// Fills the disk to its last byte with the file "filler"; true when it is full.
    bool fill() const
    {
        const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
            O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'F');
        int err = 0;
        for (;;) {
            const ssize_t n = ::write(fd, block.constData(), static_cast<size_t>(block.size()));
            if (n < 0) {
                err = errno;
                if (err == EINTR)
                    continue;
                break;
            }
        }
        ::close(fd);
        return err == ENOSPC;
    }
    /// Removes the filler again.
    void unfill() const { QFile::remove(filePath(QStringLiteral("filler"))); }
    /// Remounts the disk read-only (true) or writable again (false); true when done.
    bool setReadOnly(bool readOnly) const
    {
        unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV;
        if (readOnly)
            flags |= MS_RDONLY;
        return ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", flags, nullptr)
            == 0;
    }

private:
    QTemporaryDir m_parent;
    QString m_path;
    QString m_whyNot;
    bool m_mounted = false;
};

/// While it lives, this thread's file access is checked as the user nobody when the test
/// runs as root (permission bits do not bind the superuser); no effect otherwise.
class AsOrdinaryUser
{
public:
    AsOrdinaryUser()
    {
        if (::geteuid() == 0) {
            ::setfsgid(65534);
            ::setfsuid(65534);
            m_active = true;
        }
    }
    ~AsOrdinaryUser()
    {
        if (m_active) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

private:
    bool m_active = false;
};

/// Sets or clears the immutable flag (binds the superuser too); true when done.
inline bool SetImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

/// Makes a FIFO at path; true when done.
inline bool MakeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0666) == 0;
}

/// A path named name in folder that is what setup says: "fifo" (a FIFO), "folder" (a folder),
/// "/dev/..." (that device itself) or anything else (nothing there yet); empty when the FIFO
/// or the folder cannot be made.
inline QString FaultyPath(const QString &folder, const QString &name, const QString &setup)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (setup.startsWith(QLatin1String("/dev/")))
        return setup;
    if (setup == QLatin1String("fifo"))
        return MakeFifo(path) ? path : QString();
    if (setup == QLatin1String("folder"))
        return QDir(folder).mkdir(name) ? path : QString();
    return path;
}

namespace detail {
inline void OnHang(int)
{
    static const char message[] = "FAIL: a call that must answer at once did not return\n";
    (void)!::write(2, message, sizeof message - 1);
    ::_exit(3);
}
} // namespace detail

/// Ends the whole test process with a failure when it is still alive after seconds: for
/// calls (open of a FIFO) that would otherwise hang the suite for good.
class HangGuard
{
public:
    explicit HangGuard(unsigned seconds)
    {
        std::signal(SIGALRM, detail::OnHang);
        ::alarm(seconds);
    }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard &) = delete;
    HangGuard &operator=(const HangGuard &) = delete;
};

} // namespace testing
