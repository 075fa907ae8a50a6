// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures of the running program for the README: the main window, the About
// box and every dialog its commands open.

class CProgramApp;
class QString;

/// Saves PNGs into dir (named after the language) and returns the exit status.
int RunScreenshots(CProgramApp &app, const QString &dir);
