// radioprog-cli: the command-line face of the same core the GUI uses.
#include "cli/Commands.h"
#include "doc/IniFile.h"
#include "shell/Globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

struct Command
{
    const char *name;
    int (*run)(const QStringList &);
    const char *usage;
    bool needsGui; // the report renders fonts, which need a QGuiApplication
};

const Command kCommands[] = {
    { "show", RunShow, "show [FILE.dat] [--lang en|zh] [--json]", false },
    { "new", RunNew, "new FILE.dat", false },
    { "read", RunRead, "read --port PORT -o FILE.dat [--retries N]", false },
    { "write", RunWrite,
        "write --port PORT FILE.dat [--retries N] [--backup-dir DIR] [--no-backup] [--no-verify]",
        false },
    { "diff", RunDiff, "diff A.dat B.dat [--json] [--lang en|zh]", false },
    { "ports", RunPorts, "ports", false },
    { "report", RunReport, "report FILE.dat -o report.pdf [--lang en|zh]", true },
};

/// The command list: on stdout with status 0 when asked for, else on stderr with status 2.
int usage(bool asked)
{
    QTextStream stream(asked ? stdout : stderr);
    stream << "usage: radioprog-cli COMMAND [ARGS]\n";
    for (const Command &c : kCommands)
        stream << "  radioprog-cli " << c.usage << "\n";
    return asked ? 0 : 2;
}

bool AsksForHelp(const char *arg)
{
    return qstrcmp(arg, "help") == 0 || qstrcmp(arg, "--help") == 0 || qstrcmp(arg, "-h") == 0;
}

} // namespace

int main(int argc, char **argv)
{
    const Command *command = nullptr;
    if (argc >= 2) {
        for (const Command &c : kCommands)
            if (qstrcmp(argv[1], c.name) == 0)
                command = &c;
    }
    if (command) {
        // "radioprog-cli read --help": the command's own usage, as asked for.
        for (int i = 2; i < argc; ++i) {
            if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0) {
                QTextStream(stdout) << "usage: radioprog-cli " << command->usage << "\n";
                return 0;
            }
        }
    }
    std::unique_ptr<QCoreApplication> app;
    if (command && command->needsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    if (!command) {
        const bool asked = argc >= 2 && AsksForHelp(argv[1]);
        if (argc >= 2 && !asked)
            QTextStream(stderr) << "radioprog-cli: unknown command " << argv[1] << "\n";
        return usage(asked);
    }

    // The same installation data as the GUI: Program.ini next to the executable.
    g_strAppDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    theIniFile.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false);
    g_strLanguage = theIniFile.GetValue(QStringLiteral("Setup"), QStringLiteral("Language"));

    QStringList args = QCoreApplication::arguments().mid(2);
    return command->run(args);
}
