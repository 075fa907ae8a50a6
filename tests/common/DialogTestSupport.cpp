// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/common/DialogTestSupport.h"

#include "core/settings/IniFile.h"

#include <QFile>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

MessageCatcher::MessageCatcher()
    : m_shown(new QList<ShownMessage>)
{
    QList<ShownMessage> *shown = m_shown;
    SetMessageHook([shown](const ShownMessage &m) {
        shown->append(m);
        return QMessageBox::Ok;
    });
}

MessageCatcher::~MessageCatcher()
{
    SetMessageHook(MessageHook());
    delete m_shown;
}

QStringList MessageCatcher::texts() const
{
    QStringList t;
    for (const ShownMessage &m : *m_shown)
        t << m.text;
    return t;
}

void MessageCatcher::clear()
{
    m_shown->clear();
}

QString LoadProgramIni(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath(QStringLiteral("Program.ini"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    f.write(text);
    f.close();
    theIniFile.Close();
    theIniFile.Open(path, false, true, false);
    return path;
}

HeldTerminal::HeldTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return;
    if (const char *name = ptsname(m_master))
        m_path = QString::fromLocal8Bit(name);
}

HeldTerminal::~HeldTerminal()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool HeldTerminal::hold()
{
    if (m_path.isEmpty())
        return false;
    m_slave = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    // TIOCEXCL keeps out unprivileged openers; the lock also keeps out a root
    // process that follows the same locking rule as the program.
    return m_slave >= 0 && ioctl(m_slave, TIOCEXCL) == 0 && flock(m_slave, LOCK_EX | LOCK_NB) == 0;
}

QByteArray HeldTerminal::sentBytes() const
{
    QByteArray bytes;
    if (m_master < 0)
        return bytes;
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    char buf[256];
    ssize_t n;
    // Nothing to read ends with EAGAIN, a closed far side with EIO.
    while ((n = ::read(m_master, buf, sizeof buf)) > 0)
        bytes.append(buf, static_cast<int>(n));
    return bytes;
}

PortHeldByChild::PortHeldByChild(const QString &path)
{
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0)
        return;
    if (::pipe(release) != 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        return;
    }
    const QByteArray device = path.toLocal8Bit();
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only system calls here: the child must not touch the test's Qt state.
        ::close(ready[0]);
        ::close(release[1]);
        const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY);
        const char ok = fd >= 0 && ioctl(fd, TIOCEXCL) == 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
        (void)!::write(ready[1], &ok, 1);
        char c;
        while (::read(release[0], &c, 1) > 0) { }
        _exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    m_release = release[1];
    char ok = 0;
    if (m_pid > 0 && ::read(ready[0], &ok, 1) == 1)
        m_holding = ok != 0;
    ::close(ready[0]);
}

PortHeldByChild::~PortHeldByChild()
{
    if (m_release >= 0)
        ::close(m_release);
    if (m_pid > 0)
        ::waitpid(m_pid, nullptr, 0);
}
