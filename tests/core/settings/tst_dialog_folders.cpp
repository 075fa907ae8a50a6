// SPDX-License-Identifier: GPL-3.0-or-later
// Where the file dialogs start: the document's folder, the last folder of that kind,
// home; never the backups or the installation folder.
#include "core/app/Globals.h"
#include "core/document/BackupStore.h"
#include "core/settings/DialogFolders.h"
#include "core/settings/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestDialogFolders : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString path(const QString &name) const { return m_root.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        for (const char *d : { "home", "config", "data", "install", "work", "last" })
            QVERIFY(QDir(m_root.path()).mkpath(QLatin1String(d)));
        qputenv("HOME", QFile::encodeName(path("home")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
        g_strAppDir = path("install") + QLatin1Char('/');
        QVERIFY(QDir().mkpath(DefaultBackupFolder()));
    }

    void startFolder_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("remembered"); // the file chosen last for .dat files
        QTest::addColumn<QString>("start");
        const QString backup = DefaultBackupFolder() + QStringLiteral("/2026-01-01.dat");
        QTest::newRow("document's folder first")
            << path("work/a.dat") << path("last/b.dat") << path("work");
        QTest::newRow("untitled: the last folder used")
            << QString() << path("last/b.dat") << path("last");
        QTest::newRow("untitled, nothing remembered: home")
            << QString() << QString() << path("home");
        QTest::newRow("a backup is no place to work")
            << backup << path("last/b.dat") << path("last");
        QTest::newRow("nor the installation folder")
            << path("install/sample.dat") << QString() << path("home");
        QTest::newRow("a backup chosen is not remembered") << QString() << backup << path("home");
        QTest::newRow("a vanished folder is forgotten")
            << path("gone/a.dat") << path("gone/b.dat") << path("home");
    }

    void startFolder()
    {
        QFETCH(QString, document);
        QFETCH(QString, remembered);
        QFETCH(QString, start);
        QFile::remove(UserSettings::forApplication().fileName());
        RememberDialogFolder(DialogFileKind::Image, remembered);
        QCOMPARE(DialogStartFolder(DialogFileKind::Image, document), start);
        // Each kind of file keeps its own folder.
        QCOMPARE(DialogStartFolder(DialogFileKind::ChannelList, QString()), path("home"));
        QCOMPARE(DialogSuggestedFile(DialogFileKind::Image, document, QStringLiteral("x.dat")),
            start + QStringLiteral("/x.dat"));
    }
};

QTEST_GUILESS_MAIN(TestDialogFolders)
#include "tst_dialog_folders.moc"
