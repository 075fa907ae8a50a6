// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial line as the clone procedure sees it: bytes and time-outs only.

#include <QString>
#include <cstdint>
#include <functional>

/// Outcome of one read: ok is false only for a real I/O fault (the device vanished).
struct LineReadResult
{
    bool ok = false; ///< False for an input/output fault; a time-out is still ok.
    int count = 0; ///< Bytes received, possibly fewer than asked (0 on a silent line).
    bool cancelled = false; ///< The wait was cut short because the user cancelled.
};

/// Why a port would not open.
enum class PortFault {
    None, ///< It opened.
    NoSuchDevice, ///< The device does not exist (cable unplugged, wrong name).
    PermissionDenied, ///< The user may not open the device.
    Busy, ///< Another program holds the device (open, exclusive flag or lock file).
    NotASerialPort, ///< The path names something that is not a terminal device.
    Other, ///< Any other refusal of the operating system.
};

/// The last failed open of a line: the fault, the OS's error number and who holds the device.
struct PortOpenError
{
    PortFault fault = PortFault::None; ///< What went wrong.
    int osError = 0; ///< errno of the refused call, 0 when the refusal was this program's own.
    QString device; ///< The device path that was opened.
    qint64 holderPid = 0; ///< The process named by the device's lock file, 0 when unknown.
};

/// The few primitive operations the clone procedure needs of a serial port.
class CSerialLine
{
public:
    virtual ~CSerialLine() = default;

    /// Opens an existing device exclusively for reading and writing; false when it cannot.
    virtual bool open(const QString &devicePath) = 0;
    /// Applies 9600 8N1, binary, no parity check and the time-outs; results are not checked.
    virtual void configure() = 0;
    /// Aborts whatever is pending and clears both buffers.
    virtual void fullPurge() = 0;
    /// Clears the transmit and the receive buffer.
    virtual void clearBuffers() = 0;
    /// Writes n bytes, giving up after 50 + 50 × n ms; returns the count written.
    virtual int write(const std::uint8_t *bytes, int n) = 0;
    /// Reads up to n bytes: ends when all arrived, 30 ms after the last byte, or 90 + 500 × n ms in
    /// all.
    virtual LineReadResult read(std::uint8_t *buffer, int n) = 0;
    /// Suspends the caller for ms milliseconds.
    virtual void wait(int ms) = 0;
    /// Releases the port; safe to call when closed.
    virtual void close() = 0;
    /// True between a successful open and close.
    virtual bool isOpen() const = 0;

    /// Writes one byte.
    int writeByte(std::uint8_t b) { return write(&b, 1); }

    /// Installs the test that cuts waits for the radio short (empty: waits run their full time).
    void setCancelTest(std::function<bool()> test) { m_cancelTest = std::move(test); }
    /// True when the installed cancel test says the user cancelled.
    bool cancelRequested() const { return m_cancelTest && m_cancelTest(); }
    /// Why the last open failed (fault None after a successful open).
    PortOpenError lastOpenError() const { return m_openError; }

protected:
    /// Set by open().
    PortOpenError m_openError;

private:
    std::function<bool()> m_cancelTest;
};

/// Time-outs of the line in milliseconds.
namespace linetime {
constexpr int ReadInterval = 30; ///< Longest gap between two received bytes.
constexpr int ReadTotalMultiplier = 500; ///< Per requested byte.
constexpr int ReadTotalConstant = 90; ///< Added once per read.
constexpr int WriteTotalMultiplier = 50; ///< Per byte written.
constexpr int WriteTotalConstant = 50; ///< Added once per write.
/// Longest a read of n bytes may take.
constexpr int readTotal(int n)
{
    return ReadTotalConstant + ReadTotalMultiplier * n;
}
/// Longest a write of n bytes may take.
constexpr int writeTotal(int n)
{
    return WriteTotalConstant + WriteTotalMultiplier * n;
}
} // namespace linetime
