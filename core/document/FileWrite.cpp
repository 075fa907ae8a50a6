// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/FileWrite.h"

#include "core/document/BackupGuard.h"
#include "core/document/FileName.h"
#include "core/document/StaleTemporaries.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace filewrite {

namespace {

constexpr qint64 kMaxInPlaceSize = 64 * 1024 * 1024;

bool Fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

bool FailErrno(QString *reason, int errorNumber)
{
    return Fail(reason, OsReason(errorNumber));
}

QString NotRegularReason()
{
    return QStringLiteral("not a regular file");
}

// Closes a descriptor once, at the end of its scope unless released earlier.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    /// Closes now; 0, or the errno of a failed close (NFS reports write errors here).
    int close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// Writes all of size bytes at offset; 0, or the errno of the failure. write() is not
// buffered: a full disk is seen here, not hidden until a later flush.
int WriteAllAt(int fd, const char *data, qint64 size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, static_cast<size_t>(size), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        data += n;
        size -= n;
        offset += n;
    }
    return 0;
}

// Reads the whole regular file behind fd; 0, or the errno of the failure.
int ReadAllFrom(int fd, qint64 size, QByteArray *out)
{
    out->resize(static_cast<int>(size));
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out->data() + done, static_cast<size_t>(size - done), done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        done += n;
    }
    out->resize(static_cast<int>(done));
    return 0;
}

// The permission bits a newly created file gets, as open(0666) would give them.
mode_t NewFileMode()
{
    mode_t mask = 022;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    mask = static_cast<mode_t>(value);
                break;
            }
        }
    }
    return 0666 & ~mask;
}

// The file a path stands for: a symbolic link is followed, so that the link stays and
// the file it points to is replaced.
QByteArray TargetOf(const QString &path)
{
    const QByteArray native = filename::ToNative(path);
    struct stat st
    {
    };
    if (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(native.constData(), resolved))
            return QByteArray(resolved);
    }
    return native;
}

QByteArray FolderOf(const QByteArray &target)
{
    const int slash = target.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : target.left(slash);
}

QByteArray TemporaryTemplate(const QByteArray &target)
{
    const int slash = target.lastIndexOf('/');
    // Hidden, and short enough that a long file name still leaves room for the suffix.
    const QByteArray base = target.mid(slash + 1).left(200);
    QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
    // Named so that a later write can tell it from the user's own files (see
    // RemoveStaleTemporaries) when a killed process leaves it behind.
    return folder + '.' + base + QFile::encodeName(OwnTemporarySuffix());
}

// What is at target now: whether it exists and, if so, that it is a regular file this
// process may write (tried for real: permission bits, read-only mounts and the immutable
// flag all count, and the superuser is judged as the kernel judges it).
bool InspectTarget(const QByteArray &target, struct stat *st, bool *exists, QString *reason)
{
    *exists = false;
    if (::stat(target.constData(), st) != 0) {
        if (errno == ENOENT)
            return true;
        return FailErrno(reason, errno);
    }
    *exists = true;
    if (S_ISDIR(st->st_mode))
        return FailErrno(reason, EISDIR);
    if (!S_ISREG(st->st_mode))
        return Fail(reason, NotRegularReason());
    const int fd = ::open(target.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return FailErrno(reason, errno);
    ::close(fd);
    return true;
}

// Best effort: the rename itself reaches the disk.
void SyncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool FolderRefusesNewFiles(int errorNumber)
{
    return errorNumber == EACCES || errorNumber == EPERM;
}

} // namespace

// Rewrites the file target (already resolved) in place; RewriteInPlace without the guard.
static bool RewriteTarget(const QByteArray &target, const QByteArray &bytes, QString *reason);

QString OsReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    if (backupguard::IsInBackupFolder(path))
        return Fail(reason, backupguard::Reason());
    return WriteWholeFileInBackups(path, bytes, reason);
}

bool WriteWholeFileInBackups(const QString &path, const QByteArray &bytes, QString *reason)
{
    const QByteArray target = TargetOf(path);
    struct stat old
    {
    };
    bool exists = false;
    if (!InspectTarget(target, &old, &exists, reason))
        return false;

    // What an earlier run killed halfway left here goes first (only this program's own).
    RemoveStaleTemporaries(QFile::decodeName(FolderOf(target)));
    QByteArray temporary = TemporaryTemplate(target);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        // The folder may refuse a temporary file while the file itself is writable.
        if (exists && FolderRefusesNewFiles(err))
            return RewriteTarget(target, bytes, reason);
        return FailErrno(reason, err);
    }
    Descriptor file(fd);
    const auto discard = [&](int err) {
        if (file.get() >= 0)
            file.close();
        ::unlink(temporary.constData());
        return FailErrno(reason, err);
    };
    // The new file keeps the old one's permissions (and owner, where allowed).
    if (exists) {
        ::fchmod(fd, old.st_mode & 07777);
        if (::geteuid() == 0)
            (void)!::fchown(fd, old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd, NewFileMode());
    }
    if (const int err = WriteAllAt(fd, bytes.constData(), bytes.size(), 0))
        return discard(err);
    // On the disk before it replaces the old file: a crash leaves one or the other.
    if (::fsync(fd) != 0)
        return discard(errno);
    if (const int err = file.close())
        return discard(err);
    if (::rename(temporary.constData(), target.constData()) != 0)
        return discard(errno);
    SyncFolder(FolderOf(target));
    return true;
}

bool RewriteInPlace(const QString &path, const QByteArray &bytes, QString *reason)
{
    if (backupguard::IsInBackupFolder(path))
        return Fail(reason, backupguard::Reason());
    return RewriteTarget(TargetOf(path), bytes, reason);
}

static bool RewriteTarget(const QByteArray &target, const QByteArray &bytes, QString *reason)
{
    const int fd = ::open(target.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return FailErrno(reason, errno);
    Descriptor file(fd);
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return FailErrno(reason, errno);
    if (!S_ISREG(st.st_mode))
        return Fail(reason, NotRegularReason());

    // The old contents are kept so that a failed write can be undone; a file too large to
    // keep in memory is not one of the small files rewritten here.
    if (st.st_size > kMaxInPlaceSize)
        return FailErrno(reason, EFBIG);
    QByteArray old;
    if (const int err = ReadAllFrom(fd, st.st_size, &old))
        return FailErrno(reason, err);
    if (bytes.size() > old.size()) {
        // Room first: on a full disk nothing has been touched yet.
        if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, bytes.size()) != 0 && errno != EOPNOTSUPP
            && errno != ENOSYS)
            return FailErrno(reason, errno);
    }
    const auto restore = [&](int err) {
        WriteAllAt(fd, old.constData(), old.size(), 0);
        if (::ftruncate(fd, old.size()) == 0)
            ::fsync(fd);
        return FailErrno(reason, err);
    };
    if (const int err = WriteAllAt(fd, bytes.constData(), bytes.size(), 0))
        return restore(err);
    if (::fsync(fd) != 0)
        return restore(errno);
    // Cut only once the new text is whole on the disk; without the cut, the tail of a
    // longer old text would stay at the end.
    if (bytes.size() < old.size()) {
        if (::ftruncate(fd, bytes.size()) != 0 || ::fsync(fd) != 0)
            return restore(errno);
    }
    if (const int err = file.close())
        return FailErrno(reason, err);
    return true;
}

bool CheckWritable(const QString &path, qint64 size, QString *reason)
{
    if (backupguard::IsInBackupFolder(path))
        return Fail(reason, backupguard::Reason());
    const QByteArray target = TargetOf(path);
    struct stat old
    {
    };
    bool exists = false;
    if (!InspectTarget(target, &old, &exists, reason))
        return false;
    const QByteArray folder = FolderOf(target);
    struct stat dir
    {
    };
    if (::stat(folder.constData(), &dir) != 0)
        return FailErrno(reason, errno);
    if (!S_ISDIR(dir.st_mode))
        return FailErrno(reason, ENOTDIR);

    QByteArray probe = TemporaryTemplate(target);
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
    } else if (!(exists && FolderRefusesNewFiles(errno))) {
        return FailErrno(reason, errno);
    }

    // A replace needs room for the whole new file while the old one still exists.
    struct statvfs fs
    {
    };
    // A file system that counts no blocks at all (some network and FUSE ones) is not
    // taken for a full one.
    if (::statvfs(folder.constData(), &fs) == 0 && fs.f_blocks > 0) {
        const unsigned long long freeBlocks = ::geteuid() == 0 ? fs.f_bfree : fs.f_bavail;
        const unsigned long long room = freeBlocks * fs.f_frsize;
        if (room < static_cast<unsigned long long>(size))
            return FailErrno(reason, ENOSPC);
    }
    return true;
}

} // namespace filewrite
