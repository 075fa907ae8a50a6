#include "DialogTestSupport.h"

#include "doc/IniFile.h"

#include <QFile>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
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
