// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main frame's commands around writing the radio: File > Compare With...,
// Setup > Options, Program > Backups...

class CMainFrame;
class QString;

/// File > Compare With...: the active document (as its grid stands) against a .dat file.
void OnCompareWith(CMainFrame *frame);
/// Shows the comparison of the active document (as its grid stands) with the .dat file at path.
void CompareWithFile(CMainFrame *frame, const QString &path);
/// Setup > Options: the write protections and the backups folder.
void OnWriteOptions(CMainFrame *frame);
/// Program > Backups...: the backups, one of them opened as a document.
void OnBackups(CMainFrame *frame);
