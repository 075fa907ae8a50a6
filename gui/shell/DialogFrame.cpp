// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/DialogFrame.h"

#include "gui/shell/AccessibleNames.h"

#include <QDialog>
#include <QLayout>
#include <QMessageBox>
#include <QString>
#include <QWindow>

void UseDialogFrame(QDialog *dialog)
{
    // CustomizeWindowHint: exactly these buttons, whatever the platform adds by default.
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setSizeGripEnabled(false);
    // Buttons without an underlined letter still get Alt plus a letter of their text.
    KeepAccessKeys(dialog);
    // A message box sizes itself to its text, and fixes that size on its own.
    if (qobject_cast<QMessageBox *>(dialog))
        return;
    if (QLayout *layout = dialog->layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SetWindowCaption(QDialog *window, const QString &caption)
{
    window->setWindowTitle(caption);
    if (!caption.isEmpty())
        return;
    // An empty title is replaced by the application's name on X11; a blank one is shown
    // as it is. The widget's own title stays empty.
    window->winId();
    if (QWindow *handle = window->windowHandle())
        handle->setTitle(QStringLiteral(" "));
}
