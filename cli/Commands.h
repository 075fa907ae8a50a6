// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of radioprog-cli, one file each. Each file defines its entry:
// word, function, usage line and help text are written there and nowhere else;
// main.cpp lists the entries in the order of its --help.

#include "cli/CommandLine.h"

#include <QStringList>

namespace cli {

extern const Command kShow;
extern const Command kNew;
extern const Command kRead;
extern const Command kWrite;
extern const Command kDiff;
extern const Command kPorts;
extern const Command kReport;
extern const Command kExport;
extern const Command kImport;
extern const Command kStation;
extern const Command kLog;
extern const Command kCheck;

} // namespace cli

// The commands' functions, as their entries name them. Each returns the exit
// status: 0 success, 1 the radio or the port failed, 2 usage or file error
// (diff: 1 when the images differ; import: 3 when rows were skipped).
int RunShow(const QStringList &args);
int RunNew(const QStringList &args);
int RunRead(const QStringList &args);
int RunWrite(const QStringList &args);
int RunDiff(const QStringList &args);
int RunPorts(const QStringList &args);
int RunReport(const QStringList &args);
int RunExport(const QStringList &args);
int RunImport(const QStringList &args);
int RunStation(const QStringList &args);
int RunLog(const QStringList &args);
// check: 1 when the plan has an error or a warning.
int RunCheck(const QStringList &args);
