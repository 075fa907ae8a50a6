// SPDX-License-Identifier: GPL-3.0-or-later
// Any 1024 bytes open: a file or a radio may hold anything. Every path that
// turns an image into texts, or texts back into an image, must cope, and must
// touch no byte it does not own.
#include "core/channels/ChannelTable.h"
#include "core/image/ChannelRecord.h"
#include "core/image/SettingsArea.h"
#include "core/report/ReportLayout.h"
#include "core/report/ReportTexts.h"
#include "core/settings/OptionalFeaturesRules.h"
#include "core/settings/ScanInfoRules.h"

#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

namespace {

MemoryImage Filled(std::uint8_t b)
{
    MemoryImage image;
    std::fill_n(image.data(), mem::ImageSize, b);
    return image;
}

MemoryImage Random(quint32 seed)
{
    QRandomGenerator rng(seed);
    MemoryImage image;
    for (int i = 0; i < mem::ImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(rng.bounded(256));
    // Half the channels get a plausible frequency, so both empty and used rows occur.
    for (int n = 1; n <= mem::ChannelCount; n += 2) {
        ChannelRecord r = image.channel(n);
        r.setByte(rec::Rx + 3, 0x14);
        r.setByte(rec::Tx + 3, 0x45);
    }
    return image;
}

// Bytes that are channel records or the scan-add bytes: the grid owns them.
bool GridOwns(int offset)
{
    return (offset >= mem::channelOffset(1) && offset < mem::channelOffset(17))
        || offset == mem::ScanAddLow || offset == mem::ScanAddHigh;
}

} // namespace

class TestAnyImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void images_data()
    {
        QTest::addColumn<MemoryImage>("image");
        QTest::newRow("all 00") << Filled(0x00);
        QTest::newRow("all FF") << Filled(0xFF);
        QTest::newRow("all 99") << Filled(0x99);
        QTest::newRow("all AA") << Filled(0xAA);
        QTest::newRow("all 28") << Filled(0x28);
        QTest::newRow("all A9") << Filled(0xA9);
        QTest::newRow("defaults") << MemoryImage::defaults();
        for (quint32 seed = 1; seed <= 200; ++seed)
            QTest::addRow("random %u", seed) << Random(seed);
    }

    // Grid to image settles: from its second pass on it writes what it read,
    // and it never touches a byte outside the channels and scan-add bytes.
    void gridRoundTripSettles_data() { images_data(); }
    void gridRoundTripSettles()
    {
        QFETCH(MemoryImage, image);
        for (Language lang : { Language::English, Language::Chinese }) {
            ChannelTable table = ChannelTable::withHeaders(lang);
            ChannelsToTable(image, table, lang);
            MemoryImage once = image;
            TableToChannels(table, once);
            for (int i = 0; i < mem::ImageSize; ++i)
                if (!GridOwns(i))
                    QCOMPARE(once[i], image[i]);
            for (int n = 1; n <= mem::ChannelCount; ++n) {
                // Carried bytes and the flag bits no column edits are kept.
                QCOMPARE(once.channel(n).byte(rec::Spare), image.channel(n).byte(rec::Spare));
                QCOMPARE(
                    once.channel(n).byte(rec::Spare + 1), image.channel(n).byte(rec::Spare + 1));
                QCOMPARE(once.channel(n).flagsA() & ~(rec::CompandBit | rec::BusyLockMask),
                    image.channel(n).flagsA() & ~(rec::CompandBit | rec::BusyLockMask));
                QCOMPARE(once.channel(n).flagsB() & ~(rec::PowerBit | rec::WideBit),
                    image.channel(n).flagsB() & ~(rec::PowerBit | rec::WideBit));
            }
            // A second pass changes nothing, not even where a frequency that eight
            // digits cannot hold was shown and then stored as none.
            MemoryImage twice = once;
            ChannelTable again = ChannelTable::withHeaders(lang);
            ChannelsToTable(once, again, lang);
            TableToChannels(again, twice);
            QVERIFY(twice == once);
            MemoryImage thrice = twice;
            ChannelTable third = ChannelTable::withHeaders(lang);
            ChannelsToTable(twice, third, lang);
            TableToChannels(third, thrice);
            QVERIFY(thrice == twice);
            QVERIFY(third == again);
        }
    }

    // Opening Optional Features and pressing OK at once changes only its own bits.
    void optionalFeaturesTouchOnlyTheirBits_data() { images_data(); }
    void optionalFeaturesTouchOnlyTheirBits()
    {
        QFETCH(MemoryImage, image);
        MemoryImage after = image;
        StoreOptionalFeatures(after, LoadOptionalFeatures(image));
        const QSet<int> owned = { mem::VoiceAnnunciation, mem::TimeOutTimer, mem::TotPreAlert,
            mem::SquelchLevel, mem::BatterySaver, mem::Beep, mem::VoxGainLevel, mem::VoxDelayTime,
            mem::CallKeyDefine, mem::CallTone };
        for (int i = 0; i < mem::ImageSize; ++i)
            if (!owned.contains(i))
                QCOMPARE(after[i], image[i]);
        QCOMPARE(after[mem::TimeOutTimer] & 0x80, image[mem::TimeOutTimer] & 0x80);
        QCOMPARE(after[mem::TotPreAlert] & 0xF0, image[mem::TotPreAlert] & 0xF0);
        QCOMPARE(after[mem::SquelchLevel] & 0xF0, image[mem::SquelchLevel] & 0xF0);
        QCOMPARE(after[mem::BatterySaver] & 0xFE, image[mem::BatterySaver] & 0xFE);
        QCOMPARE(after[mem::Beep] & 0xFE, image[mem::Beep] & 0xFE);
        QCOMPARE(after[mem::VoxGainLevel] & 0xE0, image[mem::VoxGainLevel] & 0xE0);
        QCOMPARE(after[mem::VoxDelayTime] & 0xF8, image[mem::VoxDelayTime] & 0xF8);
    }

    // Scan Information stores only into its own bytes, whatever it was given.
    void scanInfoTouchesOnlyItsBytes_data() { images_data(); }
    void scanInfoTouchesOnlyItsBytes()
    {
        QFETCH(MemoryImage, image);
        MemoryImage after = image;
        StoreScanInfo(after, LoadScanInfo(image));
        for (int i = 0; i < mem::ImageSize; ++i)
            if (i < mem::Priority || i > mem::TxDwellTime + 1)
                QCOMPARE(after[i], image[i]);
    }

    // Every text of every page can be laid out, in both languages.
    void reportLaysOut_data() { images_data(); }
    void reportLaysOut()
    {
        QFETCH(MemoryImage, image);
        for (Language lang : { Language::English, Language::Chinese }) {
            ReportInput input;
            input.image = image;
            input.language = lang;
            input.table = ChannelTable::withHeaders(lang);
            ChannelsToTable(image, input.table, lang);
            ReportMetrics m = ReportUnits(2480, 3508, 300, 300);
            m.l1 = 300;
            m.l2 = 240;
            const int pages = ReportPageCount(input.table);
            QVERIFY(pages >= 1 && pages <= 4);
            for (int page = 1; page <= pages; ++page)
                QVERIFY(!LayoutReportPage(input, page, m).isEmpty());
            for (Field f : AllFields())
                FieldText(f, ReadField(image, f), lang);
        }
    }
};

QTEST_GUILESS_MAIN(TestAnyImage)
#include "tst_any_image.moc"
