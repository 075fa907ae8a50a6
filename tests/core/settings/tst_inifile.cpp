// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader/writer: reading rules, value cuts, writing back, backups, encodings.
#include "core/app/Globals.h"
#include "core/document/FileWrite.h"
#include "core/settings/IniFile.h"
#include "core/settings/IniText.h"

#include "tests/common/TestFiles.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <QtTest>
#include <memory>
#include <unistd.h>

namespace {

using testing::ReadAll;
using testing::WriteAll;

QString Fixture(const char *name)
{
    return QStringLiteral(RADIOPROG_TEST_DATA "/") + name;
}

// Sets the modification time well into the past, so any rewrite shows.
void AgeFile(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(
        f.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
}

QDateTime ModTime(const QString &path)
{
    return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString CopyFixture(const char *name, const QString &as = QStringLiteral("Program.ini"))
    {
        const QString dst = m_dir.filePath(as);
        QFile::remove(dst);
        QFile::copy(Fixture(name), dst);
        QFile(dst).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return dst;
    }

private slots:
    void init()
    {
        // Each case starts in an empty folder.
        QDir dir(m_dir.path());
        for (const QString &e : dir.entryList(QDir::Files | QDir::Hidden))
            dir.remove(e);
    }

    void getValue_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        // "<def>" is the default passed in: the key must not be found.
        QTest::newRow("key before any header") << ""
                                               << "Top"
                                               << "first";
        QTest::newRow("key line without =") << ""
                                            << "Lonely"
                                            << "";
        QTest::newRow("inline // cut, blank kept") << "Setup"
                                                   << "Language"
                                                   << "English ";
        QTest::newRow("case-blind names") << "sETUP"
                                          << "language"
                                          << "English ";
        QTest::newRow("last duplicate wins") << "Setup"
                                             << "Dup"
                                             << "two";
        QTest::newRow("tab semicolon cut") << "Setup"
                                           << "Tab"
                                           << "Value";
        QTest::newRow("blank semicolon kept") << "Setup"
                                              << "Space"
                                              << "Value ; note";
        QTest::newRow("block comment cut") << "Setup"
                                           << "Block"
                                           << "Value ";
        QTest::newRow("no = inside section") << "Setup"
                                             << "NoEq"
                                             << "";
        QTest::newRow("comment line ; dropped") << "Setup"
                                                << "; old"
                                                << "<def>";
        QTest::newRow("backslash key is a comment") << "Setup"
                                                    << "\\back"
                                                    << "<def>";
        QTest::newRow("star key is a comment") << "Setup"
                                               << "*star"
                                               << "<def>";
        QTest::newRow("line starting = dropped") << "Setup"
                                                 << ""
                                                 << "<def>";
        QTest::newRow("blanks inside brackets") << " Setup "
                                                << "Other"
                                                << "in spaced";
        QTest::newRow("spaced section is another") << "Setup"
                                                   << "Other"
                                                   << "<def>";
        QTest::newRow("second [Setup] not searched") << "Setup"
                                                     << "Late"
                                                     << "<def>";
        QTest::newRow("chinese names") << "中文"
                                       << "名称"
                                       << "值";
        QTest::newRow("missing section") << "Nowhere"
                                         << "Top"
                                         << "<def>";
        QTest::newRow("section 0 has no name") << "Setup"
                                               << "Top"
                                               << "<def>";
    }
    void getValue()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        CIniFile ini;
        QCOMPARE(ini.Open(Fixture("ini-edge.ini"), false, true, false), 1);
        QCOMPARE(ini.GetValue(section, key, QStringLiteral("<def>")), expected);
    }

    void caseSensitiveMode()
    {
        CIniFile ini;
        QCOMPARE(ini.Open(Fixture("ini-edge.ini"), false, false, false), 1);
        QCOMPARE(ini.GetValue("Setup", "Dup", "<def>"), QStringLiteral("two"));
        QCOMPARE(ini.GetValue("setup", "Dup", "<def>"), QStringLiteral("<def>"));
        QCOMPARE(ini.GetValue("Setup", "DUP", "<def>"), QStringLiteral("<def>"));
        QCOMPARE(ini.FindSection("Setup"), 1);
        QCOMPARE(ini.FindKey(1, "Dup"), 2);
        QCOMPARE(ini.FindKey(7, "Dup"), -1);
    }

    void writeBackLayout()
    {
        const QString path = CopyFixture("ini-edge.ini");
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        ini.SetValue("Setup", "Dup", "three");
        QCOMPARE(ini.GetValue("Setup", "Dup"), QStringLiteral("three"));
        ini.Save(false);
        const QByteArray expected = QStringLiteral("Top=first\r\n"
                                                   "Lonely=\r\n"
                                                   "[Setup]\r\n"
                                                   "Language=English // note\r\n"
                                                   "Dup=one\r\n"
                                                   "Dup=three\r\n"
                                                   "Tab=Value\t; note\r\n"
                                                   "Space=Value ; note\r\n"
                                                   "Block=Value /* c */\r\n"
                                                   "NoEq=\r\n"
                                                   "[ Setup ]\r\n"
                                                   "Other=in spaced\r\n"
                                                   "[Setup]\r\n"
                                                   "Late=not found\r\n"
                                                   "[中文]\r\n"
                                                   "名称=值\r\n")
                                        .toUtf8();
        QCOMPARE(ReadAll(path), expected);
    }

    void setValueAddsSectionsAndKeys()
    {
        const QString path = m_dir.filePath("Program.ini");
        WriteAll(path, "[Setup]\r\nLanguage=English\r\n");
        {
            CIniFile ini(1); // grows one slot at a time
            QCOMPARE(ini.Open(path, true, true, false), 1);
            for (int n = 1; n <= 9; ++n)
                ini.SetValue(QStringLiteral("S%1").arg(n), "K", QString::number(n));
            ini.SetValue("setup", "AppName", "Radio");
            QVERIFY(ini.isModified());
            QCOMPARE(ini.GetValue("S9", "K"), QStringLiteral("9"));
        } // auto-save on destruction
        QByteArray expected = "[Setup]\r\nLanguage=English\r\nAppName=Radio\r\n";
        for (int n = 1; n <= 9; ++n)
            expected += QStringLiteral("[S%1]\r\nK=%1\r\n").arg(n).toUtf8();
        QCOMPARE(ReadAll(path), expected);
    }

    void closedObjectIgnoresSetValue()
    {
        CIniFile ini;
        ini.SetValue("Setup", "Language", "Chinese");
        QVERIFY(!ini.isModified());
        QCOMPARE(ini.GetValue("Setup", "Language", "x"), QStringLiteral("x"));
        QCOMPARE(ini.Save(false), QString());
        QVERIFY(ini.path().isEmpty());
    }

    void rewriteOnlyOnChange_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // "<none>": no SetValue at all
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("nothing set") << "Language"
                                     << "<none>" << false;
        QTest::newRow("same value") << "Language"
                                    << "English" << false;
        QTest::newRow("case-only change") << "Language"
                                          << "ENGLISH" << false;
        QTest::newRow("key in other case") << "LANGUAGE"
                                           << "english" << false;
        QTest::newRow("real change") << "Language"
                                     << "Chinese" << true;
        QTest::newRow("new key") << "ShowLang"
                                 << "1" << true;
    }
    void rewriteOnlyOnChange()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, rewritten);
        const QString path = m_dir.filePath("Program.ini");
        const QByteArray original = "; installation file\n[Setup]\nLanguage = English\n";
        WriteAll(path, original);
        AgeFile(path);
        const QDateTime before = ModTime(path);
        {
            CIniFile ini;
            QCOMPARE(ini.Open(path, true, true, false), 1);
            if (value != "<none>") {
                ini.SetValue("Setup", key, value);
                // The new text is kept in memory even when it does not count as a change.
                QCOMPARE(ini.GetValue("Setup", key), value);
            }
            QCOMPARE(ini.isModified(), rewritten);
        }
        QCOMPARE(ReadAll(path) != original, rewritten);
        QCOMPARE(ModTime(path) != before, rewritten);
    }

    void missingFileIsCreatedEmpty()
    {
        const QString path = m_dir.filePath("Program.ini");
        CIniFile ini;
        QCOMPARE(ini.Open(path, true, true, false), 1);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
        QCOMPARE(ini.GetValue("Setup", "Language"), QString());
    }

    void unopenablePathFails_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("a folder") << "folder";
        QTest::newRow("missing parent folder") << "nofolder/Program.ini";
    }
    void unopenablePathFails()
    {
        QFETCH(QString, relative);
        QDir(m_dir.path()).mkdir("folder");
        CIniFile ini;
        QCOMPARE(ini.Open(m_dir.filePath(relative), true, true, false), 0);
        QVERIFY(ini.path().isEmpty());
        ini.SetValue("Setup", "Language", "Chinese");
        QVERIFY(!ini.isModified());
        QDir(m_dir.path()).rmdir("folder");
    }

    void reopenSavesThePreviousFile()
    {
        const QString first = m_dir.filePath("a.ini");
        const QString second = m_dir.filePath("b.ini");
        WriteAll(first, "[Setup]\nLanguage=English\n");
        WriteAll(second, "[Setup]\nLanguage=Chinese\n");
        CIniFile ini;
        QCOMPARE(ini.Open(first, false, true, false), 1);
        ini.SetValue("Setup", "Language", "Korean");
        QCOMPARE(ini.Open(second, false, true, false), 1);
        QCOMPARE(ReadAll(first), QByteArray("[Setup]\r\nLanguage=Korean\r\n"));
        QCOMPARE(ini.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
        QVERIFY(!ini.isModified());
    }

    void openInExeDirUsesAppDir()
    {
        WriteAll(m_dir.filePath("Program.ini"), "[Setup]\nAppName=Here\n");
        const QString saved = g_strAppDir;
        g_strAppDir = m_dir.path() + QLatin1Char('/');
        CIniFile ini;
        const int opened = ini.OpenInExeDir("Program.ini", false, true, false);
        g_strAppDir = saved;
        QCOMPARE(opened, 1);
        QCOMPARE(QFileInfo(ini.path()).canonicalFilePath(),
            QFileInfo(m_dir.filePath("Program.ini")).canonicalFilePath());
        QCOMPARE(ini.GetValue("Setup", "AppName"), QStringLiteral("Here"));
    }

    void openInExeDirFallsBackToInvocationPath()
    {
        const QString saved = g_strAppDir;
        g_strAppDir.clear();
        CIniFile ini;
        const int opened = ini.OpenInExeDir("tst_inifile-probe.ini", false, true, false);
        g_strAppDir = saved;
        const QString path = ini.path();
        ini.Close();
        QFile::remove(path);
        QCOMPARE(opened, 1);
        const QString argv0 = QCoreApplication::arguments().at(0);
        const QString expectedDir = argv0.contains(QLatin1Char('/'))
            ? QFileInfo(argv0).absolutePath()
            : QDir::currentPath();
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(expectedDir).absoluteFilePath());
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("tst_inifile-probe.ini"));
    }

    void backupName_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first backup") << QStringList {} << "Program.ini.001";
        QTest::newRow("after 007") << QStringList { "Program.ini.007" } << "Program.ini.008";
        QTest::newRow("largest wins")
            << QStringList { "Program.ini.012", "Program.ini.003" } << "Program.ini.013";
        QTest::newRow("other stem ignored") << QStringList { "Other.ini.009" } << "Program.ini.001";
        QTest::newRow("same stem other ext") << QStringList { "Program.005" } << "Program.ini.006";
        QTest::newRow("no digits count 0")
            << QStringList { "Program.ini.abc" } << "Program.ini.001";
        QTest::newRow("digits not leading")
            << QStringList { "Program.ini.x5" } << "Program.ini.001";
    }
    void backupName()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        const QString path = m_dir.filePath("Program.ini");
        const QByteArray original = "[Setup]\nLanguage=English\n";
        WriteAll(path, original);
        for (const QString &name : existing)
            WriteAll(m_dir.filePath(name), "old");
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, true), 1);
        ini.SetValue("Setup", "Language", "Chinese");
        QCOMPARE(ini.Save(true), m_dir.filePath(expected));
        QCOMPARE(ReadAll(m_dir.filePath(expected)), original);
        QCOMPARE(ReadAll(path), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
        // The name found first is reused by the next backup.
        ini.SetValue("Setup", "Language", "English");
        QCOMPARE(ini.Save(true), m_dir.filePath(expected));
        QCOMPARE(ReadAll(m_dir.filePath(expected)), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
    }

    void autoSaveWithBackup()
    {
        const QString path = m_dir.filePath("Program.ini");
        WriteAll(path, "[Setup]\nLanguage=English\n");
        {
            CIniFile ini;
            QCOMPARE(ini.Open(path, true, true, true), 1);
            ini.SetValue("Setup", "Language", "Chinese");
        }
        QCOMPARE(
            ReadAll(m_dir.filePath("Program.ini.001")), QByteArray("[Setup]\nLanguage=English\n"));
        QCOMPARE(ReadAll(path), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
    }

    void gb18030RoundTrip()
    {
        const QString path = CopyFixture("ini-gb18030.ini");
        const QByteArray original = ReadAll(path);
        QVERIFY(!original.isEmpty());
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        QCOMPARE(ini.GetValue("Chinese", "Company"), QStringLiteral("写频软件"));
        QCOMPARE(ini.GetValue("Chinese", "AppName"), QStringLiteral("16信道对讲机写频软件"));
        // Change and restore, so the file is written with the same content.
        ini.SetValue("Setup", "Language", "English");
        ini.SetValue("Setup", "Language", "Chinese");
        QVERIFY(ini.isModified());
        ini.Save(false);
        QCOMPARE(ReadAll(path), original);

        // A new Chinese value goes out in GB18030 too, and reads back the same.
        ini.SetValue("Chinese", "Version", "版本 2.0");
        ini.Save(false);
        QVERIFY(ReadAll(path).endsWith(initext::EncodeGb18030("Version=版本 2.0\r\n")));
        CIniFile again;
        QCOMPARE(again.Open(path, false, true, false), 1);
        QCOMPARE(again.GetValue("chinese", "version"), QStringLiteral("版本 2.0"));
    }

    // A GB18030 file whose only bytes that are not UTF-8 sit in a comment: after a
    // save without the comment, its Chinese text must still be read as GB18030,
    // also where it forms valid UTF-8 or begins with the bytes of a UTF-8 mark.
    void gb18030FileNeverTurnsIntoUtf8_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("saved");
        // "目" is C4 BF, valid UTF-8.
        QTest::newRow("valid UTF-8")
            << QStringLiteral(";编码\r\n[Chinese]\r\nItem=目\r\n") << "Chinese"
            << "Item" << QStringLiteral("目") << QStringLiteral("[Chinese]\r\nItem=目\r\n");
        // "锘" is EF BB and "旷" BF F5: the file would begin with a UTF-8 mark.
        QTest::newRow("mark bytes")
            << QStringLiteral(";编码\r\n锘旷=1\r\n") << QString() << QStringLiteral("锘旷")
            << QStringLiteral("1") << QStringLiteral("锘旷=1\r\n");
    }
    void gb18030FileNeverTurnsIntoUtf8()
    {
        QFETCH(QString, text);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, saved);
        const QString path = m_dir.filePath("Program.ini");
        WriteAll(path, initext::EncodeGb18030(text));
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        QCOMPARE(ini.GetValue(section, key), value);
        ini.SetValue("Setup", "Language", "English");
        ini.Save(false);
        CIniFile again;
        QCOMPARE(again.Open(path, false, true, false), 1);
        QCOMPARE(again.GetValue(section, key), value);
        QCOMPARE(again.GetValue("Setup", "Language"), QStringLiteral("English"));
        // Saved again, the file keeps one marker line, not a growing pile.
        again.SetValue("Setup", "Language", "Chinese");
        again.Save(false);
        QCOMPARE(ReadAll(path),
            initext::EncodeGb18030(QStringLiteral("; 编码 GB18030\r\n") + saved
                + QStringLiteral("[Setup]\r\nLanguage=Chinese\r\n")));
    }

    // "[]" in the middle of the file is a section of its own, before and after a save.
    void emptySectionNameKeepsItsKeysApart()
    {
        const QString path = m_dir.filePath("Program.ini");
        WriteAll(path, "[Setup]\r\n[]\r\nLanguage=English\r\n");
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        ini.SetValue("Setup", "Language", "Chinese");
        ini.Save(false);
        QCOMPARE(
            ReadAll(path), QByteArray("[Setup]\r\nLanguage=Chinese\r\n[]\r\nLanguage=English\r\n"));
        CIniFile again;
        QCOMPARE(again.Open(path, false, true, false), 1);
        QCOMPARE(again.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
    }

    // A key that begins with U+FEFF after blank lines must not lose it to the
    // byte order mark test when a save puts it at the start of the file.
    void leadingZeroWidthNoBreakSpaceKeepsItsKey()
    {
        const QString path = m_dir.filePath("Program.ini");
        WriteAll(path, QStringLiteral("\r\n\uFEFFKey=1\r\n").toUtf8());
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        QCOMPARE(ini.GetValue(QString(), QStringLiteral("\uFEFFKey")), QStringLiteral("1"));
        ini.SetValue("Setup", "Language", "English");
        ini.Save(false);
        CIniFile again;
        QCOMPARE(again.Open(path, false, true, false), 1);
        QCOMPARE(again.GetValue(QString(), QStringLiteral("\uFEFFKey")), QStringLiteral("1"));
        QCOMPARE(again.GetValue("Setup", "Language"), QStringLiteral("English"));
    }

    void utf8FileStaysUtf8()
    {
        const QString path = m_dir.filePath("Program.ini");
        const QByteArray bom = "\xEF\xBB\xBF";
        WriteAll(path, bom + QStringLiteral("[Chinese]\r\nCompany=写频软件\r\n").toUtf8());
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        QCOMPARE(ini.GetValue("Chinese", "Company"), QStringLiteral("写频软件"));
        ini.SetValue("Chinese", "Version", "版本");
        ini.Save(false);
        QCOMPARE(ReadAll(path),
            bom + QStringLiteral("[Chinese]\r\nCompany=写频软件\r\nVersion=版本\r\n").toUtf8());
    }

    void gb18030CodecsAgree_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << "Language=English";
        QTest::newRow("gb2312") << "信道信息 写频软件";
        QTest::newRow("outside gb2312") << "€ 𠀀 é";
    }
    void gb18030CodecsAgree()
    {
        // The iconv path stands in where Qt has no GB18030 codec; both must match.
        QFETCH(QString, text);
        const QByteArray viaQt = initext::EncodeGb18030(text);
        const QByteArray viaIconv = initext::EncodeGb18030WithIconv(text);
        QCOMPARE(viaIconv, viaQt);
        QCOMPARE(initext::DecodeGb18030WithIconv(viaQt), text);
        QCOMPARE(initext::DecodeGb18030(viaIconv), text);
    }

    void validUtf8Detection_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("ascii") << QByteArray("[Setup]\r\n") << true;
        QTest::newRow("utf-8 chinese") << QStringLiteral("信道").toUtf8() << true;
        QTest::newRow("gb2312 chinese") << initext::EncodeGb18030("信道") << false;
        QTest::newRow("cut sequence") << QByteArray("\xE4\xBF") << false;
    }
    void validUtf8Detection()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(initext::IsValidUtf8(bytes), valid);
    }

    void inPlaceRewriteCutsOldTail()
    {
        const QString path = m_dir.filePath("Program.ini");
        WriteAll(path, "[Setup]\r\nLanguage=English\r\nAppName=A rather long old name\r\n");
        QVERIFY(filewrite::RewriteInPlace(path, "[Setup]\r\nLanguage=Chinese\r\n"));
        QCOMPARE(ReadAll(path), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
        QVERIFY(!filewrite::RewriteInPlace(m_dir.filePath("missing/x.ini"), "x"));
    }

    void readOnlyFolderFallsBackInPlace()
    {
        if (geteuid() == 0)
            QSKIP("folder permissions do not bind the superuser");
        QTemporaryDir locked;
        const QString path = locked.filePath("Program.ini");
        WriteAll(path, "[Setup]\r\nLanguage=English\r\nAppName=A rather long old name\r\n");
        QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        {
            CIniFile ini;
            QCOMPARE(ini.Open(path, true, true, false), 1);
            ini.SetValue("Setup", "AppName", "Short");
        }
        QFile::setPermissions(locked.path(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(ReadAll(path), QByteArray("[Setup]\r\nLanguage=English\r\nAppName=Short\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
