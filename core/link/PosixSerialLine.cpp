// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/PosixSerialLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
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

int sliceMs(int ms)
{
    return std::min(ms, CPosixSerialLine::CancelSliceMs);
}

/// What a fatal signal must give back: filled before fd is published, read by the handler.
struct ReleaseSlot
{
    std::atomic<int> fd { -1 };
    termios saved {};
    bool haveSaved = false;
    bool setExclusive = false;
    char lockPath[512] = {};
};
constexpr int kSlots = 8;
ReleaseSlot g_slots[kSlots];
std::atomic<bool> g_slotTaken[kSlots];

int registerPort(
    int fd, const termios &saved, bool haveSaved, bool setExclusive, const QByteArray &lockPath)
{
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (!g_slotTaken[i].compare_exchange_strong(expected, true))
            continue;
        ReleaseSlot &slot = g_slots[i];
        slot.saved = saved;
        slot.haveSaved = haveSaved;
        slot.setExclusive = setExclusive;
        const size_t n = std::min(static_cast<size_t>(lockPath.size()), sizeof slot.lockPath - 1);
        std::memcpy(slot.lockPath, lockPath.constData(), n);
        slot.lockPath[n] = '\0';
        slot.fd.store(fd);
        return i;
    }
    return -1;
}

void unregisterPort(int slot)
{
    if (slot < 0)
        return;
    g_slots[slot].fd.store(-1);
    g_slotTaken[slot].store(false);
}

PortFault faultOfErrno(int e)
{
    switch (e) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return PortFault::NoSuchDevice;
    case EACCES:
    case EPERM:
    case EROFS:
        return PortFault::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return PortFault::Busy;
    default:
        return PortFault::Other;
    }
}

/// True when a descriptor other than ownFd of this process has device open.
bool heldByAnotherDescriptor(const QString &device, int ownFd)
{
    const QString real = QFileInfo(device).canonicalFilePath();
    const QString self = QString::number(::getpid());
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!pid.front().isDigit())
            continue;
        const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
        for (const QString &fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            if (pid == self && fd == QString::number(ownFd))
                continue;
            const QString target = QFile::symLinkTarget(fds.filePath(fd));
            if (target == device || target == real)
                return true;
        }
    }
    return false;
}

} // namespace

void ReleaseOpenPortsNow()
{
    for (ReleaseSlot &slot : g_slots) {
        const int fd = slot.fd.exchange(-1);
        if (fd < 0)
            continue;
        if (slot.haveSaved)
            ::tcsetattr(fd, TCSANOW, &slot.saved);
        if (slot.setExclusive)
            ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        if (slot.lockPath[0])
            ::unlink(slot.lockPath);
    }
}

CPosixSerialLine::~CPosixSerialLine()
{
    close();
}

bool CPosixSerialLine::open(const QString &devicePath)
{
    close();
    m_openError = PortOpenError {};
    m_openError.device = devicePath;
    const auto fail = [this](PortFault fault, int osError) {
        m_openError.fault = fault;
        m_openError.osError = osError;
        m_lock.release();
        return false;
    };
    const QByteArray path = QFile::encodeName(devicePath);
    struct stat st
    {
    };
    if (::stat(path.constData(), &st) != 0)
        return fail(faultOfErrno(errno), errno);
    if (!S_ISCHR(st.st_mode))
        return fail(PortFault::NotASerialPort, 0);
    // The lock file first, as every UUCP-minded program does, so that the device
    // is not even opened (which may reset a modem line) while another one has it.
    if (m_lock.acquire(devicePath, &m_openError.holderPid) == CPortLock::Result::HeldByOther)
        return fail(PortFault::Busy, 0);
    // No O_CREAT: only an existing device is opened, never a new file.
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(faultOfErrno(errno), errno);
    if (!::isatty(fd)) {
        ::close(fd);
        return fail(PortFault::NotASerialPort, 0);
    }
    // flock keeps out a second opener that plays by the same rule (even root).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        return fail(PortFault::Busy, e);
    }
    // Root passes an exclusive device's open; it must still keep off another's line.
    // On a pseudo-terminal the flag outlives a holder that ended without clearing
    // it, so it counts only while some other process really has the device open.
    int exclusive = 0;
    const bool wasExclusive = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive;
    if (wasExclusive && heldByAnotherDescriptor(devicePath, fd)) {
        ::close(fd);
        return fail(PortFault::Busy, EBUSY);
    }
    // TIOCEXCL keeps out every later open by unprivileged programs.
    m_setExclusive = !wasExclusive && ::ioctl(fd, TIOCEXCL) == 0;
    m_haveSaved = ::tcgetattr(fd, &m_saved) == 0;
    m_fd = fd;
    m_slot = registerPort(fd, m_saved, m_haveSaved, m_setExclusive, m_lock.path());
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
            if (cancelRequested())
                break;
            pollfd p { m_fd, POLLOUT, 0 };
            if (::poll(&p, 1, sliceMs(left)) < 0 && errno != EINTR)
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
    while (::ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0 && Clock::now() < deadline
        && !cancelRequested())
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
        if (cancelRequested()) {
            result.cancelled = true;
            break;
        }
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
        const int pr = ::poll(&p, 1, sliceMs(left));
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
    // Give the device back as it was found. The exclusive mark outlives this
    // descriptor when another one (a virtual radio's own) keeps the terminal
    // open, so it is cleared, but only when this line set it.
    if (m_haveSaved)
        ::tcsetattr(m_fd, TCSANOW, &m_saved);
    if (m_setExclusive)
        ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    m_setExclusive = false;
    m_haveSaved = false;
    m_lock.release();
    // Last: a fatal signal in the middle of this close still finds the port to give back.
    unregisterPort(m_slot);
    m_slot = -1;
}
