// SPDX-License-Identifier: GPL-3.0-or-later
// Channel grid texts: headers, image to table and table to image.
#include "core/channels/ChannelTable.h"
#include "core/image/ChannelRecord.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(Language)

namespace {

MemoryImage Fixture()
{
    QFile f(QStringLiteral(RADIOPROG_TEST_DATA "/image-channels.dat"));
    MemoryImage image;
    if (!f.open(QIODevice::ReadOnly) || !MemoryImage::fromBytes(f.readAll(), &image))
        qFatal("fixture image-channels.dat is missing");
    return image;
}

void SetRecord(MemoryImage &image, int n, const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    for (int i = 0; i < bytes.size(); ++i)
        image[mem::channelOffset(n) + i] = static_cast<std::uint8_t>(bytes.at(i));
}

} // namespace

class TestChannelTable : public QObject
{
    Q_OBJECT

private slots:
    void headers_data();
    void headers();
    void columnWidths();
    void newImageShowsEmptyRows();
    void fixtureRows_data();
    void fixtureRows();
    void chineseTexts();
    void emptyRowWritesBlankRecord();
    void tableToImageKeepsWhatItMust();
    void bothLanguagesWriteTheSameImage();
    void scanAddBitsAreRebuilt();
    void unstorableFrequencySettlesInOnePass_data();
    void unstorableFrequencySettlesInOnePass();
    void clearRow();
    void untouchedFrequencyKeepsItsBytes_data();
    void untouchedFrequencyKeepsItsBytes();
    void anyFrequencyBytesSurviveTheGrid();
};

void TestChannelTable::headers_data()
{
    QTest::addColumn<Language>("lang");
    QTest::addColumn<QString>("texts");
    QTest::newRow("English") << Language::English
                             << "CH|Rx Frequency|Tx Frequency|QT/DQT Dec|QT/DQT Enc|Power|"
                                "Scan Add|Busy Lock|W/N|Compand";
    QTest::newRow("Chinese") << Language::Chinese
                             << QString::fromUtf8("信道|接收频率|发射频率|QT/DQT解码|QT/DQT编码|"
                                                  "功率|扫描添加|繁忙锁定|宽/窄|压扩");
}

void TestChannelTable::headers()
{
    QFETCH(Language, lang);
    QFETCH(QString, texts);
    const ChannelTable t = ChannelTable::withHeaders(lang);
    QStringList row0;
    for (int c = 0; c < ChannelTable::Cols; ++c)
        row0 << t.text(0, c);
    QCOMPARE(row0.join(QLatin1Char('|')), texts);
    QCOMPARE(GridHeaderTexts(lang), texts.split(QLatin1Char('|')));
    QCOMPARE(t.text(1, ColChannel), QStringLiteral(" 1"));
    QCOMPARE(t.text(9, ColChannel), QStringLiteral(" 9"));
    QCOMPARE(t.text(16, ColChannel), QStringLiteral("16"));
}

void TestChannelTable::columnWidths()
{
    const double factors[] = { 0.5, 1.2, 1.2, 1.1, 1.1, 0.9, 0.9, 0.9, 0.9, 0.9 };
    for (int c = 0; c < ChannelTable::Cols; ++c)
        QCOMPARE(GridColumnWidthFactor(c), factors[c]);
    QCOMPARE(GridColumnWidthFactor(ColRx) / GridColumnWidthFactor(ColChannel), 2.4);
}

void TestChannelTable::newImageShowsEmptyRows()
{
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    const ChannelTable headersOnly = t;
    ChannelsToTable(MemoryImage::defaults(), t, Language::English);
    QCOMPARE(t, headersOnly);
}

void TestChannelTable::fixtureRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("cells");
    QTest::newRow("used, flags") << 1 << "145.12500|145.12500|67.0|D023N|High|No|Carrier|Wide|Yes";
    QTest::newRow("empty, Tx none") << 2 << "438.00625|||67.0|||||";
    QTest::newRow("empty, Rx below 10 MHz") << 3 << "|145.12500|||||||";
    QTest::newRow("never used") << 4 << "||||||||";
    QTest::newRow("busy lock 11, bit 7 of 17E")
        << 8 << "462.56250|462.56250|D754I|254.1|Low|Yes|QT/DQT|Narrow|No";
    QTest::newRow("bit 0 of 17F clear")
        << 9 << "400.00000|400.12500|466.0|D000N|High|No|Off|Narrow|No";
    QTest::newRow("odd nibbles, no tones")
        << 16 << "999.99999|10.00110|None|None|Low|Yes|QT/DQT|Wide|No";
}

void TestChannelTable::fixtureRows()
{
    QFETCH(int, row);
    QFETCH(QString, cells);
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    ChannelsToTable(Fixture(), t, Language::English);
    QStringList got;
    for (int c = ColRx; c < ChannelTable::Cols; ++c)
        got << t.text(row, c);
    QCOMPARE(got.join(QLatin1Char('|')), cells);
}

void TestChannelTable::chineseTexts()
{
    ChannelTable t = ChannelTable::withHeaders(Language::Chinese);
    ChannelsToTable(Fixture(), t, Language::Chinese);
    QStringList row1, row16;
    for (int c = ColRx; c < ChannelTable::Cols; ++c) {
        row1 << t.text(1, c);
        row16 << t.text(16, c);
    }
    QCOMPARE(row1.join(QLatin1Char('|')),
        QString::fromUtf8("145.12500|145.12500|67.0|D023N|高|无|载波|宽|是"));
    QCOMPARE(row16.join(QLatin1Char('|')),
        QString::fromUtf8("999.99999|10.00110|无|无|低|有|QT/DQT|宽|否"));
}

void TestChannelTable::emptyRowWritesBlankRecord()
{
    MemoryImage image = MemoryImage::defaults();
    const MemoryImage before = image;
    TableToChannels(ChannelTable::withHeaders(Language::English), image);
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        const ConstChannelRecord ch = image.channel(n);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(int(ch.byte(i)), 0xFF);
        QCOMPARE(int(ch.flagsA()), 0xD7); // busy lock 10, compand 0
        QCOMPARE(int(ch.flagsB()), 0xCF); // low power, narrow
        QCOMPARE(int(ch.byte(14)), 0xFF);
        QCOMPARE(int(ch.byte(15)), 0xFF);
    }
    // Nothing outside the records changes.
    for (int i = 0; i < mem::ImageSize; ++i)
        if (i < mem::channelOffset(1) || i >= mem::channelOffset(mem::ChannelCount + 1))
            QCOMPARE(image.at(i), before.at(i));
}

void TestChannelTable::tableToImageKeepsWhatItMust()
{
    const MemoryImage original = Fixture();
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    ChannelsToTable(original, t, Language::English);
    MemoryImage written = original;
    TableToChannels(t, written);

    MemoryImage expected = original;
    // Empty channels take the blank-cell flag bits; their blank cells become
    // "no frequency" and "no tone", and +14/+15 stay.
    SetRecord(expected, 2, "25068043ffffffffffff9e02d7cfabcd");
    SetRecord(expected, 3, "ffffffff00255114ffffffffd7cfffff");
    for (int n : { 4, 5, 6, 7, 10, 11, 12, 13, 14, 15 })
        SetRecord(expected, n, "ffffffffffffffffffffffffd7cfffff");
    // Stored busy lock 11 is written back as 10; unlisted flag bits stay.
    expected[mem::channelOffset(8) + rec::FlagsA] = 0x53;
    // The 00-high "no tone" comes back in its clean form; the frequency with digits
    // above 9 is untouched, so it keeps its bytes.
    SetRecord(expected, 16, "99999999aa000001ffffffff10107788");
    // Scan-add bits of empty channels 2 and 3 are dropped.
    expected[mem::ScanAddLow] = 0x80;
    expected[mem::ScanAddHigh] = 0x80;

    for (int i = 0; i < mem::ImageSize; ++i)
        QVERIFY2(written.at(i) == expected.at(i),
            qPrintable(QStringLiteral("offset 0x%1: %2, expected %3")
                           .arg(i, 3, 16, QLatin1Char('0'))
                           .arg(written.at(i), 2, 16, QLatin1Char('0'))
                           .arg(expected.at(i), 2, 16, QLatin1Char('0'))));

    // A second pass changes nothing more.
    ChannelTable again = ChannelTable::withHeaders(Language::English);
    ChannelsToTable(written, again, Language::English);
    MemoryImage twice = written;
    TableToChannels(again, twice);
    QCOMPARE(twice, written);
}

void TestChannelTable::bothLanguagesWriteTheSameImage()
{
    const MemoryImage original = Fixture();
    MemoryImage images[2] = { original, original };
    const Language langs[2] = { Language::English, Language::Chinese };
    for (int i = 0; i < 2; ++i) {
        ChannelTable t = ChannelTable::withHeaders(langs[i]);
        ChannelsToTable(original, t, langs[i]);
        TableToChannels(t, images[i]);
    }
    QCOMPARE(images[0], images[1]);
}

void TestChannelTable::scanAddBitsAreRebuilt()
{
    MemoryImage image = MemoryImage::defaults();
    image[mem::ScanAddLow] = 0xFF;
    image[mem::ScanAddHigh] = 0xFF;
    ChannelTable t;
    t.setText(8, ColScanAdd, QStringLiteral("Yes"));
    t.setText(9, ColScanAdd, QString::fromUtf8("有"));
    t.setText(1, ColScanAdd, QString::fromUtf8("是")); // compand's word, not scan add's
    t.setText(16, ColScanAdd, QStringLiteral("No"));
    TableToChannels(t, image);
    QCOMPARE(int(image.at(mem::ScanAddLow)), 0x80);
    QCOMPARE(int(image.at(mem::ScanAddHigh)), 0x01);
}

void TestChannelTable::unstorableFrequencySettlesInOnePass_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("stored");
    // Compand, busy lock carrier, high power, wide and scan add on; digits above 9
    // (past eight digits or not) show as a frequency no typed text could give, and
    // the untouched row keeps its bytes and its options.
    QTest::newRow("Rx past eight digits") << QByteArray("000000fa002551149e029e02e9f7abcd")
                                          << QByteArray("000000fa002551149e029e02e9f7abcd");
    QTest::newRow("Tx past eight digits") << QByteArray("00255114a0a0a0f0ffffffffe9f71234")
                                          << QByteArray("00255114a0a0a0f0ffffffffe9f71234");
    QTest::newRow("digits above 9 within eight digits") << QByteArray(
        "0a255114002551149e029e02e9f7abcd") << QByteArray("0a255114002551149e029e02e9f7abcd");
}

// A channel with odd frequency bytes settles at the first store (keeping its bytes
// while the grid shows what they decode to), and a second load and store changes nothing.
void TestChannelTable::unstorableFrequencySettlesInOnePass()
{
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, stored);
    const bool keepsChannel = !stored.startsWith("ffffffff");
    for (Language lang : { Language::English, Language::Chinese }) {
        MemoryImage image = MemoryImage::defaults();
        SetRecord(image, 3, record.constData());
        image[mem::ScanAddLow] = 0x04;
        ChannelTable t = ChannelTable::withHeaders(lang);
        ChannelsToTable(image, t, lang);
        MemoryImage once = image;
        TableToChannels(t, once);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(once.data()) + mem::channelOffset(3),
                     mem::RecordSize)
                     .toHex(),
            stored);
        QCOMPARE(int(once.at(mem::ScanAddLow)), keepsChannel ? 0x04 : 0x00);
        ChannelTable again = ChannelTable::withHeaders(lang);
        ChannelsToTable(once, again, lang);
        MemoryImage twice = once;
        TableToChannels(again, twice);
        QCOMPARE(twice, once);
    }
}

void TestChannelTable::clearRow()
{
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    ChannelsToTable(Fixture(), t, Language::English);
    t.clearRow(1);
    QCOMPARE(t.text(1, ColChannel), QStringLiteral(" 1"));
    for (int c = ColRx; c < ChannelTable::Cols; ++c)
        QVERIFY(t.text(1, c).isEmpty());
    QCOMPARE(t.text(8, ColRx), QStringLiteral("462.56250"));
}

void TestChannelTable::untouchedFrequencyKeepsItsBytes_data()
{
    QTest::addColumn<QByteArray>("rx");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed"); // empty: the cell is left as shown
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("top pair 105") << QByteArray("000000a5") << "1050.00000"
                                  << "" << QByteArray("000000a5");
    QTest::newRow("top byte fe") << QByteArray("123456fe") << "1645.63412"
                                 << "" << QByteArray("123456fe");
    QTest::newRow("nibble above 9 low") << QByteArray("aa000014") << "140.00110"
                                        << "" << QByteArray("aa000014");
    QTest::newRow("carry into the top pair") << QByteArray("0000f099") << "1005.00000"
                                             << "" << QByteArray("0000f099");
    QTest::newRow("plain 145.125") << QByteArray("00255114") << "145.12500"
                                   << "" << QByteArray("00255114");
    // What the user types is stored in its clean form.
    QTest::newRow("typed over odd digits") << QByteArray("aa000014") << "140.00110"
                                           << "146.52" << QByteArray("00206514");
    QTest::newRow("typed the same value") << QByteArray("aa000014") << "140.00110"
                                          << "140.00110" << QByteArray("aa000014");
    QTest::newRow("emptied") << QByteArray("000000a5") << "1050.00000"
                             << "-" << QByteArray("ffffffff");
}

void TestChannelTable::untouchedFrequencyKeepsItsBytes()
{
    QFETCH(QByteArray, rx);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    MemoryImage image = MemoryImage::defaults();
    SetRecord(image, 5, rx + "00255114ffffffffd7cf");
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    ChannelsToTable(image, t, Language::English);
    QCOMPARE(t.text(5, ColRx), shown);
    if (typed == QLatin1String("-"))
        t.clearRow(5);
    else if (!typed.isEmpty())
        t.setText(5, ColRx, typed);
    const MemoryImage before = image;
    TableToChannels(t, image);
    const auto bytesAt = [&image](int offset) {
        QByteArray b;
        for (int i = 0; i < 4; ++i)
            b.append(static_cast<char>(image.at(offset + i)));
        return b.toHex();
    };
    QCOMPARE(bytesAt(mem::channelOffset(5) + rec::Rx), stored);
    // The rest of an untouched channel's record stays as well.
    if (typed.isEmpty())
        for (int i = 0; i < mem::RecordSize; ++i)
            QCOMPARE(image.at(mem::channelOffset(5) + i), before.at(mem::channelOffset(5) + i));
}

void TestChannelTable::anyFrequencyBytesSurviveTheGrid()
{
    // Channels of random bytes, in both languages: image -> grid -> image gives
    // back every byte of a frequency the grid shows.
    QRandomGenerator rng(7);
    for (int round = 0; round < 2000; ++round) {
        MemoryImage image = MemoryImage::defaults();
        for (int i = mem::channelOffset(1); i < mem::channelOffset(mem::ChannelCount + 1); ++i)
            image[i] = static_cast<std::uint8_t>(rng.bounded(256));
        const Language lang = round % 2 ? Language::Chinese : Language::English;
        ChannelTable t = ChannelTable::withHeaders(lang);
        ChannelsToTable(image, t, lang);
        MemoryImage written = image;
        TableToChannels(t, written);
        for (int n = 1; n <= mem::ChannelCount; ++n)
            for (int field : { rec::Rx, rec::Tx }) {
                const int at = mem::channelOffset(n) + field;
                if (!ConstChannelRecord::isMsbSet(image.at(at + 3)))
                    continue; // no frequency shown: written as none
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(written.at(at + i) == image.at(at + i),
                        qPrintable(QStringLiteral("round %1 channel %2").arg(round).arg(n)));
            }
    }
}

QTEST_APPLESS_MAIN(TestChannelTable)
#include "tst_channel_table.moc"
