// SPDX-License-Identifier: GPL-3.0-or-later
// The parsing, help and error texts every command of radioprog-cli shares.
#include "cli/CommandLine.h"

#include "core/document/FileName.h"

#include <QTextStream>

#include <sys/stat.h>

namespace cli {

QString HelpText(const QCommandLineParser &parser, const QString &usageLine)
{
    // Qt's text begins "Usage: <path> [options] ..."; everything after that line is kept.
    const QString qtHelp = parser.helpText();
    const int firstBreak = qtHelp.indexOf(QLatin1Char('\n'));
    QString rest = firstBreak >= 0 ? qtHelp.mid(firstBreak + 1) : QString();
    while (rest.startsWith(QLatin1Char('\n')))
        rest.remove(0, 1);
    return usageLine + QStringLiteral("\n\n") + rest;
}

bool SameFile(const QString &a, const QString &b)
{
    // By the file itself, so that links and names in any encoding are seen through.
    struct stat x
    {
    };
    struct stat y
    {
    };
    return ::stat(filename::ToNative(a).constData(), &x) == 0
        && ::stat(filename::ToNative(b).constData(), &y) == 0 && x.st_dev == y.st_dev
        && x.st_ino == y.st_ino;
}

QString ErrorText(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return parser.errorText();
    const QString &name = unknown.first();
    return QStringLiteral("unknown option %1%2")
        .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
}

int UsageError(const Command &command, const QString &why)
{
    QTextStream(stderr) << "radioprog-cli " << command.name << ": " << why << "\n"
                        << "usage: radioprog-cli " << command.usage << "\n"
                        << "Try 'radioprog-cli " << command.name << " --help' for more.\n";
    return 2;
}

int ParseCommand(QCommandLineParser &parser, const Command &command, const QStringList &args)
{
    parser.setApplicationDescription(QString::fromUtf8(command.description));
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help."));
    parser.addOption(help);
    const bool parsed = parser.parse(QStringList { QStringLiteral("radioprog-cli") } + args);
    // Asked for help, the help wins over any other mistake on the line.
    if (parser.isSet(help)) {
        QTextStream(stdout) << HelpText(
            parser, QStringLiteral("usage: radioprog-cli ") + QLatin1String(command.usage));
        return 0;
    }
    if (!parsed)
        return UsageError(command, ErrorText(parser));
    return kGoOn;
}

} // namespace cli
