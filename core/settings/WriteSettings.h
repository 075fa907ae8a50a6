// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's choices for writing the radio (Setup > Options), kept per user.

#include "core/link/RadioWrite.h"

/// Per-user value name of "Back up the radio before writing" (1 on, 0 off).
constexpr char kBackupBeforeWriteValue[] = "BackupBeforeWrite";
/// Per-user value name of "Verify after writing" (1 on, 0 off).
constexpr char kVerifyAfterWriteValue[] = "VerifyAfterWrite";

/// Per-user value name of "Read the radio twice and compare" (1 on, 0 off).
constexpr char kReadTwiceValue[] = "ReadTwice";

/// The stored choices (all on until the user turns them off), backups in the default folder.
RadioWriteOptions LoadWriteOptions();
/// Stores the choices; the folder is not a choice.
void StoreWriteOptions(const RadioWriteOptions &options);
