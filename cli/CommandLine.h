// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Optional help for a command's own QCommandLineParser: --help, error texts and
// the usage line in one style for every command of radioprog-cli.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace cli {

/// Status meaning "parsed; run the command".
constexpr int kGoOn = -1;

/// Adds -h/--help, parses "radioprog-cli name args..." and handles what ends the run:
/// --help prints the help on stdout (0), an error prints it and the usage on stderr (2).
/// Returns kGoOn when the command should run. usage is the text after "radioprog-cli ".
int ParseCommand(
    QCommandLineParser &parser, const QString &name, const QString &usage, const QStringList &args);
/// Prints "radioprog-cli name: why" and the usage line on stderr; returns 2.
int UsageError(const QString &name, const QString &usage, const QString &why);
/// The help of a parser under a usage line of ours (Qt's names the executable's path).
QString HelpText(const QCommandLineParser &parser, const QString &usageLine);
/// True when both paths exist and name the same file: an output would destroy its input.
bool SameFile(const QString &a, const QString &b);
/// The parser's error text, naming an unknown option as it was typed ("--yaml", "-x").
QString ErrorText(const QCommandLineParser &parser);

} // namespace cli
