// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/PtyEndpoint.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

CPtyEndpoint::~CPtyEndpoint()
{
    hangup();
}

bool CPtyEndpoint::open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return false;
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        hangup();
        return false;
    }
    const char *name = ::ptsname(m_master);
    if (!name) {
        hangup();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    // Holding the slave ourselves keeps the master from seeing a hang-up each
    // time a client closes the port, so one radio serves many sessions.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        hangup();
        return false;
    }
    termios t {};
    if (::tcgetattr(m_slave, &t) == 0) {
        ::cfmakeraw(&t);
        ::cfsetispeed(&t, B9600);
        ::cfsetospeed(&t, B9600);
        ::tcsetattr(m_slave, TCSANOW, &t);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    return true;
}

void CPtyEndpoint::hangup()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

bool CPtyEndpoint::send(const unsigned char *bytes, int n)
{
    int sent = 0;
    while (sent < n && m_master >= 0) {
        const ssize_t r = ::write(m_master, bytes + sent, static_cast<size_t>(n - sent));
        if (r > 0) {
            sent += static_cast<int>(r);
        } else if (r < 0 && errno == EINTR) {
            continue;
        } else if (r < 0 && errno == EAGAIN) {
            pollfd p { m_master, POLLOUT, 0 };
            if (::poll(&p, 1, 100) <= 0)
                return false;
        } else {
            return false;
        }
    }
    return sent == n;
}
