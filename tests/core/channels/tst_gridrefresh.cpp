// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the grid texts from an image: type/band sync with the per-user
// store, band limits from Program.ini, title; and `radioprog-cli new`.
#include "tests/common/EditorTestEnv.h"

#include "cli/Commands.h"
#include "core/channels/GridRefresh.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/image/MemoryMap.h"

#include <QtTest>

class TestGridRefresh : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void syncNewImage_data();
    void syncNewImage();
    void syncOpenedImage();
    void bandLimits_data();
    void bandLimits();
    void title();
    void refreshOfNewImage();
    void refreshOfOpenedFile();
    void cliNewWritesSavedDefaultImage_data();
    void cliNewWritesSavedDefaultImage();
    void cliNewUsage();

private:
    QTemporaryDir m_dir;
};

void TestGridRefresh::init()
{
    QVERIFY(editortest::OpenTestIni(m_dir));
    g_bChinese = false;
}

void TestGridRefresh::syncNewImage_data()
{
    QTest::addColumn<int>("storedType"); // -1: missing
    QTest::addColumn<int>("storedField");
    QTest::addColumn<int>("imageType");
    QTest::addColumn<int>("imageBand");
    QTest::newRow("missing values read 0") << -1 << -1 << 0 << 0;
    QTest::newRow("stored values") << 3 << 1 << 3 << 1;
    QTest::newRow("only low bytes fit") << 0x102 << 0x1FF << 2 << 0xFF;
}

void TestGridRefresh::syncNewImage()
{
    QFETCH(int, storedType);
    QFETCH(int, storedField);
    QFETCH(int, imageType);
    QFETCH(int, imageBand);
    UserSettings store = UserSettings::forApplication();
    if (storedType >= 0) {
        store.setValue("Type", storedType);
        store.setValue("Field", storedField);
    }
    MemoryImage image = MemoryImage::defaults();
    SyncProductChoice(image, store, true);
    QCOMPARE(int(image[mem::ProductType]), imageType);
    QCOMPARE(int(image[mem::FrequencyBand]), imageBand);
    // A new image never writes the store.
    QCOMPARE(store.value("Type", -7), storedType >= 0 ? storedType : -7);
}

void TestGridRefresh::syncOpenedImage()
{
    UserSettings store = UserSettings::forApplication();
    store.setValue("Type", 1);
    store.setValue("Field", 0);
    MemoryImage image;
    image[mem::ProductType] = 3;
    image[mem::FrequencyBand] = 1;
    SyncProductChoice(image, store, false);
    QCOMPARE(store.value("Type", -1), 3);
    QCOMPARE(store.value("Field", -1), 1);
    QCOMPARE(int(image[mem::ProductType]), 3);
    QCOMPARE(int(image[mem::FrequencyBand]), 1);
}

void TestGridRefresh::bandLimits_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("first band") << 0 << 0 << 13000000 << 16000000;
    QTest::newRow("second band") << 0 << 1 << 13600000 << 17400000;
    QTest::newRow("index beyond list: last band") << 0 << 5 << 13600000 << 17400000;
    QTest::newRow("single-band type beyond list") << 1 << 1 << 13600000 << 17400000;
    QTest::newRow("UHF") << 2 << 1 << 45000000 << 52000000;
    QTest::newRow("type without bands") << 7 << 0 << 0 << 0;
    QTest::newRow("0xFF type of a blank image") << 0xFF << 0xFF << 0 << 0;
}

void TestGridRefresh::bandLimits()
{
    QFETCH(int, type);
    QFETCH(int, band);
    QFETCH(int, low);
    QFETCH(int, high);
    const BandLimits limits = BandLimitsOfProduct(type, band);
    QCOMPARE(limits.low, low);
    QCOMPARE(limits.high, high);
}

void TestGridRefresh::title()
{
    QCOMPARE(MainWindowTitle(Language::English), QString("Test Radio Programming Software"));
    g_strLanguage = QStringLiteral("Chinese");
    QCOMPARE(MainWindowTitle(Language::Chinese), QString("测试对讲机 写频软件"));
    g_strLanguage = QStringLiteral("Klingon");
    QCOMPARE(MainWindowTitle(Language::English), QString(" Programming Software"));
}

void TestGridRefresh::refreshOfNewImage()
{
    UserSettings store = UserSettings::forApplication();
    store.setValue("Type", 2);
    store.setValue("Field", 0);
    MemoryImage image = MemoryImage::defaults();
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    const GridRefresh r = RefreshGridFromImage(image, t, Language::English, true, store);
    QCOMPARE(r.band.low, 40000000);
    QCOMPARE(r.band.high, 47000000);
    QCOMPARE(r.title, QString("Test Radio Programming Software"));
    QCOMPARE(int(image[mem::ProductType]), 2);
    for (int row = 1; row < ChannelTable::Rows; ++row)
        for (int col = 1; col < ChannelTable::Cols; ++col)
            QVERIFY2(t.text(row, col).isEmpty(), qPrintable(QString("%1,%2").arg(row).arg(col)));
    QCOMPARE(t.text(1, 0), QString(" 1"));
}

void TestGridRefresh::refreshOfOpenedFile()
{
    MemoryImage image;
    QVERIFY(MemoryImage::fromBytes(
        editortest::ReadAll(RADIOPROG_TEST_DATA "/editor/channels.dat"), &image));
    UserSettings store = UserSettings::forApplication();
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    const GridRefresh r = RefreshGridFromImage(image, t, Language::English, false, store);
    // The file's type 4, band 2 goes to the store and gives the limits.
    QCOMPARE(store.value("Type", -1), 3);
    QCOMPARE(store.value("Field", -1), 1);
    QCOMPARE(r.band.low, 40000000);
    QCOMPARE(r.band.high, 48000000);
    QCOMPARE(t.text(1, 1), QString("145.12500"));
    QCOMPARE(t.text(1, 3), QString("466.0"));
    QCOMPARE(t.text(2, 4), QString("D754I"));
}

void TestGridRefresh::cliNewWritesSavedDefaultImage_data()
{
    QTest::addColumn<int>("storedType"); // -1: nothing stored
    QTest::addColumn<int>("storedField");
    QTest::newRow("empty store") << -1 << -1;
    QTest::newRow("stored type and band") << 3 << 1;
}

void TestGridRefresh::cliNewWritesSavedDefaultImage()
{
    QFETCH(int, storedType);
    QFETCH(int, storedField);
    if (storedType >= 0) {
        UserSettings store = UserSettings::forApplication();
        store.setValue("Type", storedType);
        store.setValue("Field", storedField);
    }
    const QString path = m_dir.filePath("new.dat");
    QFile::remove(path);
    QCOMPARE(RunNew({ path }), 0);
    const QByteArray bytes = editortest::ReadAll(path);
    QCOMPARE(bytes.size(), 1024);

    MemoryImage expected = MemoryImage::defaults();
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        // Empty channels as the grid writes them: busy lock 10, other listed bits 0.
        ChannelRecord rec = expected.channel(n);
        rec.setByte(rec::FlagsA, 0xD7);
        rec.setByte(rec::FlagsB, 0xCF);
    }
    expected[mem::ProductType] = storedType >= 0 ? storedType : 0;
    expected[mem::FrequencyBand] = storedField >= 0 ? storedField : 0;
    QCOMPARE(bytes, expected.toByteArray());
}

void TestGridRefresh::cliNewUsage()
{
    QCOMPARE(RunNew({}), 2);
    QCOMPARE(RunNew({ "a.dat", "b.dat" }), 2);
    QCOMPARE(RunNew({ m_dir.filePath("no/such/folder/x.dat") }), 2);
}

QTEST_GUILESS_MAIN(TestGridRefresh)
#include "tst_gridrefresh.moc"
