// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial line over a POSIX terminal device (termios and poll), so that the
// read and write time-outs behave exactly as the clone procedure expects.

#include "core/link/PortLock.h"
#include "core/link/SerialLine.h"

#include <termios.h>

/// A serial port device (/dev/ttyUSB0, a pseudo-terminal ...) driven with termios.
class CPosixSerialLine : public CSerialLine
{
public:
    CPosixSerialLine() = default;
    ~CPosixSerialLine() override;
    CPosixSerialLine(const CPosixSerialLine &) = delete;
    CPosixSerialLine &operator=(const CPosixSerialLine &) = delete;

    /// Opens an existing terminal device; fails (lastOpenError() says why) when another opener
    /// holds it: by its lock file, flock, or the exclusive flag (which stops root too).
    bool open(const QString &devicePath) override;
    /// 9600 baud, 8 data bits, no parity and no parity check, 1 stop bit, raw bytes.
    void configure() override;
    /// Discards both queues.
    void fullPurge() override;
    /// Discards both queues.
    void clearBuffers() override;
    /// Writes and waits until the bytes left the queue, within 50 + 50 × n ms.
    int write(const std::uint8_t *bytes, int n) override;
    /// Reads with the interval and total limits; only a hang-up or I/O error fails. The wait
    /// runs in short slices and ends early, marked cancelled, once the cancel test says so.
    LineReadResult read(std::uint8_t *buffer, int n) override;
    /// Sleeps ms milliseconds.
    void wait(int ms) override;
    /// Gives back the terminal settings found at open, clears the exclusive flag if this line
    /// set it, closes the device and removes its lock file.
    void close() override;
    /// True while the device is open.
    bool isOpen() const override { return m_fd >= 0; }

    /// Longest stretch a wait runs without testing the cancel flag, in milliseconds.
    static constexpr int CancelSliceMs = 20;

private:
    int m_fd = -1;
    int m_slot = -1; ///< Entry in the table of ports released at a fatal signal.
    bool m_setExclusive = false;
    bool m_haveSaved = false;
    termios m_saved {};
    CPortLock m_lock;
};

/// Gives back every port this process holds open (settings, exclusive flag, lock file) and closes
/// it, using async-signal-safe calls only: for a signal handler that ends the process at once.
void ReleaseOpenPortsNow();
