// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MessageBox.h"

#include "core/app/Globals.h"
#include "gui/shell/DialogFrame.h"

namespace {

MessageHook &hook()
{
    static MessageHook h;
    return h;
}

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton AfxMessageBox(QWidget *parent, const QString &text,
    QMessageBox::StandardButtons buttons, MsgIcon icon, const QString &caption)
{
    const ShownMessage message { caption.isEmpty() ? g_strAppDisplayName : caption, text, buttons,
        icon };
    if (hook())
        return hook()(message);
    QMessageBox box(toQt(icon), message.caption, text, buttons, parent);
    UseDialogFrame(&box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMessageHook(MessageHook h)
{
    hook() = std::move(h);
}
