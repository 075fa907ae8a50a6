#pragma once
// The serial line over a POSIX terminal device (termios and poll), so that the
// read and write time-outs behave exactly as the clone procedure expects.

#include "link/SerialLine.h"

/// A serial port device (/dev/ttyUSB0, a pseudo-terminal ...) driven with termios.
class CPosixSerialLine : public CSerialLine
{
public:
    CPosixSerialLine() = default;
    ~CPosixSerialLine() override;
    CPosixSerialLine(const CPosixSerialLine &) = delete;
    CPosixSerialLine &operator=(const CPosixSerialLine &) = delete;

    /// Opens an existing terminal device; fails when another opener holds it.
    bool open(const QString &devicePath) override;
    /// 9600 baud, 8 data bits, no parity and no parity check, 1 stop bit, raw bytes.
    void configure() override;
    /// Discards both queues.
    void fullPurge() override;
    /// Discards both queues.
    void clearBuffers() override;
    /// Writes and waits until the bytes left the queue, within 50 + 50 × n ms.
    int write(const std::uint8_t *bytes, int n) override;
    /// Reads with the interval and total limits; only a hang-up or I/O error fails.
    LineReadResult read(std::uint8_t *buffer, int n) override;
    /// Sleeps ms milliseconds.
    void wait(int ms) override;
    /// Releases the exclusive hold and closes the device.
    void close() override;
    /// True while the device is open.
    bool isOpen() const override { return m_fd >= 0; }

private:
    int m_fd = -1;
};
