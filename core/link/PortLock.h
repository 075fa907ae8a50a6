// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UUCP lock files (/run/lock/LCK..ttyUSB0): the convention by which serial
// programs (minicom, picocom, gpsd, ModemManager ...) tell each other that a
// device is in use. The file holds the owner's PID as ten digits and a newline.

#include <QByteArray>
#include <QString>

/// The lock file of one device, held from acquire() until release() or destruction.
class CPortLock
{
public:
    /// What acquire() found.
    enum class Result {
        Locked, ///< The lock file is ours now.
        Unavailable, ///< No lock could be made (no lock folder, no right to write it); go on
                     ///< without.
        HeldByOther, ///< A live process holds the device.
    };

    CPortLock() = default;
    ~CPortLock();
    CPortLock(const CPortLock &) = delete;
    CPortLock &operator=(const CPortLock &) = delete;

    /// The folder of lock files: /run/lock unless a test chose another.
    static QString directory();
    /// Makes every later lock use dir (tests); an empty dir restores /run/lock.
    static void setDirectory(const QString &dir);
    /// Lock file of a device: the real device's path below /dev, "/" turned into "_".
    static QString lockFilePath(const QString &devicePath);
    /// The PID written in a lock file; 0 when the file is missing or unreadable.
    static qint64 readOwner(const QString &lockFile);

    /// Takes the device's lock, removing a stale one whose process is gone; holder gets the
    /// live owner's PID when it is HeldByOther.
    Result acquire(const QString &devicePath, qint64 *holder = nullptr);
    /// Removes the lock file if this object made it.
    void release();
    /// The lock file made by acquire(), empty when none.
    const QByteArray &path() const { return m_path; }

private:
    QByteArray m_path;
};
