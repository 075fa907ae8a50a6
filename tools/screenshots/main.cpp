// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-screenshots: the README's pictures of the program, in one language
// per run (tools/screenshots/take runs it for both). It runs the program as a
// user starts it, from a copy of the installation data with the language
// chosen, so the build folder and the user's own settings stay untouched.
#include "core/app/InstallationPlace.h"
#include "core/document/FileWrite.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/ProgramApp.h"
#include "sim/RadioState.h"
#include "tools/screenshots/Shots.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

const char kUsage[] = "usage: radioprog-screenshots [--lang en|zh] OUTPUT_DIR\n";

/// Copies the installation data of dataDir into dir with [Setup] Language set to
/// language; false, told on stderr, when a file could not be copied.
bool CopyInstallation(const QString &dataDir, const QString &dir, const QByteArray &language)
{
    QTextStream err(stderr);
    const QDir from(dataDir);
    const QStringList files = from.entryList(
        { QStringLiteral("*.qm"), QStringLiteral("*.html"), QStringLiteral("*.bmp"),
            QStringLiteral("*.ico"), QStringLiteral("Program.ini") },
        QDir::Files);
    if (!files.contains(QStringLiteral("Program.ini"))) {
        err << "radioprog-screenshots: no Program.ini in " << dataDir << "\n";
        return false;
    }
    for (const QString &name : files) {
        QFile file(from.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            err << "radioprog-screenshots: " << file.fileName() << ": " << file.errorString()
                << "\n";
            return false;
        }
        QByteArray bytes = file.readAll();
        if (name == QLatin1String("Program.ini")) {
            // Line by line as bytes: the file's encoding is left as it is.
            QList<QByteArray> lines = bytes.split('\n');
            for (QByteArray &line : lines)
                if (line.startsWith("Language="))
                    line = "Language=" + language + (line.endsWith('\r') ? "\r" : "");
            bytes = lines.join('\n');
        }
        QString reason;
        if (!filewrite::WriteWholeFile(QDir(dir).filePath(name), bytes, &reason)) {
            err << "radioprog-screenshots: " << reason << "\n";
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // A settings and data home of its own, set before Qt reads them.
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fputs("radioprog-screenshots: no temporary folder\n", stderr);
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(work.filePath(QStringLiteral("data"))));
    QApplication qapp(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption lang(QStringLiteral("lang"),
        QStringLiteral("Language of the pictures: en or zh (default en)."), QStringLiteral("en|zh"),
        QStringLiteral("en"));
    parser.addOption(lang);
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("OUTPUT_DIR"), QStringLiteral("Where the PNG files are saved."));
    parser.process(qapp);
    const QString code = parser.value(lang);
    if (parser.positionalArguments().size() != 1
        || (code != QLatin1String("en") && code != QLatin1String("zh"))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString outDir = parser.positionalArguments().first();

    const QString install = work.filePath(QStringLiteral("install"));
    // The demo radio's memory is the image the main window shows.
    const QString demo = work.filePath(QStringLiteral("customer-radio.dat"));
    QString reason;
    if (!QDir().mkpath(install) || !QDir().mkpath(outDir)
        || !CopyInstallation(InstallationDataDir(QCoreApplication::applicationDirPath()), install,
            code == QLatin1String("zh") ? "Chinese" : "English")
        || !filewrite::WriteWholeFile(demo, DemoRadioImage().toByteArray(), &reason)) {
        if (!reason.isEmpty())
            QTextStream(stderr) << "radioprog-screenshots: " << reason << "\n";
        return 1;
    }

    // A message would wait for a click: it is printed and answered with Cancel.
    SetMessageHook([](const ShownMessage &m) {
        QTextStream(stdout) << "message: " << m.text << "\n";
        return QMessageBox::Cancel;
    });
    CProgramApp app;
    if (!app.InitInstance(install, { demo }))
        return 1;

    shots::Stage stage { *app.mainFrame(), work.path() };
    int failed = 0;
    QTextStream out(stdout);
    for (const shots::Shot &shot : shots::AllShots()) {
        const QString path = QDir(outDir).filePath(shots::ShotFileName(shot));
        const QPixmap picture = shot.take(stage);
        const bool ok = !picture.isNull() && picture.save(path);
        out << (ok ? "saved " : "FAILED ") << path << Qt::endl;
        failed += ok ? 0 : 1;
    }
    SetMessageHook({});
    return failed == 0 ? 0 : 1;
}
