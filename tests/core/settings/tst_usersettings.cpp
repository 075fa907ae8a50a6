// SPDX-License-Identifier: GPL-3.0-or-later
// Per-user values: defaults, non-integer values, the store's file name.
#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestUserSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    QTemporaryDir m_install;

private slots:
    void initTestCase()
    {
        // Never the real home: everything below lives in a temporary folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            m_config.path());
    }

    void missingStoreGivesDefaults()
    {
        UserSettings store("FreshRadio");
        QCOMPARE(store.value("com", 1), 1);
        QCOMPARE(store.value("Type", 0), 0);
        QCOMPARE(store.value("Field", 7), 7);
        QVERIFY(!QFileInfo::exists(store.fileName()));
    }

    void roundTripCreatesStore_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("value");
        QTest::newRow("com") << "com" << 3;
        QTest::newRow("Type zero") << "Type" << 0;
        QTest::newRow("Field") << "Field" << 2;
        QTest::newRow("negative") << "Type" << -5;
        QTest::newRow("largest 32-bit") << "Field" << 2147483647;
    }
    void roundTripCreatesStore()
    {
        QFETCH(QString, name);
        QFETCH(int, value);
        UserSettings store("RoundTrip");
        store.setValue(name, value);
        QVERIFY(QFileInfo::exists(store.fileName()));
        QCOMPARE(UserSettings("RoundTrip").value(name, 99), value);
    }

    void valuesAreIndependent()
    {
        UserSettings store("Independent");
        store.setValue("com", 2);
        store.setValue("Type", 1);
        QCOMPARE(store.value("com", 1), 2);
        QCOMPARE(store.value("Type", 0), 1);
        QCOMPARE(store.value("Field", 0), 0);
        QCOMPARE(UserSettings("OtherApp").value("com", 1), 1);
    }

    void nonIntegerGivesDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("word") << "COM2" << 4;
        QTest::newRow("fraction") << "1.5" << 4;
        QTest::newRow("empty") << "" << 4;
        QTest::newRow("beyond 32 bits") << "4294967296" << 4;
        QTest::newRow("plain number") << "3" << 3;
    }
    void nonIntegerGivesDefault()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        UserSettings store("Damaged");
        {
            QSettings raw(store.fileName(), QSettings::IniFormat);
            raw.setValue("com", stored);
        }
        QCOMPARE(store.value("com", 4), expected);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("appName");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "RadioProg"
                               << "RadioProg.conf";
        QTest::newRow("empty") << ""
                               << "radioprog.conf";
        QTest::newRow("path separators") << "Maker\\Model/X"
                                         << "Maker_Model_X.conf";
        QTest::newRow("dot dot") << ".."
                                 << "radioprog...conf";
    }
    void fileNames()
    {
        QFETCH(QString, appName);
        QFETCH(QString, file);
        const QString path = UserSettings(appName).fileName();
        QCOMPARE(QFileInfo(path).fileName(), file);
        QCOMPARE(QFileInfo(path).absolutePath(), m_config.path());
    }

    void forApplicationUsesAppName()
    {
        const QString ini = m_install.filePath("Program.ini");
        {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Setup]\r\nAppName=InstalledRadio\r\n");
        }
        QCOMPARE(theIniFile.Open(ini, false, true, false), 1);
        UserSettings::forApplication().setValue("Type", 2);
        QCOMPARE(UserSettings("InstalledRadio").value("Type", 0), 2);
        QCOMPARE(QFileInfo(UserSettings::forApplication().fileName()).fileName(),
            QStringLiteral("InstalledRadio.conf"));
        theIniFile.Close();
    }
};

QTEST_GUILESS_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
