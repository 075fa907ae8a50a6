// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Screenshots.h"

#include "core/app/Globals.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/ProgramApp.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QTextStream>
#include <QTimer>

namespace {

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool save(const QPixmap &picture, const QString &dir, const QString &name)
{
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    const bool ok = picture.save(path);
    QTextStream(stdout) << (ok ? "saved " : "failed ") << path << "\n";
    return ok;
}

QSet<QWidget *> visibleTopLevels()
{
    QSet<QWidget *> set;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            set.insert(w);
    return set;
}

// Triggers a command and photographs the window it opens (modal or not), then closes it.
void shootCommand(CMainFrame *frame, int id, const QString &dir, const QString &name)
{
    QAction *act = frame->action(id);
    if (!act || !act->isEnabled())
        return;
    const QSet<QWidget *> before = visibleTopLevels();
    bool taken = false;
    auto grabNew = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || before.contains(w) || qobject_cast<QMenu *>(w))
                continue;
            settle(150);
            save(w->grab(), dir, name);
            taken = true;
            if (auto *dlg = qobject_cast<QDialog *>(w))
                dlg->reject();
            else
                w->close();
            return;
        }
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!taken)
            grabNew();
    });
    poll.start(300);
    act->trigger();
    settle(900);
    if (!taken)
        grabNew();
    poll.stop();
}

} // namespace

int RunScreenshots(CProgramApp &app, const QString &dir)
{
    QDir().mkpath(dir);
    CMainFrame *frame = app.mainFrame();
    const QString lang = g_strLanguage.toLower();
    // Messages would block the run; they are answered with their first button.
    SetMessageHook([](const ShownMessage &m) {
        QTextStream(stdout) << "message: " << m.text << "\n";
        return QMessageBox::Cancel;
    });
    settle(800);
    save(frame->grab(), dir, lang + QStringLiteral("-main"));

    // An open menu, to show the translated texts and accelerators.
    if (QMenu *file
        = frame->menuBar()->actions().value(0) ? frame->menuBar()->actions()[0]->menu() : nullptr) {
        file->popup(frame->mapToGlobal(QPoint(0, frame->menuBar()->height())));
        settle(300);
        QPixmap shot = frame->grab();
        // The menu is a window of its own: paint it onto the frame's picture.
        QPixmap menuShot = file->grab();
        {
            QPainter painter(&shot);
            painter.drawPixmap(frame->mapFromGlobal(file->pos()), menuShot);
        }
        save(shot, dir, lang + QStringLiteral("-menu"));
        file->close();
    }

    {
        CAboutDlg about(frame);
        about.show();
        settle(300);
        save(about.grab(), dir, lang + QStringLiteral("-about"));
    }

    const struct
    {
        int id;
        const char *name;
    } commands[] = {
        { 32786, "product-info" },
        { 32788, "optional-features" },
        { 32782, "scan-info" },
        { 32777, "com-setup" },
        { 32799, "language" },
        { 32773, "process" },
    };
    for (const auto &c : commands)
        shootCommand(frame, c.id, dir, lang + QLatin1Char('-') + QLatin1String(c.name));

    SetMessageHook({});
    return 0;
}
