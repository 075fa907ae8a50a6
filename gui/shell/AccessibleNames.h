// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names for screen readers. A control with a visible label is named by that
// label (its buddy); these helpers name the controls that have none, and let a
// changing text (a step, a result, a cell's value) be spoken when it changes.

#include <QString>

class QAction;
class QWidget;

/// Names w for assistive technology; an empty description leaves the old one.
void NameControl(QWidget *w, const QString &name, const QString &description = QString());

/// Sets w's accessible name and tells assistive technology it changed (only when it did).
void AnnounceName(QWidget *w, const QString &name);

/// Tells assistive technology that w's value (a status text, a percentage) is now value.
void AnnounceValue(QWidget *w, const QString &value);

/// Sets a menu text "Item\tShortcut" as "Item" when the menu draws the action's own
/// shortcut as that same text, so the item's spoken name is the text alone. Returns the text set.
QString SetCommandText(QAction *action, const QString &menuText);

/// Runs SetCommandText again with the action's last menu text (after its shortcut changed).
void RefreshCommandText(QAction *action);

/// Gives each button of root without an access letter (no '&' in its text) Alt plus the
/// first free letter of its text as its shortcut; the text itself stays as it is.
void GiveAccessKeys(QWidget *root);

/// Runs GiveAccessKeys on dialog each time it is shown (its texts may change before).
void KeepAccessKeys(QWidget *dialog);
