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

/// Replaces every box, waited for or not; returns the button "pressed". Tests install one.
using MessageHook = std::function<QMessageBox::StandardButton(const ShownMessage &)>;

/// Shows a modal box under caption (g_strAppDisplayName when empty); returns the button pressed.
QMessageBox::StandardButton AfxMessageBox(QWidget *parent, const QString &text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok, MsgIcon icon = MsgIcon::None,
    const QString &caption = QString());
/// Receives the button pressed in a box shown by AfxMessageBoxAsync.
using MessageDone = std::function<void(QMessageBox::StandardButton)>;
/// Shows the box of AfxMessageBox application-modal but returns at once, without a loop of its
/// own; done gets the button pressed when the box closes (under the test hook: before this
/// returns). Once context (parent when null) is destroyed the box goes and done is not called.
/// Returns the box, or nullptr when the hook answered.
QMessageBox *AfxMessageBoxAsync(QWidget *parent, const QString &text,
    QMessageBox::StandardButtons buttons, MsgIcon icon, const QString &caption, MessageDone done,
    QObject *context = nullptr);
/// Installs (or with an empty function removes) the test hook.
void SetMessageHook(MessageHook hook);
