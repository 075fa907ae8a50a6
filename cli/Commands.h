// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One function per subcommand of radioprog-cli, each in its own file.
// Each returns the exit status: 0 success, 1 the radio failed, 2 usage or file error.

#include <QStringList>

/// show [FILE.dat] [--lang en|zh] [--json]
int RunShow(const QStringList &args);
/// new FILE.dat
int RunNew(const QStringList &args);
/// read --port PORT -o FILE.dat [--retries N]
int RunRead(const QStringList &args);
/// write --port PORT FILE.dat [--retries N] [--backup-dir DIR] [--no-backup] [--no-verify]
int RunWrite(const QStringList &args);
/// diff A.dat B.dat [--json] [--lang en|zh]: 0 same, 1 different, 2 file or usage error
int RunDiff(const QStringList &args);
/// ports
int RunPorts(const QStringList &args);
/// report FILE.dat -o report.pdf [--lang zh]
int RunReport(const QStringList &args);
/// export FILE.dat -o LIST.csv
int RunExport(const QStringList &args);
/// import LIST.csv -o OUT.dat [--into BASE.dat] [--by-location | --in-order [--first N]]
/// [--only-listed]; 3 when the file was written but rows were skipped
int RunImport(const QStringList &args);
