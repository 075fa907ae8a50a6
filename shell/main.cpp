// radioprog: the GUI. Start-up lives in CProgramApp so tests can run it in-process.
#include "doc/IniFile.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/ProgramApp.h"
#include "shell/Screenshots.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    // Hidden option for the README pictures: --screenshots DIR.
    QString screenshotDir;
    if (const int at = args.indexOf(QStringLiteral("--screenshots"));
        at >= 0 && at + 1 < args.size()) {
        screenshotDir = args.at(at + 1);
        args.remove(at, 2);
    }

    CProgramApp app;
    if (!app.InitInstance(QCoreApplication::applicationDirPath() + QLatin1Char('/'), args))
        return 1;
    // Program.ini is written back when the program ends; a failure is told, not swallowed.
    QObject::connect(&qapp, &QCoreApplication::aboutToQuit, [] {
        bool saved = true;
        theIniFile.Save(false, &saved);
        if (!saved)
            AfxMessageBox(nullptr,
                Tr2("Program.ini could not be saved: %1", "无法保存 Program.ini：%1")
                    .arg(theIniFile.errorString()),
                QMessageBox::Ok, MsgIcon::Exclamation);
    });

    if (!screenshotDir.isEmpty())
        return RunScreenshots(app, screenshotDir);
    // For the start-up benchmark: quit as soon as the first document is on screen.
    if (qEnvironmentVariableIsSet("RADIOPROG_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, &qapp, [] {
            QCoreApplication::processEvents();
            QCoreApplication::quit();
        });
    return qapp.exec();
}
