// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One radio programmed and logged: the write procedure (backup, write,
// verify) run as a whole, and the programming log's record of it. Shared by
// Program > Write, the Programming Station and radioprog-cli write/station.

#include "core/app/Language.h"
#include "core/link/RadioWrite.h"
#include "core/log/ProgrammingLog.h"

#include <QString>

/// The record of a write about to start: port, device, adapter, image and operator.
/// Reads Program.ini and the adapter list, so it runs on the caller's thread.
ProgrammingRecord BeginProgrammingRecord(const QString &port, const QString &imagePath,
    const MemoryImage &image, const QString &operatorName);

/// A radio's write and its log record.
struct RadioProgramming
{
    RadioWriteReport report; ///< How the write procedure ended.
    ProgrammingRecord record; ///< The record to log, complete.
};

/// Runs the write procedure on record.device and completes record (result, error, backup,
/// the radio's SHA-256 before the write, duration). Safe on a worker thread.
RadioProgramming ProgramRadio(CSerialLine &line, ProgrammingRecord record, const MemoryImage &image,
    const RadioWriteOptions &options, CTransferUi &ui, Language lang);

/// The log's result word of a write's ending.
QString ProgrammingResult(const RadioWriteReport &report);

/// The operator name of Setup > Options; the login name until one is stored.
QString OperatorName();
/// Stores the operator name (empty: back to the login name).
void StoreOperatorName(const QString &name);
