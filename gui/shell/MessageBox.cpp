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

QMessageBox *AfxMessageBoxAsync(QWidget *parent, const QString &text,
    QMessageBox::StandardButtons buttons, MsgIcon icon, const QString &caption, MessageDone done,
    QObject *context)
{
    const ShownMessage message { caption.isEmpty() ? g_strAppDisplayName : caption, text, buttons,
        icon };
    if (hook()) {
        done(hook()(message));
        return nullptr;
    }
    auto *box = new QMessageBox(toQt(icon), message.caption, text, buttons, parent);
    UseDialogFrame(box);
    // As modal as exec() makes it, but the caller's event loop goes on.
    box->setWindowModality(Qt::ApplicationModal);
    if (!context)
        context = parent ? static_cast<QObject *>(parent) : box;
    QObject::connect(box, &QDialog::finished, context, [box, done] {
        box->deleteLater();
        done(box->standardButton(box->clickedButton()));
    });
    if (context != box && context != parent)
        QObject::connect(context, &QObject::destroyed, box, [box] {
            box->hide();
            box->deleteLater();
        });
    box->show();
    return box;
}

void SetMessageHook(MessageHook h)
{
    hook() = std::move(h);
}
