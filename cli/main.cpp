// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli: the command-line face of the same core the GUI uses.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/app/InstallationPlace.h"
#include "core/app/Version.h"
#include "core/document/FileName.h"
#include "core/settings/IniFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

/// The commands in the order the help lists them; each entry is defined in its own file.
const cli::Command *const kCommands[]
    = { &cli::kShow, &cli::kNew, &cli::kRead, &cli::kWrite, &cli::kDiff, &cli::kPorts,
          &cli::kReport, &cli::kExport, &cli::kImport, &cli::kCheck, &cli::kStation, &cli::kLog };

/// The command list: on stdout with status 0 when asked for, else on stderr with status 2.
int usage(bool asked)
{
    QTextStream stream(asked ? stdout : stderr);
    stream << "usage: radioprog-cli COMMAND [ARGS]\n";
    for (const cli::Command *c : kCommands)
        stream << "  radioprog-cli " << c->usage << "\n";
    stream << "\nOptions:\n"
              "  -h, --help     Show this help.\n"
              "  -v, --version  Show the version.\n"
              "\n'radioprog-cli COMMAND --help' shows the options of a command.\n"
              "Exit status: 0 success, 1 the radio or the port failed, 2 usage or file error.\n";
    return asked ? 0 : 2;
}

const cli::Command *FindCommand(const QString &name)
{
    for (const cli::Command *c : kCommands)
        if (name == QLatin1String(c->name))
            return c;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    // File names stay the bytes that were typed, valid UTF-8 or not (Qt would turn a stray
    // byte into U+FFFD and so name another file).
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << filename::FromNative(QByteArray(argv[i]));
    // Options of radioprog-cli itself come before the command; what follows the
    // command is the command's own, parsed by its function.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption helpOption(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help."));
    const QCommandLineOption versionOption(
        { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("Show the version."));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    if (!parser.parse(raw)) {
        QTextStream(stderr) << "radioprog-cli: " << cli::ErrorText(parser) << "\n";
        return usage(false);
    }
    if (parser.isSet(helpOption))
        return usage(true);
    if (parser.isSet(versionOption)) {
        QTextStream(stdout) << "radioprog-cli " << ProgramVersion() << "\n";
        return 0;
    }
    QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usage(false);
    // "radioprog-cli help" lists the commands; "radioprog-cli help read" is "read --help".
    if (words.first() == QLatin1String("help")) {
        if (words.size() < 2)
            return usage(true);
        words = QStringList { words.at(1), QStringLiteral("--help") };
    }
    const cli::Command *command = FindCommand(words.first());
    if (!command) {
        QTextStream(stderr) << "radioprog-cli: unknown command " << words.first() << "\n";
        return usage(false);
    }

    // Help needs no fonts: a GUI application would only add platform warnings to it.
    const QStringList rest = words.mid(1);
    const int end
        = rest.contains(QStringLiteral("--")) ? rest.indexOf(QStringLiteral("--")) : rest.size();
    const bool asksHelp = rest.mid(0, end).contains(QStringLiteral("--help"))
        || rest.mid(0, end).contains(QStringLiteral("-h"));
    std::unique_ptr<QCoreApplication> app;
    if (command->needsGui && !asksHelp) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    // The same installation data as the GUI: next to the executable, or in
    // ../share/radioprog from it once installed.
    g_strAppDir = InstallationDataDir(QCoreApplication::applicationDirPath());
    SetRunningInstalled(!IsBuildTree(QCoreApplication::applicationDirPath()));
    if (!theIniFile.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false)
        && !theIniFile.errorString().isEmpty())
        QTextStream(stderr) << "radioprog-cli: Program.ini cannot be read: "
                            << theIniFile.errorString() << "\n";
    g_strLanguage = theIniFile.GetValue(QStringLiteral("Setup"), QStringLiteral("Language"));

    return command->run(rest);
}
