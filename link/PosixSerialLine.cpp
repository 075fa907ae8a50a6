#include "link/PosixSerialLine.h"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int msUntil(Clock::time_point t)
{
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(t - Clock::now());
    if (left.count() <= 0)
        return 0;
    return static_cast<int>((left.count() + 999) / 1000);
}

} // namespace

CPosixSerialLine::~CPosixSerialLine()
{
    close();
}

bool CPosixSerialLine::open(const QString &devicePath)
{
    close();
    // No O_CREAT: only an existing device is opened, never a new file.
    const int fd = ::open(
        QFile::encodeName(devicePath).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A plain file is not a port; and the hold must be exclusive: flock keeps out a
    // second opener that plays by the same rule (even one running as root),
    // TIOCEXCL keeps out every later open by unprivileged programs.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    m_fd = fd;
    return true;
}

void CPosixSerialLine::configure()
{
    if (m_fd < 0)
        return;
    termios t {};
    if (::tcgetattr(m_fd, &t) != 0)
        return;
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    // Binary: every byte value passes untouched. Software flow control is switched
    // off too, because XON/XOFF would swallow 0x11 and 0x13 inside image data.
    t.c_iflag &= ~static_cast<tcflag_t>(
        INPCK | PARMRK | ISTRIP | IGNBRK | BRKINT | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ECHONL | ISIG | IEXTEN);
    // Reads never block in the driver; the time-outs are kept by poll().
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::tcsetattr(m_fd, TCSANOW, &t);
}

void CPosixSerialLine::fullPurge()
{
    if (m_fd >= 0)
        ::tcflush(m_fd, TCIOFLUSH);
}

void CPosixSerialLine::clearBuffers()
{
    if (m_fd < 0)
        return;
    // A write returns only once its bytes left the queue, so normally there is
    // nothing to clear on the transmit side; flushing it anyway would, on a
    // pseudo-terminal, also discard bytes the far end has not read yet.
    int queued = 0;
    const bool pendingOutput = ::ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0;
    ::tcflush(m_fd, pendingOutput ? TCIOFLUSH : TCIFLUSH);
}

int CPosixSerialLine::write(const std::uint8_t *bytes, int n)
{
    if (m_fd < 0 || n <= 0)
        return 0;
    const Clock::time_point deadline
        = Clock::now() + std::chrono::milliseconds(linetime::writeTotal(n));
    int written = 0;
    while (written < n) {
        const ssize_t r = ::write(m_fd, bytes + written, static_cast<size_t>(n - written));
        if (r > 0) {
            written += static_cast<int>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno == EAGAIN) {
            const int left = msUntil(deadline);
            if (left == 0)
                break;
            pollfd p { m_fd, POLLOUT, 0 };
            if (::poll(&p, 1, left) < 0 && errno != EINTR)
                break;
            if (p.revents & (POLLERR | POLLHUP | POLLNVAL))
                break;
            continue;
        }
        break;
    }
    // Return only once the bytes have left the queue, so a following clear of
    // the buffers cannot discard them.
    int queued = 0;
    while (::ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    return written;
}

LineReadResult CPosixSerialLine::read(std::uint8_t *buffer, int n)
{
    LineReadResult result;
    if (m_fd < 0)
        return result;
    result.ok = true;
    const Clock::time_point start = Clock::now();
    const Clock::time_point totalDeadline
        = start + std::chrono::milliseconds(linetime::readTotal(n));
    Clock::time_point lastByte;
    while (result.count < n) {
        Clock::time_point deadline = totalDeadline;
        if (result.count > 0) {
            const Clock::time_point intervalEnd
                = lastByte + std::chrono::milliseconds(linetime::ReadInterval);
            if (intervalEnd < deadline)
                deadline = intervalEnd;
        }
        const int left = msUntil(deadline);
        if (left == 0)
            break;
        pollfd p { m_fd, POLLIN, 0 };
        const int pr = ::poll(&p, 1, left);
        if (pr < 0) {
            if (errno == EINTR)
                continue;
            result.ok = false;
            break;
        }
        if (pr == 0)
            continue;
        if (p.revents & (POLLERR | POLLNVAL)) {
            result.ok = false;
            break;
        }
        const ssize_t r
            = ::read(m_fd, buffer + result.count, static_cast<size_t>(n - result.count));
        if (r > 0) {
            result.count += static_cast<int>(r);
            lastByte = Clock::now();
        } else if (r == 0 || (errno != EAGAIN && errno != EINTR) || (p.revents & POLLHUP)) {
            // End of file, EIO or a hang-up: the device went away.
            result.ok = false;
            break;
        }
    }
    return result;
}

void CPosixSerialLine::wait(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void CPosixSerialLine::close()
{
    if (m_fd < 0)
        return;
    // Give the device back: the exclusive mark outlives this descriptor when
    // another one (a virtual radio's own) keeps the terminal open.
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}
