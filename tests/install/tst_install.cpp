// SPDX-License-Identifier: GPL-3.0-or-later
// The programs as a user gets them: every command and option their --help
// prints is in their man page, and an installation into any prefix runs from
// there with its data, desktop entry, icons, AppStream data and completion.
#include "core/app/Globals.h"
#include "core/app/InstallationPlace.h"
#include "core/settings/IniFile.h"
#include "core/settings/SetupChoices.h"

#include "tests/common/ProgramRun.h"
#include "tests/common/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QtTest>
#include <unistd.h>

namespace {

using testing::ProgramRun;
using testing::ReadAll;
using testing::RunProgram;

const QString kBuild = QStringLiteral(RADIOPROG_BUILD_DIR "/");
const QString kSource = QStringLiteral(RADIOPROG_SOURCE_DIR "/");

/// The options a help text lists: "-o", "--output", "--json", ...
QStringList OptionsOfHelp(const QString &help)
{
    QStringList options;
    static const QRegularExpression line(
        QStringLiteral("^ +(?:(-[A-Za-z0-9]), )?(--[A-Za-z0-9][A-Za-z0-9-]*)"),
        QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(help); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty())
            options << m.captured(1);
        options << m.captured(2);
    }
    return options;
}

/// The commands of radioprog-cli's help: its lines "  radioprog-cli NAME ...".
QStringList CommandsOfHelp(const QString &help)
{
    QStringList commands;
    static const QRegularExpression line(
        QStringLiteral("^  radioprog-cli ([a-z][a-z0-9-]*)"), QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(help); it.hasNext();)
        commands << it.next().captured(1);
    return commands;
}

/// A man page's source as it reads: "\-" as "-", font changes and quotes left out.
QString ManText(const QString &page)
{
    QString text = QString::fromUtf8(ReadAll(kSource + QStringLiteral("res/man/") + page));
    text.replace(QLatin1String("\\-"), QLatin1String("-"));
    text.remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP])")));
    text.remove(QLatin1Char('"'));
    return text;
}

/// True when text holds word with no letter, digit or "-" right before or after it.
bool HasWord(const QString &text, const QString &word)
{
    const QRegularExpression re(QStringLiteral("(?<![A-Za-z0-9-])%1(?![A-Za-z0-9-])")
                                    .arg(QRegularExpression::escape(word)));
    return re.match(text).hasMatch();
}

QString Help(const QString &program, const QStringList &args)
{
    const ProgramRun r = RunProgram(kBuild + program, args);
    if (r.exitCode != 0)
        qWarning("%s %s: exit %d: %s", qPrintable(program), qPrintable(args.join(' ')), r.exitCode,
            r.err.constData());
    return r.exitCode == 0 ? QString::fromUtf8(r.out) : QString();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_prefix;

    QString prefixed(const QString &rel) const { return m_prefix.filePath(rel); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        const ProgramRun r = RunProgram(QStringLiteral(RADIOPROG_CMAKE),
            { QStringLiteral("--install"), kBuild, QStringLiteral("--prefix"), m_prefix.path() });
        QVERIFY2(r.exitCode == 0, r.err.constData());
    }

    void manPageCoversHelp_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("helpArgs");
        QTest::addColumn<QString>("page");
        QTest::newRow("radioprog") << "radioprog" << QStringList { "--help" } << "radioprog.1";
        QTest::newRow("radioprog-sim")
            << "radioprog-sim" << QStringList { "--help" } << "radioprog-sim.1";
        QTest::newRow("radioprog-cli")
            << "radioprog-cli" << QStringList { "--help" } << "radioprog-cli.1";
        // Every command the main help lists, by its own --help.
        for (const QString &command : CommandsOfHelp(Help("radioprog-cli", { "--help" })))
            QTest::newRow(qPrintable("radioprog-cli " + command))
                << "radioprog-cli" << QStringList { command, "--help" } << "radioprog-cli.1";
    }

    void manPageCoversHelp()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, helpArgs);
        QFETCH(QString, page);
        const QString help = Help(program, helpArgs);
        QVERIFY2(!help.isEmpty(), "no help printed");
        const QStringList options = OptionsOfHelp(help);
        QVERIFY2(options.contains(QStringLiteral("--help")), qPrintable(help));
        const QString man = ManText(page);
        QVERIFY(!man.isEmpty());
        QStringList missing;
        for (const QString &option : options)
            if (!HasWord(man, option))
                missing << option;
        if (helpArgs.size() == 2 && !man.contains(program + QLatin1Char(' ') + helpArgs.first()))
            missing << program + QLatin1Char(' ') + helpArgs.first();
        for (const QString &command : CommandsOfHelp(help))
            if (!man.contains(program + QLatin1Char(' ') + command))
                missing << program + QLatin1Char(' ') + command;
        QVERIFY2(missing.isEmpty(),
            qPrintable(QStringLiteral("res/man/%1 lacks: %2").arg(page, missing.join(", "))));
    }

    void manPagesAreWellFormed_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *page : { "radioprog.1", "radioprog-cli.1", "radioprog-sim.1" })
            QTest::newRow(page) << page;
    }

    void manPagesAreWellFormed()
    {
        QFETCH(QString, page);
        // groff's own warnings (-ww), without output: the page renders cleanly.
        const ProgramRun r = RunProgram(QStringLiteral("groff"),
            { "-man", "-ww", "-z", kSource + QStringLiteral("res/man/") + page });
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        // Installed compressed, and the same page.
        const QString installed = prefixed(QStringLiteral("share/man/man1/") + page + ".gz");
        const ProgramRun unpacked = RunProgram(QStringLiteral("gzip"), { "-dc", installed });
        QCOMPARE(unpacked.exitCode, 0);
        QCOMPARE(unpacked.out, ReadAll(kSource + QStringLiteral("res/man/") + page));
    }

    void installedTree_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *f : { "bin/radioprog", "bin/radioprog-cli", "bin/radioprog-sim",
                 "share/radioprog/Program.ini", "share/radioprog/English.qm",
                 "share/radioprog/Chinese.qm", "share/radioprog/enHelp.html",
                 "share/radioprog/chHelp.html", "share/radioprog/title.ico",
                 "share/radioprog/logo.bmp", "share/radioprog/background.bmp",
                 "share/applications/radioprog.desktop",
                 "share/icons/hicolor/scalable/apps/radioprog.svg",
                 "share/bash-completion/completions/radioprog",
                 "share/bash-completion/completions/radioprog-cli",
                 "share/bash-completion/completions/radioprog-sim", "share/doc/radioprog/copyright",
                 "share/doc/radioprog/changelog.gz" })
            QTest::newRow(f) << f;
        for (int size : { 16, 22, 24, 32, 48, 64, 128, 256 })
            QTest::newRow(qPrintable(QStringLiteral("icon %1").arg(size)))
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/radioprog.png").arg(size);
    }

    void installedTree()
    {
        QFETCH(QString, file);
        const QFileInfo info(prefixed(file));
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(file));
        if (file.startsWith(QLatin1String("bin/")))
            QVERIFY(info.isExecutable());
        // One completion script; the other programs reach it by links.
        if (file.contains(QLatin1String("completions/radioprog-")))
            QCOMPARE(info.symLinkTarget(),
                prefixed(QStringLiteral("share/bash-completion/completions/radioprog")));
        if (file.endsWith(QLatin1String(".png"))) {
            // The size its folder names.
            const QImage icon(info.filePath());
            QVERIFY(!icon.isNull());
            QVERIFY2(file.contains(QStringLiteral("/%1x%2/").arg(icon.width()).arg(icon.height())),
                qPrintable(file));
        }
    }

    void onlyTheProgramsAreInstalled()
    {
        // Tools of the build (the screenshot tool, test helpers) stay out of the installation.
        QCOMPARE(QDir(prefixed(QStringLiteral("bin"))).entryList(QDir::Files, QDir::Name),
            QStringList({ "radioprog", "radioprog-cli", "radioprog-sim" }));
    }

    void shippedProgramIniIsTheSource()
    {
        // Not the build tree's copy, which carries the developer's own language choice.
        QCOMPARE(ReadAll(prefixed("share/radioprog/Program.ini")),
            ReadAll(kSource + QStringLiteral("res/install/Program.ini")));
    }

    void cliRunsFromTheInstallation()
    {
        QTemporaryDir work;
        const QString cli = prefixed(QStringLiteral("bin/radioprog-cli"));
        const QString file = work.filePath(QStringLiteral("new.dat"));
        ProgramRun r = RunProgram(cli, { QStringLiteral("new"), file });
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(QFileInfo(file).size(), 1024);
        r = RunProgram(cli, { QStringLiteral("show"), QStringLiteral("--json"), file });
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QJsonObject settings
            = QJsonDocument::fromJson(r.out).object().value(QStringLiteral("settings")).toObject();
        // The radio types come from the installed Program.ini in share/radioprog.
        const QString type
            = settings.value(QStringLiteral("productType")).toObject().value("text").toString();
        QVERIFY2(!type.isEmpty(), r.out.constData());
        QVERIFY(QString::fromUtf8(ReadAll(prefixed("share/radioprog/Program.ini")))
                    .contains(QRegularExpression(
                        QStringLiteral("Type1=%1\r?\n").arg(QRegularExpression::escape(type)))));
        QVERIFY(!settings.value(QStringLiteral("frequencyBand"))
                     .toObject()
                     .value("text")
                     .toString()
                     .isEmpty());
    }

    void userCopyServesAReadOnlyInstallation()
    {
        // A system installation: share/radioprog cannot be written. The user's own
        // Program.ini with only [Ports] then chooses the ports, the rest stays installed.
        QTemporaryDir home;
        const QString copy = home.filePath(QStringLiteral("config/radioprog/Program.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(copy).absolutePath()));
        testing::WriteAll(copy, "[Ports]\nCOM1=/dev/ttyACM7\n");
        const QString data = prefixed(QStringLiteral("share/radioprog"));
        const QString cli = prefixed(QStringLiteral("bin/radioprog-cli"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        p.setProcessEnvironment(env);
        const bool root = geteuid() == 0;
        if (root) {
            // Root writes anywhere: a read-only bind mount, seen by the command alone.
            p.start(QStringLiteral("unshare"),
                { "-m", "sh", "-c",
                    "mount --make-rprivate / && mount --bind \"$1\" \"$1\" && "
                    "mount -o remount,bind,ro \"$1\" && exec \"$2\" ports",
                    "sh", data, cli });
        } else {
            QVERIFY(QFile::setPermissions(data, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            p.start(cli, { QStringLiteral("ports") });
        }
        QVERIFY(p.waitForFinished(30000));
        if (!root)
            QFile::setPermissions(
                data, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QByteArray err = p.readAllStandardError();
        if (root && p.exitCode() != 0 && err.contains("mount"))
            QSKIP("no read-only mount possible here");
        QVERIFY2(p.exitCode() == 0, err.constData());
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(out.contains(QRegularExpression(
                     QStringLiteral("COM1 -> /dev/ttyACM7 +\\(set in Program.ini\\)"))),
            qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("COM2 -> /dev/ttyUSB1")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("[Ports] of ") + copy), qPrintable(out));
        QCOMPARE(ReadAll(copy), QByteArray("[Ports]\nCOM1=/dev/ttyACM7\n"));
    }

    void versions_data()
    {
        QTest::addColumn<QString>("program");
        for (const char *p : { "radioprog", "radioprog-cli", "radioprog-sim" })
            QTest::newRow(p) << p;
    }

    void versions()
    {
        QFETCH(QString, program);
        // No display needed for --version, not even for the GUI.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(prefixed(QStringLiteral("bin/") + program), { QStringLiteral("--version") });
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(QRegularExpression(QStringLiteral("^%1 \\d+\\.\\d+\\.\\d+\\n$").arg(program))
                     .match(QString::fromUtf8(p.readAllStandardOutput()))
                     .hasMatch(),
            qPrintable(program));
    }

    void changelogNamesTheVersion()
    {
        // The package's version is the programs'; its changelog must begin with it.
        const ProgramRun version
            = RunProgram(prefixed(QStringLiteral("bin/radioprog-cli")), { "--version" });
        const QString number = QString::fromUtf8(version.out).section(' ', 1).trimmed();
        QVERIFY(!number.isEmpty());
        const ProgramRun log = RunProgram(
            QStringLiteral("gzip"), { "-dc", prefixed("share/doc/radioprog/changelog.gz") });
        QCOMPARE(log.exitCode, 0);
        QVERIFY2(log.out.startsWith("radioprog (" + number.toUtf8() + ") "),
            qPrintable("res/debian/changelog should start with version " + number));
    }

    void licenceAndNoPlaceholders()
    {
        // Free software under the GPL, said where Debian and software centres read it;
        // and no made-up address or unfilled template field in anything installed.
        const QByteArray copyright = ReadAll(prefixed("share/doc/radioprog/copyright"));
        QVERIFY(copyright.startsWith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
        QVERIFY(copyright.contains("\nLicense: GPL-3+\n"));
        QDirIterator it(prefixed("share"), QDir::Files, QDirIterator::Subdirectories);
        bool metainfo = false;
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.endsWith(".xml") && !path.endsWith(".desktop") && !path.endsWith("copyright")
                && !path.endsWith(".ini") && !path.endsWith(".html"))
                continue;
            const QByteArray text = ReadAll(path);
            QVERIFY2(
                !text.contains("example.org") && !text.contains("example.com"), qPrintable(path));
            QVERIFY2(!QRegularExpression(QStringLiteral("@[A-Z_]+@"))
                          .match(QString::fromUtf8(text))
                          .hasMatch(),
                qPrintable(path));
            if (path.endsWith(".metainfo.xml")) {
                metainfo = true;
                QVERIFY(text.contains("<project_license>GPL-3.0-or-later</project_license>"));
            }
        }
        QVERIFY(metainfo);
    }

    void guiStartsFromTheInstallation()
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("RADIOPROG_QUIT_AFTER_SHOW"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.start(prefixed(QStringLiteral("bin/radioprog")), {});
        QVERIFY(p.waitForFinished(60000));
        // Exit 0: Program.ini and the language set were found in share/radioprog.
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    }

    void desktopData_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList { "share/applications/radioprog.desktop" };
        // The component id is the program's name unless a distributor gives a reverse-DNS one.
        QTest::newRow("AppStream")
            << "appstreamcli"
            << QStringList { "validate", "--no-net", "--override=cid-desktopapp-is-not-rdns=info",
                   "share/metainfo" };
    }

    void desktopData()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QFAIL(qPrintable(tool + " is missing: tools/setup.sh installs it"));
        if (args.last() == QLatin1String("share/metainfo")) {
            const QStringList found
                = QDir(prefixed(args.last())).entryList({ QStringLiteral("*.metainfo.xml") });
            QCOMPARE(found.size(), 1);
            args.last() = args.last() + QLatin1Char('/') + found.first();
        }
        args.last() = prefixed(args.last());
        const ProgramRun r = RunProgram(tool, args);
        QVERIFY2(r.exitCode == 0, (r.out + r.err).constData());
    }

    void completion_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("commands") << QStringList { "radioprog-cli",
            "" } << QStringList { "show", "new", "read", "write", "ports", "report", "help" }
                                  << QStringList { "a.dat" };
        QTest::newRow("command prefix")
            << QStringList { "radioprog-cli", "re" } << QStringList { "read", "report" }
            << QStringList { "show" };
        QTest::newRow("command options")
            << QStringList { "radioprog-cli", "read", "--" }
            << QStringList { "--port", "--output", "--retries" } << QStringList { "--json" };
        QTest::newRow("serial ports") << QStringList { "radioprog-cli", "read", "--port", "" }
                                      << QStringList { "COM1", "COM4" } << QStringList { "a.dat" };
        QTest::newRow("languages") << QStringList { "radioprog-cli", "show", "--lang", "" }
                                   << QStringList { "en", "zh" } << QStringList { "a.dat" };
        QTest::newRow("images") << QStringList { "radioprog-cli", "show", "" }
                                << QStringList { "a.dat", "b.csv", "sub" }
                                << QStringList { "c.txt", "r.pdf" };
        QTest::newRow("output of read")
            << QStringList { "radioprog-cli", "read", "-o", "" } << QStringList { "a.dat" }
            << QStringList { "r.pdf", "c.txt" };
        QTest::newRow("output of report")
            << QStringList { "radioprog-cli", "report", "a.dat", "--output", "" }
            << QStringList { "r.pdf" } << QStringList { "a.dat" };
        QTest::newRow("numbers") << QStringList { "radioprog-cli", "read", "--retries", "" }
                                 << QStringList {} << QStringList { "a.dat", "COM1" };
        QTest::newRow("sim options") << QStringList { "radioprog-sim", "--n" }
                                     << QStringList { "--nak-at" } << QStringList { "--pace" };
        QTest::newRow("sim image") << QStringList { "radioprog-sim", "--image", "" }
                                   << QStringList { "a.dat" } << QStringList { "c.txt" };
        QTest::newRow("gui") << QStringList { "radioprog", "" } << QStringList { "a.dat" }
                             << QStringList { "b.csv", "c.txt" };
        QTest::newRow("gui options")
            << QStringList { "radioprog", "--v" } << QStringList { "--version" } << QStringList {};
    }

    void completion()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        const QString framework = QStringLiteral("/usr/share/bash-completion/bash_completion");
        if (!QFileInfo::exists(framework))
            QFAIL("bash-completion is missing: tools/setup.sh installs it");
        QTemporaryDir work;
        for (const char *f : { "a.dat", "b.csv", "c.txt", "r.pdf" })
            testing::WriteAll(work.filePath(QString::fromLatin1(f)), "x");
        QVERIFY(QDir(work.path()).mkdir(QStringLiteral("sub")));
        // As bash loads it for the installed program, named after the program.
        const QString script
            = prefixed(QStringLiteral("share/bash-completion/completions/") + words.first());
        words.first() = prefixed(QStringLiteral("bin/") + words.first());
        QStringList quoted;
        for (const QString &w : words)
            quoted << QLatin1Char('\'') + w + QLatin1Char('\'');
        const QString program = QStringLiteral(
            "source %1 && source %2 && cd %3 && COMP_WORDS=(%4) && "
            "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && COMP_LINE=\"${COMP_WORDS[*]}\" && "
            "COMP_POINT=${#COMP_LINE} && { _radioprog; printf '%s\\n' \"${COMPREPLY[@]}\"; }")
                                    .arg(framework, script, work.path(), quoted.join(' '));
        const ProgramRun r = RunProgram(QStringLiteral("bash"), { QStringLiteral("-c"), program });
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QStringList offered = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        for (const QString &e : expected)
            QVERIFY2(offered.contains(e), qPrintable(e + " not in: " + offered.join(' ')));
        for (const QString &a : absent)
            QVERIFY2(!offered.contains(a), qPrintable(a + " in: " + offered.join(' ')));
        if (expected.isEmpty())
            QVERIFY2(offered.isEmpty(), qPrintable(offered.join(' ')));
    }

    void languageChangeLeavesTheInstallation()
    {
        // Whoever runs it (CI runs as root, who could write share/radioprog), an installed
        // program keeps the packaged Program.ini as it is; the user's file holds the change.
        const QString installed = prefixed(QStringLiteral("share/radioprog/Program.ini"));
        const QByteArray packaged = ReadAll(installed);
        QTemporaryDir home;
        const QString config = home.filePath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        const QString bin = prefixed(QStringLiteral("bin"));
        QVERIFY(!IsBuildTree(bin));
        SetRunningInstalled(!IsBuildTree(bin));
        g_strAppDir = InstallationDataDir(bin);
        {
            // As the Language dialog and the restart store it.
            CIniFile ini;
            QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false), 1);
            QVERIFY(StoreLanguageChoice(ini, 1, false));
            bool saved = false;
            ini.Save(false, &saved);
            QVERIFY2(saved, qPrintable(ini.errorString()));
        }
        SetRunningInstalled(false);
        g_strAppDir.clear();
        QCOMPARE(ReadAll(installed), packaged);
        const QString own = config + QStringLiteral("/radioprog/Program.ini");
        QCOMPARE(ReadAll(own), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));

        // The installed programs read it that way: the GUI starts (in Chinese) and writes
        // nothing; an update of the installed file (a renamed radio type) reaches the user.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("RADIOPROG_QUIT_AFTER_SHOW"), QStringLiteral("1"));
        QProcess gui;
        gui.setProcessEnvironment(env);
        gui.start(prefixed(QStringLiteral("bin/radioprog")), {});
        QVERIFY(gui.waitForFinished(60000));
        QVERIFY2(gui.exitCode() == 0, gui.readAllStandardError().constData());
        QCOMPARE(ReadAll(installed), packaged);
        QCOMPARE(ReadAll(own), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));

        QByteArray updated = packaged;
        updated.replace("Type1=ZL-260", "Type1=ZL-260B");
        testing::WriteAll(installed, updated);
        QTemporaryDir work;
        const QString file = work.filePath(QStringLiteral("new.dat"));
        QProcess cli;
        cli.setProcessEnvironment(env);
        cli.start(prefixed(QStringLiteral("bin/radioprog-cli")), { QStringLiteral("new"), file });
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);
        cli.start(prefixed(QStringLiteral("bin/radioprog-cli")),
            { QStringLiteral("show"), QStringLiteral("--json"), file });
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);
        const QByteArray out = cli.readAllStandardOutput();
        testing::WriteAll(installed, packaged);
        QVERIFY2(out.contains("\"ZL-260B\""), out.constData());
        QCOMPARE(ReadAll(own), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
