// SPDX-License-Identifier: GPL-3.0-or-later
// Where the installation data is found (build tree or <prefix>/share/radioprog)
// and the per-user Program.ini that holds what the user changed over an installation.
#include "core/app/Globals.h"
#include "core/app/InstallationPlace.h"
#include "core/settings/IniFile.h"

#include "tests/common/FileFaults.h"
#include "tests/common/TestFiles.h"
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <QtTest>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using testing::ReadAll;
using testing::WriteAll;

const QByteArray kInstalledIni
    = "[Setup]\r\nLanguage=English\r\nShowLang=1\r\nAppName=PlaceTest\r\n"
      "Type1=ZL-260\r\nField1=130 - 160MHz|136 - 174MHz\r\n"
      "[English]\r\nCompany=Test Company\r\n";

// Root ignores permission bits: a read-only installation is then made for real as a
// read-only bind mount, in a mount namespace of this process alone.
bool s_privateMounts = false;

/// Makes dir read-only for this process as a system installation is; false when impossible.
bool MakeReadOnly(const QString &dir)
{
    const QByteArray path = QFile::encodeName(dir);
    if (geteuid() != 0)
        return QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner)
            && !QFileInfo(dir).isWritable();
    if (!s_privateMounts)
        return false;
    return ::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0
        && ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr)
        == 0;
}

/// Undoes MakeReadOnly, so the temporary folder can be removed.
void MakeWritable(const QString &dir)
{
    if (geteuid() == 0)
        ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
    else
        QFile::setPermissions(
            dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

class TestInstallationPlace : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_installed; // the installation folder, ending with "/"
    QString m_copy; // where this user's copy goes
    bool m_readOnly = false;

    QString installedIni() const { return m_installed + QStringLiteral("Program.ini"); }
    void makeInstallationReadOnly()
    {
        if (!MakeReadOnly(m_installed))
            QSKIP("no way to make a folder read-only for this user here");
        m_readOnly = true;
        QVERIFY(!CanWriteFile(installedIni()));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_installed = m_dir->filePath(QStringLiteral("share/radioprog/"));
        QVERIFY(QDir().mkpath(m_installed));
        WriteAll(installedIni(), kInstalledIni);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("config"))));
        m_copy = m_dir->filePath(QStringLiteral("config/radioprog/Program.ini"));
        QCOMPARE(PerUserCopyPath(QStringLiteral("Program.ini")), m_copy);
        g_strAppDir = m_installed;
        m_readOnly = false;
    }

    void cleanup()
    {
        SetRunningInstalled(false);
        if (m_readOnly)
            MakeWritable(m_installed);
        m_dir.reset();
        g_strAppDir.clear();
    }

    void dataFolder_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build tree") << QStringList { "build/Program.ini" } << "build"
                                    << "build/";
        QTest::newRow("installed") << QStringList { "usr/share/radioprog/Program.ini" } << "usr/bin"
                                   << "usr/share/radioprog/";
        QTest::newRow("beside wins over share")
            << QStringList { "usr/bin/Program.ini", "usr/share/radioprog/Program.ini" } << "usr/bin"
            << "usr/bin/";
        QTest::newRow("other prefix")
            << QStringList { "opt/rp/share/radioprog/Program.ini" } << "opt/rp/bin/"
            << "opt/rp/share/radioprog/";
        // Nothing found: the program's own folder, where the INI class reports what is missing.
        QTest::newRow("none") << QStringList {} << "usr/bin"
                              << "usr/bin/";
        QTest::newRow("a folder named Program.ini")
            << QStringList { "usr/share/radioprog/Program.ini/" } << "usr/bin"
            << "usr/bin/";
    }

    void dataFolder()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, exeDir);
        QFETCH(QString, expected);
        const QString root = m_dir->filePath(QStringLiteral("tree")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(root + exeDir));
        for (const QString &f : files) {
            QVERIFY(QDir().mkpath(QFileInfo(root + f).absolutePath()));
            if (f.endsWith(QLatin1Char('/')))
                QVERIFY(QDir().mkpath(root + f));
            else
                WriteAll(root + f, "[Setup]\r\n");
        }
        QCOMPARE(InstallationDataDir(root + exeDir), root + expected);
    }

    void writableInstallationIsWrittenInPlace()
    {
        // The build tree: a copy left from an installed run does not take over.
        QVERIFY(QDir().mkpath(QFileInfo(m_copy).absolutePath()));
        WriteAll(m_copy, "[Setup]\r\nLanguage=Chinese\r\n");
        CIniFile ini;
        QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false), 1);
        QCOMPARE(ini.path(), installedIni());
        QCOMPARE(ini.GetValue("Setup", "Language"), QStringLiteral("English"));
        ini.SetValue("Setup", "Language", "Chinese");
        ini.Save(false);
        QVERIFY(ReadAll(installedIni()).contains("Language=Chinese"));
        QCOMPARE(ReadAll(m_copy), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
    }

    void readOnlyInstallationWritesTheUserCopy()
    {
        makeInstallationReadOnly();
        {
            CIniFile ini;
            QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), true, true, false), 1);
            QCOMPARE(ini.path(), installedIni());
            QVERIFY(!QFileInfo::exists(m_copy)); // nothing is written until something changes
            ini.SetValue("Setup", "Language", "Chinese");
            // The automatic save at the end of the run.
        }
        QCOMPARE(ReadAll(installedIni()), kInstalledIni);
        // Only the change: the rest keeps following the installed file.
        QCOMPARE(ReadAll(m_copy), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));

        // Read over the installed values from then on, and written there again.
        CIniFile again;
        QCOMPARE(again.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false), 1);
        QCOMPARE(again.path(), m_copy);
        QCOMPARE(again.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
        QCOMPARE(again.GetValue("Setup", "Field1"), QStringLiteral("130 - 160MHz|136 - 174MHz"));
        again.SetValue("Setup", "Language", "English");
        again.Save(false);
        // Back to the installed value: nothing of the user's is left to keep.
        QCOMPARE(ReadAll(m_copy), QByteArray());
        QCOMPARE(ReadAll(installedIni()), kInstalledIni);
    }

    void installedProgramKeepsOnlyTheUserChanges_data()
    {
        QTest::addColumn<QByteArray>("copy"); // the user's file before; null: none
        QTest::addColumn<QStringList>("change"); // section, key, value
        QTest::addColumn<QByteArray>("expected"); // the user's file after the save
        const QStringList chinese { "Setup", "Language", "Chinese" };
        QTest::newRow("first change")
            << QByteArray() << chinese << QByteArray("[Setup]\r\nLanguage=Chinese\r\n");
        // A full copy an older version made is cut down to what differs.
        QByteArray full = kInstalledIni;
        full.replace("Company=Test Company", "Company=My Shop");
        QTest::newRow("old full copy reduced")
            << full << chinese
            << QByteArray("[Setup]\r\nLanguage=Chinese\r\n[English]\r\nCompany=My Shop\r\n");
        QTest::newRow("new section") << QByteArray("[Setup]\nLanguage=Chinese\n")
                                     << QStringList { "Ports", "COM1", "/dev/ttyACM0" }
                                     << QByteArray("[Setup]\r\nLanguage=Chinese\r\n"
                                                   "[Ports]\r\nCOM1=/dev/ttyACM0\r\n");
    }

    void installedProgramKeepsOnlyTheUserChanges()
    {
        QFETCH(QByteArray, copy);
        QFETCH(QStringList, change);
        QFETCH(QByteArray, expected);
        // The installation stays writable (as for root): being installed is what counts.
        SetRunningInstalled(true);
        if (!copy.isNull()) {
            QVERIFY(QDir().mkpath(QFileInfo(m_copy).absolutePath()));
            WriteAll(m_copy, copy);
        }
        {
            CIniFile ini;
            QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), true, true, false), 1);
            QVERIFY(ini.writesUserDifferences());
            ini.SetValue(change.at(0), change.at(1), change.at(2));
            // Saved when the object ends, as at the end of a run.
        }
        QCOMPARE(ReadAll(installedIni()), kInstalledIni);
        QCOMPARE(ReadAll(m_copy), expected);
    }

    void installedUpdateReachesTheUser()
    {
        SetRunningInstalled(true);
        QVERIFY(QDir().mkpath(QFileInfo(m_copy).absolutePath()));
        WriteAll(m_copy, "[Setup]\r\nLanguage=Chinese\r\n");
        // The package is updated: a new radio type and a new company text.
        QByteArray updated = kInstalledIni;
        updated.replace("Company=Test Company", "Company=Test Company 2");
        updated.replace("[English]", "Type2=RP-99\r\nField2=400 - 470MHz\r\n[English]");
        WriteAll(installedIni(), updated);
        CIniFile ini;
        QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false), 1);
        QCOMPARE(ini.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
        QCOMPARE(ini.GetValue("Setup", "Type2"), QStringLiteral("RP-99"));
        QCOMPARE(ini.GetValue("English", "Company"), QStringLiteral("Test Company 2"));
    }

    void bothPlacesReadOnlyTellTheMount()
    {
        // The user's configuration folder on a read-only file system, its radioprog
        // folder not made yet: the reason is the mount, not a missing file.
        testing::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        QVERIFY(disk.setReadOnly(true));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(disk.path()));
        SetRunningInstalled(true);
        makeInstallationReadOnly();
        CIniFile ini;
        QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false), 1);
        ini.SetValue("Setup", "Language", "Chinese");
        bool ok = true;
        ini.Save(false, &ok);
        QVERIFY(!ok);
        QVERIFY2(ini.errorString().contains(QStringLiteral("Read-only file system")),
            qPrintable(ini.errorString()));
        QCOMPARE(ReadAll(installedIni()), kInstalledIni);
    }

    void handWrittenCopyAddsToTheInstallation_data()
    {
        QTest::addColumn<QByteArray>("copy");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray ports = "[ports]\nCOM1 = /dev/ttyACM0\n";
        QTest::newRow("port from the copy") << ports << "Ports"
                                            << "com1"
                                            << "/dev/ttyACM0";
        QTest::newRow("types stay installed") << ports << "Setup"
                                              << "Type1"
                                              << "ZL-260";
        QTest::newRow("language stays installed") << ports << "Setup"
                                                  << "Language"
                                                  << "English";
        QTest::newRow("copy wins") << QByteArray("[Setup]\nType1=ZL-300\n") << "Setup"
                                   << "Type1"
                                   << "ZL-300";
        QTest::newRow("empty copy") << QByteArray() << "English"
                                    << "Company"
                                    << "Test Company";
        // Not UTF-8: read as GB18030, as the INI class reads every file.
        QTest::newRow("GB18030 copy")
            << QByteArray("[English]\nCompany=\xD6\xD0\xCE\xC4\n") << "English"
            << "Company" << QString::fromUtf8("中文");
    }

    void handWrittenCopyAddsToTheInstallation()
    {
        QFETCH(QByteArray, copy);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QVERIFY(QDir().mkpath(QFileInfo(m_copy).absolutePath()));
        WriteAll(m_copy, copy);
        makeInstallationReadOnly();
        CIniFile ini;
        QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false), 1);
        QCOMPARE(ini.GetValue(section, key), expected);
        QVERIFY(!ini.isModified());
        QCOMPARE(ReadAll(m_copy), copy); // reading never rewrites
    }

    void copyThatCannotBeMadeLeavesEverything()
    {
        // $XDG_CONFIG_HOME is a file: no folder for the copy can be made there.
        WriteAll(m_dir->filePath(QStringLiteral("config")), "not a folder");
        makeInstallationReadOnly();
        CIniFile ini;
        QCOMPARE(ini.OpenInExeDir(QStringLiteral("Program.ini"), false, true, false), 1);
        ini.SetValue("Setup", "Language", "Chinese");
        QVERIFY(ini.Save(false).isEmpty());
        QCOMPARE(ReadAll(installedIni()), kInstalledIni);
        QCOMPARE(ReadAll(m_dir->filePath(QStringLiteral("config"))), QByteArray("not a folder"));
        // What was chosen is still there for a later save.
        QCOMPARE(ini.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
    }
};

int main(int argc, char **argv)
{
    // Before any thread exists (unshare refuses a process with threads).
    if (geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0)
        s_privateMounts = ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QCoreApplication app(argc, argv);
    TestInstallationPlace test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_installation_place.moc"
