// SPDX-License-Identifier: GPL-3.0-or-later
// The backups folder: where it is, names that never collide, failures that
// leave nothing behind, the list the Backups window shows, and that nothing
// else is ever written there.
#include "core/app/Globals.h"
#include "core/document/BackupGuard.h"
#include "core/document/BackupStore.h"
#include "core/document/FileWrite.h"
#include "core/document/ProgramDoc.h"
#include "core/image/SettingsArea.h"
#include "core/settings/IniFile.h"

#include "tests/common/TestFiles.h"
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

#include <QtTest>

namespace {

MemoryImage OfType(int type, std::uint8_t mark)
{
    MemoryImage image = MemoryImage::defaults();
    WriteField(image, Field::ProductType, type);
    image[0x100] = mark;
    return image;
}

/// Mounts a tmpfs of sizeKb at dir with extra options; false when this machine does not allow it.
bool MountTmpfs(const QString &dir, const QString &options)
{
    return QProcess::execute(QStringLiteral("mount"),
               { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                   QStringLiteral("tmpfs"), dir })
        == 0;
}

void Unmount(const QString &dir)
{
    QProcess::execute(QStringLiteral("umount"), { dir });
}

} // namespace

class TestBackupStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QDateTime m_when { QDate(2026, 3, 14), QTime(9, 26, 53) };

private slots:
    void initTestCase()
    {
        const QString ini = m_dir.filePath(QStringLiteral("Program.ini"));
        testing::WriteAll(
            ini, "[Setup]\r\nAppName=Test Radio\r\nType1=ZL-260\r\nType2=RP/16 V\r\n");
        QCOMPARE(theIniFile.Open(ini, false, true, false), 1);
    }
    void cleanupTestCase() { theIniFile.Close(); }

    void folderFollowsXdgDataHome()
    {
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        QCOMPARE(DefaultBackupFolder(), m_dir.filePath(QStringLiteral("data/Test_Radio/backups")));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(DefaultBackupFolder(),
            QDir::homePath() + QStringLiteral("/.local/share/Test_Radio/backups"));
        if (!old.isEmpty())
            qputenv("XDG_DATA_HOME", old);
    }

    void names_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("attempt");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "ZL-260" << 0 << "2026-03-14_09-26-53_ZL-260.dat";
        QTest::newRow("second in the same second")
            << "ZL-260" << 1 << "2026-03-14_09-26-53_ZL-260-2.dat";
        QTest::newRow("unknown type") << "" << 0 << "2026-03-14_09-26-53.dat";
        QTest::newRow("type with path characters")
            << "../RP/16 V" << 0 << "2026-03-14_09-26-53__RP_16_V.dat";
    }
    void names()
    {
        QFETCH(QString, type);
        QFETCH(int, attempt);
        QFETCH(QString, name);
        QCOMPARE(BackupFileName(m_when, type, attempt), name);
    }

    void savesNeverOverwrite()
    {
        const QString folder = m_dir.filePath(QStringLiteral("new/deeper/backups"));
        QStringList paths;
        for (std::uint8_t mark : { 1, 2, 3 }) {
            QString path;
            QString error;
            QVERIFY2(SaveBackup(folder, OfType(1, mark), m_when, &path, &error), qPrintable(error));
            paths << path;
            QCOMPARE(testing::ReadAll(path), OfType(1, mark).toByteArray());
        }
        QCOMPARE(
            QFileInfo(paths.at(0)).fileName(), QStringLiteral("2026-03-14_09-26-53_RP_16_V.dat"));
        QCOMPARE(
            QFileInfo(paths.at(2)).fileName(), QStringLiteral("2026-03-14_09-26-53_RP_16_V-3.dat"));
        // The first backup still holds what it was given.
        QCOMPARE(testing::ReadAll(paths.at(0)).at(0x100), char(1));
        // No temporary file is left beside them.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void failuresLeaveNothing_data()
    {
        QTest::addColumn<QString>("mountOptions");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << "size=4k"
                                   << "No space left on device";
        QTest::newRow("read-only folder") << "ro,size=64k"
                                          << "Read-only file system";
    }
    void failuresLeaveNothing()
    {
        QFETCH(QString, mountOptions);
        QFETCH(QString, reason);
        const QString folder
            = m_dir.filePath(QStringLiteral("mnt-%1").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(folder));
        if (!MountTmpfs(folder, mountOptions))
            QSKIP("this machine does not let the test mount a small file system");
        if (mountOptions.startsWith(QLatin1String("size="))) {
            // Fill it up: the 1024-byte image then has no room.
            QFile filler(folder + QStringLiteral("/filler"));
            filler.open(QIODevice::WriteOnly);
            const QByteArray chunk(512, 'x');
            while (filler.write(chunk) == chunk.size() && filler.flush()) { }
            filler.close();
        }
        QString path;
        QString error;
        const bool saved = SaveBackup(folder, OfType(0, 7), m_when, &path, &error);
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        Unmount(folder);
        QVERIFY(!saved);
        QVERIFY2(error.contains(reason), qPrintable(error));
        // Named as the user will look for it, not as the hidden file on the way.
        QVERIFY2(error.contains(QStringLiteral("2026-03-14_09-26-53_ZL-260.dat"))
                && !error.contains(QStringLiteral("/.")),
            qPrintable(error));
        QVERIFY(path.isEmpty());
        QVERIFY2(left.isEmpty() || left == QStringList { QStringLiteral("filler") },
            qPrintable(left.join(QLatin1Char(' '))));
    }

    // On a full disk no way of writing a file may report success, and an old
    // file stays as it was.
    void fullDiskNeverReportsSuccess_data()
    {
        QTest::addColumn<int>("writer");
        QTest::newRow("file-write helper") << 0;
        QTest::newRow("document save") << 1;
    }
    void fullDiskNeverReportsSuccess()
    {
        QFETCH(int, writer);
        const QString folder = m_dir.filePath(QStringLiteral("full-%1").arg(writer));
        QVERIFY(QDir().mkpath(folder));
        if (!MountTmpfs(folder, QStringLiteral("size=8k")))
            QSKIP("this machine does not let the test mount a small file system");
        const QString old = folder + QStringLiteral("/radio.dat");
        testing::WriteAll(old, OfType(0, 1).toByteArray());
        QFile filler(folder + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(512, 'x')) == 512) { }
        filler.close();
        QString error;
        bool written = false;
        if (writer == 0) {
            written = filewrite::WriteWholeFile(old, OfType(0, 2).toByteArray(), &error);
        } else {
            CProgramDoc doc;
            doc.m_image = OfType(0, 2);
            written = doc.OnSaveDocument(old, &error);
        }
        const QByteArray after = testing::ReadAll(old);
        Unmount(folder);
        QVERIFY(!written);
        QVERIFY2(error.contains(QStringLiteral("No space left on device")), qPrintable(error));
        QCOMPARE(after, OfType(0, 1).toByteArray());
    }

    void folderThatIsAFile()
    {
        const QString file = m_dir.filePath(QStringLiteral("not-a-folder"));
        testing::WriteAll(file, "x");
        QString error;
        QVERIFY(
            !SaveBackup(file + QStringLiteral("/backups"), OfType(0, 1), m_when, nullptr, &error));
        QVERIFY2(error.contains(QStringLiteral("not-a-folder"))
                && error.contains(QStringLiteral("Not a directory")),
            qPrintable(error));
    }

    void listNewestFirst()
    {
        const QString folder = m_dir.filePath(QStringLiteral("list"));
        QVERIFY(SaveBackup(folder, OfType(0, 1), m_when, nullptr, nullptr));
        QVERIFY(SaveBackup(folder, OfType(1, 2), m_when.addDays(1), nullptr, nullptr));
        QVERIFY(SaveBackup(folder, OfType(5, 3), m_when.addSecs(-60), nullptr, nullptr));
        // Not backups: a short file and a file of another kind.
        testing::WriteAll(folder + QStringLiteral("/short.dat"), QByteArray(100, '\0'));
        testing::WriteAll(folder + QStringLiteral("/notes.txt"), QByteArray(2000, 'x'));
        testing::WriteAll(folder + QStringLiteral("/long.dat"), OfType(0, 5).toByteArray() + "x");
        // A .dat the user copied in under a name of their own: dated by the file.
        testing::WriteAll(folder + QStringLiteral("/mine.dat"), OfType(0, 4).toByteArray());

        const QList<BackupEntry> list = ListBackups(folder);
        QCOMPARE(list.size(), 4);
        QCOMPARE(QFileInfo(list.at(0).path).fileName(), QStringLiteral("mine.dat"));
        QCOMPARE(list.at(1).when, m_when.addDays(1));
        QCOMPARE(list.at(1).radioType, QStringLiteral("RP/16 V"));
        QCOMPARE(list.at(2).when, m_when);
        QCOMPARE(list.at(2).radioType, QStringLiteral("ZL-260"));
        QCOMPARE(list.at(3).radioType, QString());
        QVERIFY(ListBackups(m_dir.filePath(QStringLiteral("missing"))).isEmpty());
    }

    // No way of naming a file in the backups folder gets past the guard; a folder that
    // only begins with the same name is another folder.
    void backupsFolderIsNeverWritten_data()
    {
        QTest::addColumn<QString>("target"); // BACKUP: the backup's name; BK: its folder
        QTest::addColumn<bool>("refused");
        QTest::newRow("the backup itself") << "BK/BACKUP" << true;
        QTest::newRow("a new file there") << "BK/new.dat" << true;
        QTest::newRow("through ..") << "other/../BK/new.dat" << true;
        QTest::newRow("through a linked folder") << "to-backups/BACKUP" << true;
        QTest::newRow("a link to the backup") << "to-backup.dat" << true;
        QTest::newRow("a hard link to the backup") << "hard.dat" << true;
        QTest::newRow("a folder named alike") << "BK-old/x.dat" << false;
    }
    void backupsFolderIsNeverWritten()
    {
        QFETCH(QString, target);
        QFETCH(bool, refused);
        QTemporaryDir root;
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("data"))));
        const QString folder = DefaultBackupFolder();
        QString backup;
        QVERIFY(SaveBackup(folder, OfType(0, 1), m_when, &backup, nullptr));
        const QByteArray kept = testing::ReadAll(backup);
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("other"))));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("-old")));
        QVERIFY(QFile::link(folder, root.filePath(QStringLiteral("to-backups"))));
        QVERIFY(QFile::link(backup, root.filePath(QStringLiteral("to-backup.dat"))));
        QCOMPARE(::link(QFile::encodeName(backup).constData(),
                     QFile::encodeName(root.filePath(QStringLiteral("hard.dat"))).constData()),
            0);
        const QString relativeFolder = QDir(root.path()).relativeFilePath(folder);
        target.replace(QStringLiteral("BACKUP"), QFileInfo(backup).fileName());
        target.replace(QStringLiteral("BK"), relativeFolder);
        const QString path = root.filePath(target);

        QString reason;
        QCOMPARE(filewrite::WriteWholeFile(path, QByteArray(1024, '\x22'), &reason), !refused);
        QCOMPARE(filewrite::CheckWritable(path, 1024, &reason), !refused);
        CProgramDoc doc;
        doc.OnNewDocument();
        QString error;
        QCOMPARE(doc.OnSaveDocument(path, &error), !refused);
        if (refused) {
            QCOMPARE(reason, backupguard::Reason());
            QVERIFY2(error.contains(QStringLiteral("backups folder")), qPrintable(error));
            QVERIFY(!target.endsWith(QStringLiteral("new.dat")) || !QFile::exists(path));
        }
        QCOMPARE(testing::ReadAll(backup), kept);
        qputenv("XDG_DATA_HOME", old);
    }

    // A backup opens as an untitled copy named by its date and radio type, so Save asks
    // for a new name; the same bytes elsewhere open as their file.
    void backupOpensAsUntitledCopy_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<bool>("inBackups");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << false << true << "Backup of 2026-03-14 09:26 (ZL-260)";
        QTest::newRow("Chinese") << true << true << "2026-03-14 09:26 的备份（ZL-260）";
        QTest::newRow("a copy elsewhere") << false << false << "2026-03-14_09-26-53_ZL-260.dat";
    }
    void backupOpensAsUntitledCopy()
    {
        QFETCH(bool, chinese);
        QFETCH(bool, inBackups);
        QFETCH(QString, title);
        QTemporaryDir root;
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("data"))));
        QString path;
        QVERIFY(SaveBackup(
            inBackups ? DefaultBackupFolder() : root.path(), OfType(0, 1), m_when, &path, nullptr));
        g_bChinese = chinese;
        CProgramDoc doc;
        QString error;
        QVERIFY2(doc.OnOpenDocument(path, &error), qPrintable(error));
        g_bChinese = false;
        QCOMPARE(doc.title(), title);
        QCOMPARE(doc.isBackupCopy(), inBackups);
        QCOMPARE(doc.pathName().isEmpty(), inBackups);
        // Saved under a new name, it is that file from then on.
        const QString copy = root.filePath(QStringLiteral("copy.dat"));
        QVERIFY2(doc.OnSaveDocument(copy, &error), qPrintable(error));
        QVERIFY(!doc.isBackupCopy());
        QCOMPARE(doc.pathName(), copy);
        qputenv("XDG_DATA_HOME", old);
    }
};

QTEST_GUILESS_MAIN(TestBackupStore)
#include "tst_backupstore.moc"
