// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One radio written and logged from the command line; write (one port or
// several at once) and station all go through RunOneRadio.

#include "core/station/RadioProgramming.h"

#include <QString>
#include <atomic>
#include <cstdio>
#include <mutex>

namespace cli {

/// The face of one of several radios written at once: no bar, every message a line on
/// stderr headed by the port; Ctrl+C (seen by the process's console face) cancels.
class PortTransferUi : public CTransferUi
{
public:
    /// Messages of port; Retry to 61451 retries times; lines printed under printLock.
    PortTransferUi(const QString &port, int retries, std::mutex &printLock);
    /// Prints the message headed by the port; Retry while retries remain, else Cancel.
    MessageAnswer showMessage(int stringId) override;
    /// As showMessage, the reason on the same line.
    MessageAnswer showMessageWithReason(int stringId, const QString &reason) override;
    /// Nothing to draw: the result line tells the end.
    void stepProgress() override { }
    /// Sleeps the passes' waits; true once Ctrl+C arrived.
    bool pumpAndTest(int passes, int waitMs) override;
    /// True once Ctrl+C (or SIGTERM, SIGHUP) arrived.
    bool isCancelled() override;
    /// A script chose to write when it ran the command.
    bool confirmWrite(const QList<ImageDifference> &) override { return true; }

private:
    QString m_port;
    int m_retriesLeft;
    std::mutex &m_printLock;
};

/// Runs the write of one radio through ui, appends its record to logPath and returns it;
/// a log that cannot be written is told on stderr and changes nothing else.
RadioProgramming RunOneRadio(const ProgrammingRecord &begun, const MemoryImage &image,
    const RadioWriteOptions &options, CTransferUi &ui, const QString &logPath,
    std::mutex *printLock = nullptr);

/// 0 when backups can be made in folder, else 2 after telling why on stderr (before any radio).
int CheckBackupFolder(const char *command, const QString &folder);

/// "COM1: ok, backup /path" as a radio's result line.
QString ResultLine(const RadioProgramming &done);

} // namespace cli
