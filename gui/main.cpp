// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog: the GUI. Start-up lives in CProgramApp so tests can run it in-process.
#include "core/app/Globals.h"
#include "core/app/InstallationPlace.h"
#include "core/app/Version.h"
#include "core/document/FileName.h"
#include "core/settings/IniFile.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/ProgramApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

/// The program's own options; Qt's (-platform, -style, ...) are taken by QApplication.
struct ProgramOptions
{
    QCommandLineParser parser;
    QCommandLineOption help { { QStringLiteral("h"), QStringLiteral("help") },
        QStringLiteral("Show this help.") };
    QCommandLineOption version { { QStringLiteral("v"), QStringLiteral("version") },
        QStringLiteral("Show the version.") };

    ProgramOptions()
    {
        parser.setApplicationDescription(QStringLiteral(
            "Programming software for a 16-channel hand-held radio: read the radio's memory, "
            "edit channels and settings, save .dat files, print a report, write the radio."));
        // "-reverse" or "-stylesheet" (Qt's) must not read as -r -e -v ... or -s -t ... -h.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({ help, version });
        parser.addPositionalArgument(QStringLiteral("FILE.dat"),
            QStringLiteral("A file to open; without one, a new image."),
            QStringLiteral("[FILE.dat]"));
    }

    QString helpText() const
    {
        const QString qtHelp = parser.helpText();
        return QStringLiteral("usage: radioprog [OPTIONS] [FILE.dat]\n")
            + qtHelp.mid(qtHelp.indexOf(QLatin1Char('\n')))
            + QStringLiteral(
                "\nQt's own options (such as -platform offscreen) are accepted too.\n");
    }
};

/// Ends the program once the main window, with its first document, has been put on
/// screen and painted: the end of start-up that bench/startup measures.
class QuitWhenShown : public QObject
{
public:
    void watch(QWindow *window)
    {
        if (!window || window->isExposed())
            quitSoon();
        else
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window paints on this event; the quit waits for that in the queue.
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            quitSoon();
        }
        return false;
    }

private:
    static void quitSoon() { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }
};

} // namespace

int main(int argc, char **argv)
{
    // Help and version come first: they must work without a display.
    ProgramOptions options;
    // A file name is kept as the bytes given, valid UTF-8 or not (Qt's decoding would turn
    // a stray byte into U+FFFD, another name).
    const auto decoded = [&argc, argv] {
        QStringList args;
        for (int i = 0; i < argc; ++i)
            args << filename::FromNative(QByteArray(argv[i]));
        return args;
    };
    options.parser.parse(decoded());
    if (options.parser.isSet(options.help)) {
        std::fputs(qPrintable(options.helpText()), stdout);
        return 0;
    }
    if (options.parser.isSet(options.version)) {
        std::printf("radioprog %s\n", qPrintable(ProgramVersion()));
        return 0;
    }

    QApplication qapp(argc, argv);
    // Parsed again without the options QApplication has taken.
    if (!options.parser.parse(decoded())) {
        std::fprintf(stderr, "radioprog: %s\nusage: radioprog [OPTIONS] [FILE.dat]\n",
            qPrintable(options.parser.errorText()));
        return 2;
    }

    CProgramApp app;
    const QString dataDir = InstallationDataDir(QCoreApplication::applicationDirPath());
    // An installed program keeps its data as the package put it; only a build tree's is written.
    SetRunningInstalled(!IsBuildTree(QCoreApplication::applicationDirPath()));
    if (!app.InitInstance(dataDir, options.parser.positionalArguments()))
        return 1;
    // Program.ini is written back when the program ends; a failure is told, not swallowed.
    QObject::connect(&qapp, &QCoreApplication::aboutToQuit, [] {
        bool saved = true;
        theIniFile.Save(false, &saved);
        if (!saved)
            AfxMessageBox(nullptr,
                LanguageText("Program.ini could not be saved: %1", "无法保存 Program.ini：%1")
                    .arg(theIniFile.errorString()),
                QMessageBox::Ok, MsgIcon::Exclamation);
    });

    // For the start-up benchmark: quit as soon as the first document is on screen.
    QuitWhenShown quitWhenShown;
    if (qEnvironmentVariableIsSet("RADIOPROG_QUIT_AFTER_SHOW"))
        quitWhenShown.watch(app.mainFrame()->windowHandle());
    return qapp.exec();
}
