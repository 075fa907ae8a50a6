// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place that shows message boxes, so tests can intercept them.

#include <QMessageBox>
#include <QString>
#include <functional>

/// Icon of a message box.
enum class MsgIcon { None, Exclamation, Information, Question };

/// One message as the program would show it (caption, text, buttons, icon).
struct ShownMessage
{
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    MsgIcon icon;
};

/// Replaces the modal box; returns the button "pressed". Tests install one.
using MessageHook = std::function<QMessageBox::StandardButton(const ShownMessage &)>;

/// Shows a modal box under caption (g_strAppDisplayName when empty); returns the button pressed.
QMessageBox::StandardButton AfxMessageBox(QWidget *parent, const QString &text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok, MsgIcon icon = MsgIcon::None,
    const QString &caption = QString());
/// Installs (or with an empty function removes) the test hook.
void SetMessageHook(MessageHook hook);
