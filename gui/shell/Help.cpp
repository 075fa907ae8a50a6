// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Help.h"

#include "core/app/Globals.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

namespace {
int s_lastContext = 0;
bool s_suppressed = false;
QPointer<QTextBrowser> s_window;
} // namespace

int ShowHelp(QWidget *owner, int context)
{
    s_lastContext = context;
    const QString path = g_strAppDir + g_strHelpFile;
    if (!QFileInfo::exists(path))
        return 0;
    if (s_suppressed)
        return 1;
    // F1 is pressed inside modal dialogs too: a help window outside the dialog would be
    // blocked by it, unreadable and impossible to close until the dialog ends.
    QWidget *host = QApplication::activeModalWidget();
    if (!host)
        host = owner ? owner->window() : nullptr;
    if (!s_window) {
        // One help window for the process, like the help engine's viewer.
        s_window = new QTextBrowser(host);
        s_window->setAttribute(Qt::WA_DeleteOnClose);
        s_window->setWindowFlag(Qt::Window);
        s_window->setWindowTitle(LanguageText("Help", "帮助"));
        s_window->resize(720, 560);
        // Escape closes the help as it closes a dialog.
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), s_window);
        escape->setContext(Qt::WindowShortcut);
        QObject::connect(escape, &QShortcut::activated, s_window.data(), &QWidget::close);
    } else if (s_window->parentWidget() != host) {
        const QRect place = s_window->geometry();
        s_window->setParent(host, Qt::Window);
        s_window->setGeometry(place);
    }
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(QStringLiteral("ctx%1").arg(context));
    s_window->setSource(url);
    s_window->scrollToAnchor(url.fragment());
    s_window->show();
    s_window->raise();
    s_window->activateWindow();
    return 1;
}

int ControlIdOf(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        const QVariant id = w->property("ctrlId");
        if (id.isValid())
            return id.toInt();
    }
    return 0;
}

int LastHelpContext()
{
    return s_lastContext;
}

void SetHelpWindowSuppressed(bool suppressed)
{
    s_suppressed = suppressed;
}
