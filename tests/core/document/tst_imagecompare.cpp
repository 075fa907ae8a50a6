// SPDX-License-Identifier: GPL-3.0-or-later
// The image comparison behind the compare window, `diff` and the write summary.
#include "core/channels/ChannelTable.h"
#include "core/document/ImageCompare.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/image/SettingsArea.h"
#include "core/settings/IniFile.h"

#include "tests/common/TestFiles.h"
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <QtTest>
#include <functional>

Q_DECLARE_METATYPE(std::function<void(MemoryImage &)>)

namespace {

using Change = std::function<void(MemoryImage &)>;

/// A programmed radio: three channels with tones and flags, some settings.
MemoryImage Programmed()
{
    MemoryImage image = MemoryImage::defaults();
    for (int n : { 1, 2, 3 }) {
        ChannelRecord ch = image.channel(n);
        ch.setRxBytes(EncodeFrequency(ParseFrequency(QStringLiteral("145.125")).units));
        ch.setTxBytes(EncodeFrequency(ParseFrequency(QStringLiteral("145.725")).units));
        ch.setDecodeTone(EncodeTone(QStringLiteral("88.5")));
        ch.setEncodeTone(EncodeTone(QStringLiteral("D023N")));
        ch.setByte(rec::FlagsA, 0x00);
        ch.setByte(rec::FlagsB, 0x00);
        ch.setPowerHigh(true);
        ch.setWide(true);
    }
    WriteField(image, Field::ProductType, 1);
    WriteField(image, Field::FrequencyBand, 0);
    WriteField(image, Field::SquelchLevel, 3);
    for (int i = 0; i < 8; ++i)
        image[mem::IdentificationBlock + i] = 0xFF;
    return image;
}

/// field:channel:a:b (or bytes@offset:a:b) of every difference, for compact expectations.
QStringList Summary(const QList<ImageDifference> &list)
{
    QStringList out;
    for (const ImageDifference &d : list) {
        if (d.noEffect()) {
            QStringList numbers;
            for (int n : d.channels)
                numbers << QString::number(n);
            out << QStringLiteral("unusedBytes:%1:%2:%3").arg(numbers.join(','), d.a, d.b);
        } else if (d.field == QLatin1String("bytes"))
            out << QStringLiteral("bytes@%1:%2:%3").arg(d.offset, 0, 16).arg(d.a, d.b);
        else
            out << QStringLiteral("%1:%2:%3:%4").arg(d.field).arg(d.channel).arg(d.a, d.b);
    }
    return out;
}

} // namespace

class TestImageCompare : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        const QString ini = m_dir.filePath(QStringLiteral("Program.ini"));
        testing::WriteAll(ini,
            "[Setup]\r\nAppName=TestRadio\r\nType1=ZL-260\r\nField1=130 - 160MHz\r\n"
            "Type2=RP-16V\r\nField2=136 - 174MHz|400 - 480MHz\r\n");
        QCOMPARE(theIniFile.Open(ini, false, true, false), 1);
    }
    void cleanupTestCase() { theIniFile.Close(); }

    void differences_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("writeScope");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing") << Change([](MemoryImage &) {}) << false << QStringList {};
        QTest::newRow("rx of channel 2") << Change([](MemoryImage &m) {
            m.channel(2).setRxBytes(EncodeFrequency(ParseFrequency(QStringLiteral("146")).units));
        }) << false << QStringList { QStringLiteral("rx:2:145.12500:146.00000") };
        QTest::newRow("power and compand of channel 3")
            << Change([](MemoryImage &m) {
                   m.channel(3).setPowerHigh(false);
                   m.channel(3).setCompand(true);
               })
            << false
            << QStringList { QStringLiteral("power:3:High:Low"),
                   QStringLiteral("compand:3:No:Yes") };
        QTest::newRow("channel cleared")
            << Change([](MemoryImage &m) {
                   m.channel(1).setRxBytes({ 0xFF, 0xFF, 0xFF, 0xFF });
                   m.channel(1).setTxBytes({ 0xFF, 0xFF, 0xFF, 0xFF });
               })
            << false
            << QStringList { QStringLiteral("rx:1:145.12500:"), QStringLiteral("tx:1:145.72500:") };
        // A carried bit shares its byte with compand: both show, nothing hides.
        QTest::newRow("carried bit beside a field")
            << Change([](MemoryImage &m) {
                   m.channel(2).setCompand(true);
                   m.channel(2).setByte(rec::FlagsA, m.channel(2).flagsA() | 0x01);
               })
            << false
            << QStringList { QStringLiteral("compand:2:No:Yes"), QStringLiteral("bytes@2c:00:21") };
        QTest::newRow("spare bytes of a record") << Change([](MemoryImage &m) {
            m.channel(16).setByte(rec::Spare, 0x12);
            m.channel(16).setByte(rec::Spare + 1, 0x34);
        }) << false << QStringList { QStringLiteral("bytes@10e:FF FF:12 34") };
        // The grid's filler in empty channels is grouped apart; carried bits stay bytes.
        QTest::newRow("filler of empty channels") << Change([](MemoryImage &m) {
            m.channel(9).setByte(rec::FlagsA, 0xD7);
            m.channel(10).setByte(rec::FlagsB, 0xCF);
            m.channel(10).setScanAdd(true);
        }) << false << QStringList { QStringLiteral("unusedBytes:9,10:FF FF 00:D7 CF 02") };
        QTest::newRow("frequency of a channel empty on both sides")
            << Change([](MemoryImage &m) { m.channel(9).setRxBytes(EncodeFrequency(14600000)); })
            << false << QStringList { QStringLiteral("unusedBytes:9:FF FF FF FF:00 00 60 14") };
        QTest::newRow("carried bit of an empty channel")
            << Change([](MemoryImage &m) { m.channel(9).setByte(rec::FlagsA, 0xFE); }) << false
            << QStringList { QStringLiteral("bytes@9c:FF:FE") };
        QTest::newRow("squelch") << Change([](MemoryImage &m) {
            WriteField(m, Field::SquelchLevel, 7);
        }) << false << QStringList { QStringLiteral("squelchLevel:0:3:7") };
        QTest::newRow("radio type and band by the installation's names")
            << Change([](MemoryImage &m) {
                   WriteField(m, Field::ProductType, 0);
                   WriteField(m, Field::FrequencyBand, 1);
               })
            << false
            << QStringList { QStringLiteral("productType:0:RP-16V:ZL-260"),
                   QStringLiteral("frequencyBand:0:136 - 174MHz:130 - 160MHz") };
        QTest::newRow("16-bit setting")
            << Change([](MemoryImage &m) { m.setWord(mem::DropoutDelayTime, 0x1234); }) << false
            << QStringList { QStringLiteral("dropoutDelayTime:0:%1:4660") };
        QTest::newRow("identification block") << Change([](MemoryImage &m) {
            m[mem::IdentificationBlock] = 0x41;
            m[mem::IdentificationBlock + 1] = 0x42;
        }) << false << QStringList { QStringLiteral("bytes@1b8:FF FF:41 42") };
        // A write cannot check what a read does not fetch, and never sends 0x330-0x33F.
        QTest::newRow("function switches are out of a write's check")
            << Change([](MemoryImage &m) { WriteField(m, Field::VoxFunction, 1); }) << true
            << QStringList {};
        QTest::newRow("bytes a write never sends") << Change([](MemoryImage &m) {
            m[0x330] = 0x00;
            m[0x3F1] = 0x00;
        }) << true << QStringList {};
        QTest::newRow("call tone is sent alone and checked")
            << Change([](MemoryImage &m) { WriteField(m, Field::CallTone, 3); }) << true
            << QStringList { QStringLiteral("callTone:0:Off:3") };
    }
    void differences()
    {
        QFETCH(Change, change);
        QFETCH(bool, writeScope);
        QFETCH(QStringList, expected);
        const MemoryImage a = Programmed();
        MemoryImage b = a;
        change(b);
        const ImageScope scope = writeScope ? WrittenAndReadableScope() : WholeImageScope();
        QStringList got = Summary(CompareImages(a, b, Language::English, scope));
        // The old 16-bit value is whatever the defaults hold; fill it in.
        for (QString &e : expected)
            if (e.contains(QLatin1String("%1")))
                e = e.arg(a.word(mem::DropoutDelayTime));
        // Call tone texts come from the codecs; compare the field and channel only there.
        if (QTest::currentDataTag() == QLatin1String("call tone is sent alone and checked")) {
            QCOMPARE(got.size(), 1);
            QVERIFY2(got.constFirst().startsWith(QLatin1String("callTone:0:")),
                qPrintable(got.join(QLatin1Char('|'))));
            return;
        }
        QCOMPARE(got, expected);
    }

    // Read then Write: what the grid writes into empty channels is no change to the radio.
    void gridFillerIsNoChange()
    {
        MemoryImage radio = Programmed();
        for (int n = 4; n <= mem::ChannelCount; ++n)
            for (int i = 0; i < mem::RecordSize; ++i)
                radio.channel(n).setByte(i, 0xFF);
        MemoryImage saved = radio;
        ChannelTable shown;
        ChannelsToTable(radio, shown, Language::English);
        TableToChannels(shown, saved);
        QVERIFY(saved != radio);
        const QList<ImageDifference> list
            = CompareImages(radio, saved, Language::English, WrittenAndReadableScope());
        QCOMPARE(list.size(), 1);
        QVERIFY(!HasRadioEffect(list));
        QVERIFY2(DifferenceLine(list.first(), Language::English)
                     .startsWith("unused bytes of empty channels (no effect on the radio): "
                                 "26 byte(s) in channel(s) 4, 5, "),
            qPrintable(DifferenceLine(list.first(), Language::English)));
        // A real change beside it counts.
        saved.channel(1).setPowerHigh(false);
        const QList<ImageDifference> more
            = CompareImages(radio, saved, Language::English, WrittenAndReadableScope());
        QVERIFY(HasRadioEffect(more));
        QCOMPARE(RadioEffectCount(more), 1);
    }

    // Codes past the end of a band list all show its last band; the codes then tell them apart.
    void codesThatShareATextShowTheirNumbers()
    {
        MemoryImage a = Programmed();
        WriteField(a, Field::FrequencyBand, 1);
        MemoryImage b = a;
        WriteField(b, Field::FrequencyBand, 4);
        QCOMPARE(Summary(CompareImages(a, b, Language::English, WholeImageScope())),
            QStringList { QStringLiteral("frequencyBand:0:400 - 480MHz (1):400 - 480MHz (4)") });
    }

    void labelsInTheUsersLanguage()
    {
        const MemoryImage a = Programmed();
        MemoryImage b = a;
        b.channel(2).setPowerHigh(false);
        WriteField(b, Field::SquelchLevel, 9);
        b[mem::IdentificationBlock] = 0x00;
        const QList<ImageDifference> zh = CompareImages(a, b, Language::Chinese, WholeImageScope());
        QCOMPARE(zh.size(), 3);
        QCOMPARE(zh.at(0).label, QStringLiteral("功率"));
        QCOMPARE(zh.at(1).label, QStringLiteral("静噪等级"));
        QCOMPARE(DifferenceLine(zh.at(0), Language::Chinese),
            QStringLiteral("信道 2  功率: %1 -> %2").arg(zh.at(0).a, zh.at(0).b));
        const QList<ImageDifference> en = CompareImages(a, b, Language::English, WholeImageScope());
        QCOMPARE(DifferenceLine(en.at(0), Language::English),
            QStringLiteral("Channel 2  Power: High -> Low"));
        QCOMPARE(
            DifferenceLine(en.at(2), Language::English), QStringLiteral("Byte 0x1B8: FF -> 00"));
    }

    // Whatever two images hold, every differing byte in scope is named by some
    // difference, and a bytes entry only names bytes that differ.
    void nothingDifferentGoesUnlisted()
    {
        QRandomGenerator rng(1234);
        for (int round = 0; round < 200; ++round) {
            MemoryImage a;
            MemoryImage b;
            for (int i = 0; i < mem::ImageSize; ++i) {
                a[i] = static_cast<std::uint8_t>(rng.bounded(256));
                b[i] = rng.bounded(4) == 0 ? static_cast<std::uint8_t>(rng.bounded(256)) : a.at(i);
            }
            const ImageScope scope = round % 2 ? WrittenAndReadableScope() : WholeImageScope();
            const QList<ImageDifference> list = CompareImages(a, b, Language::English, scope);
            bool differs = false;
            for (int i = 0; i < mem::ImageSize; ++i)
                differs = differs || (scope[i] && a.at(i) != b.at(i));
            QCOMPARE(list.isEmpty(), !differs);
            for (const ImageDifference &d : list) {
                if (d.offset < 0)
                    continue;
                const int count = d.a.split(QLatin1Char(' ')).size();
                for (int i = d.offset; i < d.offset + count; ++i) {
                    QVERIFY(scope[i]);
                    QVERIFY(a.at(i) != b.at(i));
                }
            }
            QVERIFY(CompareImages(a, a, Language::English, scope).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestImageCompare)
#include "tst_imagecompare.moc"
