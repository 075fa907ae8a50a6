// SPDX-License-Identifier: GPL-3.0-or-later
// Waits by Qt Test's helpers: this tool is never shipped, and a picture taken
// before the window is painted would be blank.
#include "tools/screenshots/Camera.h"

#include "gui/shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace shots {

namespace {

/// Time for what a window does once shown (layouts, deferred fills) before its picture.
constexpr int kSettleMs = 150;
/// How long a command may take to open its window.
constexpr int kCommandTimeoutMs = 5000;

QWidgetList VisibleWindows()
{
    QWidgetList list;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            list << w;
    return list;
}

/// A visible window that was not in before, other than a menu or a tooltip; or nullptr.
QWidget *NewWindow(const QWidgetList &before)
{
    for (QWidget *w : VisibleWindows()) {
        const Qt::WindowType type = w->windowType();
        if (!before.contains(w) && type != Qt::Popup && type != Qt::ToolTip)
            return w;
    }
    return nullptr;
}

} // namespace

QPixmap Photograph(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    QTest::qWait(kSettleMs);
    return window.grab();
}

QPixmap PhotographCommand(CMainFrame &frame, int id)
{
    QAction *command = frame.action(id);
    if (!command || !command->isEnabled())
        return {};
    const QWidgetList before = VisibleWindows();
    QPixmap picture;
    bool taken = false;
    // A modal window runs its own event loop inside trigger(): it is found from a timer.
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *window = NewWindow(before);
        if (!window)
            return;
        poll.stop();
        picture = Photograph(*window);
        taken = true;
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    });
    poll.start();
    command->trigger();
    const bool opened = QTest::qWaitFor([&] { return taken; }, kCommandTimeoutMs);
    poll.stop();
    return opened ? picture : QPixmap();
}

} // namespace shots
