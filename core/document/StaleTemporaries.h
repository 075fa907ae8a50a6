// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The temporary files this program writes before a rename, and the clean-up of those
// a killed process left behind: only ours, only old ones, only when nobody holds them.

#include <QString>

namespace filewrite {

/// A temporary file no process holds is taken for left behind once it is this old: a
/// writer holds its file open until the moment it renames it, which takes milliseconds.
constexpr int kStaleAgeSeconds = 2 * 60;

/// The end of every temporary file name this program makes: ".radioprog-XXXXXX", the
/// X replaced as mkstemp(3) does.
QString OwnTemporarySuffix();
/// True when fileName (without folder) is one of this program's temporary files: hidden,
/// and ending in ".radioprog-" and at least six letters or digits.
bool IsOwnTemporaryName(const QString &fileName);
/// Removes this program's temporary files in folder that a process which ended left: regular
/// files owned by this user, older than minAgeSeconds and open in no process of procDir.
/// Nothing else is touched. Returns how many were removed.
int RemoveStaleTemporaries(const QString &folder, int minAgeSeconds = kStaleAgeSeconds,
    const QString &procDir = QStringLiteral("/proc"));

} // namespace filewrite
