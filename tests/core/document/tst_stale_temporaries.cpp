// SPDX-License-Identifier: GPL-3.0-or-later
// A write cleans up the temporary files a killed run of this program left in its
// folder, and nothing else: not a fresh one, not one still open, not the user's.
#include "core/document/FileWrite.h"
#include "core/document/StaleTemporaries.h"

#include "tests/common/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QtTest>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

class TestStaleTemporaries : public QObject
{
    Q_OBJECT

private slots:
    void nextWriteRemovesOnlyStaleOwnFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<QString>("kind"); // file, held (open in this process), link, folder
        QTest::addColumn<bool>("removed");
        const int old = 3600;
        QTest::newRow("left by a killed write")
            << ".radio.dat.radioprog-Ab12Cd" << old << "file" << true;
        QTest::newRow("left by a killed backup")
            << ".backup.radioprog-0012345" << old << "file" << true;
        QTest::newRow("being written now") << ".radio.dat.radioprog-Ab12Cd" << 5 << "file" << false;
        QTest::newRow("still open") << ".radio.dat.radioprog-Ab12Cd" << old << "held" << false;
        QTest::newRow("another program's") << ".radio.dat.Ab12Cd" << old << "file" << false;
        QTest::newRow("not hidden") << "radio.dat.radioprog-Ab12Cd" << old << "file" << false;
        QTest::newRow("a link") << ".radio.dat.radioprog-Ab12Cd" << old << "link" << false;
        QTest::newRow("a folder") << ".radio.dat.radioprog-Ab12Cd" << old << "folder" << false;
    }

    void nextWriteRemovesOnlyStaleOwnFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, ageSeconds);
        QFETCH(QString, kind);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QString target = dir.filePath(QStringLiteral("target"));
        testing::WriteAll(target, "the user's own");
        QFile held(path);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == QLatin1String("link")) {
            QVERIFY(QFile::link(target, path));
        } else {
            testing::WriteAll(path, "half a write");
            if (kind == QLatin1String("held"))
                QVERIFY(held.open(QIODevice::ReadOnly));
        }
        // Aged as a file a run killed that long ago would be (the link itself, not its target).
        const timespec then { ::time(nullptr) - ageSeconds, 0 };
        const timespec times[2] = { then, then };
        QCOMPARE(
            ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW),
            0);
        // The next write into the folder, as a save or a backup does.
        QString reason;
        QVERIFY2(filewrite::WriteWholeFile(
                     dir.filePath(QStringLiteral("radio.dat")), QByteArray(1024, '\0'), &reason),
            qPrintable(reason));
        QCOMPARE(!QFileInfo(path).exists() && !QFileInfo(path).isSymLink(), removed);
        QCOMPARE(testing::ReadAll(target), QByteArray("the user's own"));
        // The write itself leaves no temporary file of its own.
        const QStringList hidden = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString &entry : hidden)
            QVERIFY2(entry == name || !filewrite::IsOwnTemporaryName(entry), qPrintable(entry));
    }
};

QTEST_GUILESS_MAIN(TestStaleTemporaries)
#include "tst_stale_temporaries.moc"
