// SPDX-License-Identifier: GPL-3.0-or-later
// The reference for bench/startup: a bare Qt main window with a menu bar, a
// toolbar, a status bar and one MDI child, shown maximized, quitting at once.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.addToolBar(QStringLiteral("Standard"))->addAction(QStringLiteral("New"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    auto *area = new QMdiArea(&window);
    window.setCentralWidget(area);
    area->addSubWindow(new QTableWidget(17, 10))->show();
    window.showMaximized();
    QTimer::singleShot(0, &app, [] {
        QCoreApplication::processEvents();
        QCoreApplication::quit();
    });
    return app.exec();
}
