// SPDX-License-Identifier: GPL-3.0-or-later
// The sample installation's Program.ini, read through the program's own INI
// class: every key the program needs is there and its values make sense.
#include "core/image/SettingsArea.h"
#include "core/settings/IniFile.h"

#include <QtTest>

namespace {

QString InstalledIni()
{
    return QStringLiteral(RADIOPROG_SOURCE_DIR "/res/install/Program.ini");
}

} // namespace

class TestInstallationData : public QObject
{
    Q_OBJECT

private:
    CIniFile m_ini;

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(InstalledIni()));
        // Read only: auto-save off, and no value is ever set.
        QCOMPARE(m_ini.Open(InstalledIni(), false, true, false), 1);
    }

    void setupSection()
    {
        QCOMPARE(m_ini.GetValue("Setup", "Language"), QStringLiteral("English"));
        QCOMPARE(m_ini.GetValue("Setup", "ShowLang"), QStringLiteral("1"));
        QVERIFY(!m_ini.GetValue("Setup", "AppName").isEmpty());
    }

    void typesAndBands()
    {
        int types = 0;
        int withTwoBands = 0;
        for (int n = 1; n <= 19; ++n) {
            const QString type = m_ini.GetValue("Setup", QStringLiteral("Type%1").arg(n));
            if (type.isEmpty())
                break;
            ++types;
            const QStringList bands
                = SplitBandList(m_ini.GetValue("Setup", QStringLiteral("Field%1").arg(n)));
            if (bands.size() > 1)
                ++withTwoBands;
            for (const QString &band : bands) {
                // "130 - 160MHz": a real range, so the grid accepts some frequency.
                const BandLimits limits = BandLimitsOfText(band);
                QVERIFY2(limits.low > 0 && limits.low < limits.high,
                    qPrintable(type + QLatin1String(": ") + band));
                QVERIFY2(band.endsWith(QLatin1String("MHz")), qPrintable(band));
            }
        }
        QVERIFY(types >= 3);
        QVERIFY(withTwoBands >= 1);
    }

    void languageSections_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("titleSuffix");
        QTest::addColumn<QString>("programWord");
        // The main window title is the product name followed by the suffix,
        // so the name must not say "programming" itself.
        QTest::newRow("English") << "English"
                                 << " Programming Software"
                                 << "Program";
        QTest::newRow("Chinese") << "Chinese" << QStringLiteral(" 写频软件")
                                 << QStringLiteral("写频");
    }

    void languageSections()
    {
        QFETCH(QString, section);
        QFETCH(QString, titleSuffix);
        QFETCH(QString, programWord);
        for (const char *key :
            { "AppName", "Company", "About Title", "Version", "Copyrights", "Copyrights Owner" })
            QVERIFY2(!m_ini.GetValue(section, key).isEmpty(), key);
        const QString product = m_ini.GetValue(section, "AppName");
        const QString title = product + titleSuffix;
        QVERIFY2(title.count(programWord) == 1, qPrintable(title));
    }
};

QTEST_GUILESS_MAIN(TestInstallationData)
#include "tst_installation_data.moc"
