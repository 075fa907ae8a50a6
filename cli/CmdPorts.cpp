// radioprog-cli ports: the serial ports of this machine and where COM1..COM4 lead.
#include "cli/Commands.h"
#include "link/PortProbe.h"
#include "link/PortRoutes.h"
#include "shell/Globals.h"

#include <QDir>
#include <QMap>
#include <QTextStream>

int RunPorts(const QStringList &args)
{
    QTextStream out(stdout);
    if (!args.isEmpty()) {
        QTextStream(stderr) << "usage: radioprog-cli ports\n";
        return 2;
    }
    const QList<SerialAdapter> adapters = ListSerialAdapters();
    QMap<QString, QString> found; // device path -> description
    for (const SerialAdapter &a : adapters) {
        const QString line = DescribeAdapter(a, CurrentLanguage());
        found.insert(a.device, line.mid(a.device.size()).trimmed());
    }
    const QDir dev(QStringLiteral("/dev"));
    const QStringList patterns { QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*"),
        QStringLiteral("ttyS*") };
    for (const QString &name : dev.entryList(patterns, QDir::System | QDir::Files))
        if (!found.contains(dev.filePath(name)))
            found.insert(dev.filePath(name), QString());

    out << "Serial ports:\n";
    if (found.isEmpty())
        out << "  (none found)\n";
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        out << "  " << it.key().leftJustified(16) << (ProbePort(it.key()) ? "free " : "busy ");
        if (!it.value().isEmpty())
            out << " " << it.value();
        out << "\n";
    }
    out << "\n";
    for (const QString &line : PortOverview(adapters, CurrentLanguage()))
        out << line << "\n";
    return 0;
}
