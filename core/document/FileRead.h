// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading an image or an INI file: only a regular file is read, and nothing waits for a
// writer (a FIFO) or a device.

#include <QByteArray>
#include <QString>

namespace fileread {

/// Why a file could not be read.
enum class ReadProblem {
    None, ///< Read.
    Missing, ///< Nothing exists at the path.
    Folder, ///< The path is a folder.
    NotRegular, ///< A FIFO, a device or a socket.
    TooLarge, ///< Larger than the limit the caller set.
    WrongSize, ///< Not the exact size the caller asked for (size tells what was found).
    OpenFailed, ///< The OS refused to open it (reason tells why).
    ReadFailed, ///< Reading stopped part-way (bytes holds what was read).
};

/// What ReadRegularFile found.
struct ReadResult
{
    QByteArray bytes; ///< The bytes read (at most the limit).
    ReadProblem problem = ReadProblem::None; ///< None when the read succeeded.
    QString reason; ///< The OS's reason or a short English one; empty on success.
    qint64 size = 0; ///< The file's size on the disk, when known.
    /// True when the read succeeded.
    bool ok() const { return problem == ReadProblem::None; }
};

/// Reads up to maxBytes from the start of the regular file at path, opened non-blocking
/// and checked with fstat, so a FIFO, a device or a folder is refused at once. With
/// refuseLarger, a file larger than maxBytes is refused (TooLarge) without being read.
ReadResult ReadRegularFile(const QString &path, qint64 maxBytes, bool refuseLarger = false);
/// Reads a regular file that must hold exactly size bytes (a .dat image): any other size
/// is refused (WrongSize, with the size found in size) and no bytes are returned.
ReadResult ReadExactFile(const QString &path, qint64 size);

} // namespace fileread
