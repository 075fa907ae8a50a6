#include "link/PortProbe.h"

#include "doc/IniFile.h"
#include "link/PosixSerialLine.h"

#include <QRegularExpression>

QString DevicePathOfPort(const QString &portName)
{
    const QString name = portName.trimmed();
    if (name.startsWith(QLatin1Char('/')))
        return name;
    static const QRegularExpression com(
        QStringLiteral("^com([1-9][0-9]?)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(name);
    if (m.hasMatch()) {
        const int n = m.captured(1).toInt();
        const QString key = QStringLiteral("COM%1").arg(n);
        const QString mapped = theIniFile.GetValue(QStringLiteral("Ports"), key).trimmed();
        if (!mapped.isEmpty())
            return mapped;
        return QStringLiteral("/dev/ttyUSB%1").arg(n - 1);
    }
    // A bare device name such as ttyS0 lives under /dev.
    return name.isEmpty() ? name : QStringLiteral("/dev/") + name;
}

bool ProbePort(const QString &portName)
{
    CPosixSerialLine line;
    const bool ok = line.open(DevicePathOfPort(portName));
    line.close();
    return ok;
}
