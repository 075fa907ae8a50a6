// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the file dialogs start: where the user works, never in the program's own folders.

#include <QString>

/// The kinds of file the file dialogs handle; each kind remembers its own last folder.
enum class DialogFileKind {
    Image, ///< .dat memory images (Open, Save As, Compare With).
    ChannelList, ///< .csv channel lists (Export and Import Channels).
    Pdf, ///< PDF reports and channel sheets.
};

/// True when folder belongs to the program (its backups or installation folder), not the user.
bool IsProgramFolder(const QString &folder);
/// The folder a file dialog for kind opens in: the document's folder, else the folder last
/// used for kind, else the home folder. documentPath may be empty (an untitled document).
QString DialogStartFolder(DialogFileKind kind, const QString &documentPath);
/// The file a save dialog proposes: fileName in DialogStartFolder.
QString DialogSuggestedFile(
    DialogFileKind kind, const QString &documentPath, const QString &fileName);
/// Remembers the folder of the file chosen at path as the last one used for kind.
void RememberDialogFolder(DialogFileKind kind, const QString &path);
