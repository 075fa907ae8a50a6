// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of radioprog-cli in one style: each command's texts live in its
// entry, and --help, error texts and the usage line are made from that entry.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace cli {

/// One command of radioprog-cli: everything the main help and its own help say of it.
struct Command
{
    const char *name; ///< the word after "radioprog-cli"
    int (*run)(const QStringList &args); ///< the arguments after the word; the exit status
    const char *usage; ///< the usage line, after "radioprog-cli "
    const char *description; ///< what its --help says above the options
    bool needsGui; ///< renders fonts, which need a QGuiApplication
};

/// Status meaning "parsed; run the command".
constexpr int kGoOn = -1;

/// Adds -h/--help and the description, parses "radioprog-cli name args..." and handles
/// what ends the run: --help prints the help on stdout (0), an error prints it and the
/// usage on stderr (2). Returns kGoOn when the command should run.
int ParseCommand(QCommandLineParser &parser, const Command &command, const QStringList &args);
/// Prints "radioprog-cli name: why" and the usage line on stderr; returns 2.
int UsageError(const Command &command, const QString &why);
/// The help of a parser under a usage line of ours (Qt's names the executable's path).
QString HelpText(const QCommandLineParser &parser, const QString &usageLine);
/// True when both paths exist and name the same file: an output would destroy its input.
bool SameFile(const QString &a, const QString &b);
/// The parser's error text, naming an unknown option as it was typed ("--yaml", "-x").
QString ErrorText(const QCommandLineParser &parser);

} // namespace cli
