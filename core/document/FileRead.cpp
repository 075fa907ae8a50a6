// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/FileRead.h"

#include "core/document/FileName.h"
#include "core/document/FileWrite.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileread {

namespace {

ReadResult Problem(ReadProblem problem, const QString &reason)
{
    ReadResult r;
    r.problem = problem;
    r.reason = reason;
    return r;
}

// Sorts out what is not a regular file, by its mode.
bool IsRegular(const struct stat &st, ReadResult *r)
{
    if (S_ISDIR(st.st_mode)) {
        *r = Problem(ReadProblem::Folder, filewrite::OsReason(EISDIR));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        *r = Problem(ReadProblem::NotRegular,
            QStringLiteral("not a regular file (a pipe, a device or a socket)"));
        return false;
    }
    return true;
}

} // namespace

ReadResult ReadRegularFile(const QString &path, qint64 maxBytes, bool refuseLarger)
{
    const QByteArray native = filename::ToNative(path);
    ReadResult r;
    struct stat st
    {
    };
    // Looked at before opening: opening a serial device can already change its lines.
    if (::stat(native.constData(), &st) != 0) {
        const int err = errno;
        return Problem(err == ENOENT ? ReadProblem::Missing : ReadProblem::OpenFailed,
            filewrite::OsReason(err));
    }
    if (!IsRegular(st, &r))
        return r;
    // Non-blocking: should the path have turned into a FIFO meanwhile, open returns at once
    // and fstat tells.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Problem(ReadProblem::OpenFailed, filewrite::OsReason(errno));
    if (::fstat(fd, &st) != 0 || !IsRegular(st, &r)) {
        if (r.ok())
            r = Problem(ReadProblem::OpenFailed, filewrite::OsReason(errno));
        ::close(fd);
        return r;
    }
    r.size = st.st_size;
    if (refuseLarger && st.st_size > maxBytes) {
        ::close(fd);
        r.problem = ReadProblem::TooLarge;
        r.reason = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return r;
    }
    // One byte more than allowed shows a file that grew after fstat.
    const qint64 want = refuseLarger ? maxBytes + 1 : maxBytes;
    r.bytes.resize(static_cast<int>(qMin<qint64>(want, qMax<qint64>(st.st_size, 0) + 1)));
    qint64 done = 0;
    while (done < want) {
        if (done == r.bytes.size())
            r.bytes.resize(static_cast<int>(qMin<qint64>(want, done * 2 + 4096)));
        const ssize_t n
            = ::read(fd, r.bytes.data() + done, static_cast<size_t>(r.bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            r.problem = ReadProblem::ReadFailed;
            r.reason = filewrite::OsReason(errno);
            break;
        }
        if (n == 0)
            break;
        done += n;
    }
    ::close(fd);
    r.bytes.resize(static_cast<int>(done));
    if (r.ok() && refuseLarger && done > maxBytes) {
        r.problem = ReadProblem::TooLarge;
        r.reason = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        r.bytes.clear();
    }
    return r;
}

ReadResult ReadExactFile(const QString &path, qint64 size)
{
    ReadResult r = ReadRegularFile(path, size, true);
    if (r.problem == ReadProblem::TooLarge) {
        // A file that grew after fstat is at least one byte too long.
        r.size = qMax(r.size, size + 1);
    } else if (r.ok() && r.bytes.size() != size) {
        r.size = r.bytes.size();
    } else {
        return r;
    }
    r.problem = ReadProblem::WrongSize;
    r.reason = QStringLiteral("%1 bytes, not %2").arg(r.size).arg(size);
    r.bytes.clear();
    return r;
}

} // namespace fileread
