// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli ports: the serial ports of this machine and where COM1..COM4 lead.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/link/PortProbe.h"
#include "core/link/PortRoutes.h"
#include "core/settings/IniFile.h"

#include <QDir>
#include <QMap>
#include <QTextStream>

const cli::Command cli::kPorts = { "ports", RunPorts, "ports",
    "Lists the serial ports of this machine and where COM1 to COM4 lead.", false };

int RunPorts(const QStringList &args)
{
    QCommandLineParser parser;
    if (const int status = cli::ParseCommand(parser, cli::kPorts, args); status != cli::kGoOn)
        return status;
    if (!parser.positionalArguments().isEmpty())
        return cli::UsageError(cli::kPorts,
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    QTextStream out(stdout);
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
    // Installed, the [Ports] in force may come from the user's own copy: name the file read.
    out << "\n[Ports] of "
        << (theIniFile.path().isEmpty() ? QStringLiteral("Program.ini") : theIniFile.path())
        << "\n";
    for (const QString &line : PortOverview(adapters, CurrentLanguage()))
        out << line << "\n";
    return 0;
}
