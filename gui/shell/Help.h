// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Context help: the HTML manual of the running language, opened at an anchor.

class QWidget;

/// Opens g_strAppDir + g_strHelpFile at anchor "ctx<context>"; 0 when the file is missing.
int ShowHelp(QWidget *owner, int context);
/// The "ctrlId" of w or of its nearest ancestor that has one (combo popups
/// answer with their combo's id); 0 when none has one.
int ControlIdOf(const QWidget *w);
/// For tests: the context of the last ShowHelp call (0 before any).
int LastHelpContext();
/// For tests: when true, ShowHelp records the context but opens no window.
void SetHelpWindowSuppressed(bool suppressed);
