// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual radio's end of a pseudo-terminal: the client opens the slave
// path as if it were a serial port.

#include <QString>

/// A pseudo-terminal whose master side the virtual radio drives.
class CPtyEndpoint
{
public:
    CPtyEndpoint() = default;
    ~CPtyEndpoint();
    CPtyEndpoint(const CPtyEndpoint &) = delete;
    CPtyEndpoint &operator=(const CPtyEndpoint &) = delete;

    /// Creates the pair in raw mode; keeps the slave open so clients may come and go.
    bool open();
    /// The device path a client opens.
    QString slavePath() const { return m_slavePath; }
    /// Master descriptor (non-blocking).
    int masterFd() const { return m_master; }
    /// Drops the line: the client sees the device vanish.
    void hangup();
    /// Writes all bytes, giving up on bytes nobody reads for 100 ms.
    bool send(const unsigned char *bytes, int n);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
