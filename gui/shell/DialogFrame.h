// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame every dialog of the program gets: a caption with a close button
// and nothing else (no minimize, maximize or context-help button), at the size
// its contents ask for. Window managers offer maximize for any window that can
// be resized, so the size is fixed too.

class QDialog;
class QString;

/// Gives dialog a dialog's frame: title, system menu and close button only; fixed size.
void UseDialogFrame(QDialog *dialog);

/// Sets the caption of a top-level window; an empty caption stays empty on screen
/// (the window system would otherwise put the program's name there).
void SetWindowCaption(QDialog *window, const QString &caption);
