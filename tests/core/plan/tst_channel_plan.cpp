// SPDX-License-Identifier: GPL-3.0-or-later
// The channel plan check: each image below is built to trigger exactly one
// finding code, clean images trigger none, and the write check keeps what a
// write must show.
#include "core/channels/ChannelTable.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/image/MemoryMap.h"
#include "core/plan/ChannelPlanCheck.h"
#include "core/settings/IniFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <functional>

namespace {

using Mutate = std::function<void(MemoryImage &)>;

/// A radio type wide enough for every row's frequencies.
const PlanRadioType kWideType { { 13000000, 52000000 }, QStringLiteral("130 - 520MHz") };

/// A used, narrow, low-power channel without tones.
void SetChannel(MemoryImage &image, int n, std::int64_t rx, std::int64_t tx)
{
    ChannelRecord ch = image.channel(n);
    ch.setRxBytes(EncodeFrequency(rx));
    ch.setTxBytes(EncodeFrequency(tx));
    ch.setDecodeTone({});
    ch.setEncodeTone({});
    ch.setBusyLock(BusyLock::Off);
    ch.setPowerHigh(false);
    ch.setWide(false);
    ch.setCompand(false);
}

/// Two clean channels, nothing else: no finding in any region.
MemoryImage CleanImage()
{
    MemoryImage image = MemoryImage::defaults();
    SetChannel(image, 1, 14512500, 14512500);
    SetChannel(image, 2, 14652000, 14460000);
    return image;
}

QStringList Codes(const QList<PlanFinding> &findings)
{
    QStringList codes;
    for (const PlanFinding &f : findings)
        codes << f.code;
    return codes;
}

} // namespace

class TestChannelPlan : public QObject
{
    Q_OBJECT

private slots:
    void findings_data();
    void findings();
    void writeCheck_data();
    void writeCheck();
    void cellsAndJson();
};

void TestChannelPlan::findings_data()
{
    QTest::addColumn<Mutate>("mutate");
    QTest::addColumn<int>("region");
    QTest::addColumn<bool>("knownType");
    QTest::addColumn<QString>("code"); // empty: no finding at all
    QTest::addColumn<PlanSeverity>("severity");
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<PlanField>("field");

    const auto none = [](MemoryImage &) {};
    const int us = int(PlanRegion::UnitedStates);
    const int eu = int(PlanRegion::Europe);
    const int no = int(PlanRegion::None);
    using S = PlanSeverity;
    using F = PlanField;

    QTest::newRow("clean") << Mutate(none) << no << true << "" << S::Note << QList<int>() << F::Rx;
    QTest::newRow("clean us") << Mutate(none) << us << true << "" << S::Note << QList<int>()
                              << F::Rx;
    QTest::newRow("clean eu") << Mutate(none) << eu << true << "" << S::Note << QList<int>()
                              << F::Rx;
    QTest::newRow("new image, no type")
        << Mutate([](MemoryImage &i) { i = MemoryImage::defaults(); }) << us << false << ""
        << S::Note << QList<int>() << F::Rx;
    QTest::newRow("out of band") << Mutate([](MemoryImage &i) {
        SetChannel(i, 3, 12500000, 14512500);
    }) << no << true << "out-of-band"
                                 << S::Error << QList<int> { 3 } << F::Rx;
    QTest::newRow("off step") << Mutate(
        [](MemoryImage &i) { SetChannel(i, 4, 14512500, 14512300); })
                              << no << true << "off-step" << S::Error << QList<int> { 4 } << F::Tx;
    QTest::newRow("bcd nibble above 9")
        << Mutate([](MemoryImage &i) { i[mem::channelOffset(2) + 2] = 0x5A; }) << no << true
        << "bad-frequency" << S::Error << QList<int> { 2 } << F::Rx;
    QTest::newRow("analogue tone not listed") << Mutate([](MemoryImage &i) {
        i.channel(1).setDecodeTone({ 0x34, 0x12 });
    }) << no << true << "bad-tone" << S::Error << QList<int> { 1 }
                                              << F::Decode;
    QTest::newRow("dcs code not listed") << Mutate([](MemoryImage &i) {
        i.channel(2).setEncodeTone({ 0x00, 0xA9 });
    }) << no << true << "bad-tone" << S::Error
                                         << QList<int> { 2 } << F::Encode;
    QTest::newRow("priority on empty channel") << Mutate([](MemoryImage &i) {
        WriteField(i, Field::Priority, 1);
        WriteField(i, Field::PriorityChannel, 5);
        i.channel(1).setScanAdd(true);
    }) << no << true << "priority-empty" << S::Error
                                               << QList<int> { 5 } << F::PriorityChannel;
    QTest::newRow("priority channel 17") << Mutate([](MemoryImage &i) {
        WriteField(i, Field::Priority, 1);
        WriteField(i, Field::PriorityChannel, 17);
        i.channel(1).setScanAdd(true);
    }) << no << true << "priority-out-of-range"
                                         << S::Error << QList<int>() << F::PriorityChannel;
    QTest::newRow("scan add on empty channel 9")
        << Mutate([](MemoryImage &i) { i.channel(9).setScanAdd(true); }) << no << true
        << "scan-add-empty" << S::Error << QList<int> { 9 } << F::ScanAdd;
    QTest::newRow("identical channels") << Mutate([](MemoryImage &i) {
        for (int k = 0; k < mem::RecordSize; ++k)
            i[mem::channelOffset(7) + k] = i[mem::channelOffset(2) + k];
    }) << no << true << "duplicate-channel"
                                        << S::Warning << QList<int> { 2, 7 } << F::Channel;
    QTest::newRow("same rx, wide and narrow") << Mutate([](MemoryImage &i) {
        SetChannel(i, 6, 14512500, 14612500);
        i.channel(6).setWide(true);
    }) << no << true << "mixed-bandwidth" << S::Warning
                                              << QList<int> { 1, 6 } << F::Bandwidth;
    QTest::newRow("priority scan, empty scan list")
        << Mutate([](MemoryImage &i) { WriteField(i, Field::Priority, 2); }) << no << true
        << "scan-list-empty" << S::Warning << QList<int>() << F::ScanAdd;
    QTest::newRow("priority scan with scan function off") << Mutate([](MemoryImage &i) {
        WriteField(i, Field::Priority, 2);
        WriteField(i, Field::ScanFunction, 0);
    }) << no << true << "" << S::Note << QList<int>() << F::Rx;
    QTest::newRow("simplex with crossed tones") << Mutate([](MemoryImage &i) {
        i.channel(1).setDecodeTone(EncodeTone(QStringLiteral("67.0")));
        i.channel(1).setEncodeTone(EncodeTone(QStringLiteral("D023N")));
    }) << no << true << "simplex-tone-mismatch" << S::Note
                                                << QList<int> { 1 } << F::Encode;
    QTest::newRow("unknown type") << Mutate(none) << no << false << "unknown-band" << S::Error
                                  << QList<int>() << F::ProductType;
    QTest::newRow("us wide at 151 MHz") << Mutate([](MemoryImage &i) {
        SetChannel(i, 3, 15100000, 15100000);
        i.channel(3).setWide(true);
    }) << us << true << "us-narrowband" << S::Warning
                                        << QList<int> { 3 } << F::Bandwidth;
    QTest::newRow("us wide on GMRS is allowed") << Mutate([](MemoryImage &i) {
        SetChannel(i, 3, 46255000, 46255000);
        i.channel(3).setWide(true);
    }) << no << true << "" << S::Note << QList<int>()
                                                << F::Rx;
    QTest::newRow("us tx on NOAA")
        << Mutate([](MemoryImage &i) { SetChannel(i, 4, 16240000, 16240000); }) << us << true
        << "us-noaa-tx" << S::Warning << QList<int> { 4 } << F::Tx;
    QTest::newRow("NOAA without region")
        << Mutate([](MemoryImage &i) { SetChannel(i, 4, 16240000, 16240000); }) << no << true << ""
        << S::Note << QList<int>() << F::Rx;
    QTest::newRow("us rx on NOAA only")
        << Mutate([](MemoryImage &i) { SetChannel(i, 4, 16255000, 14512000); }) << us << true << ""
        << S::Note << QList<int>() << F::Rx;
    QTest::newRow("us tx on marine 16")
        << Mutate([](MemoryImage &i) { SetChannel(i, 5, 15680000, 15680000); }) << us << true
        << "us-marine-tx" << S::Warning << QList<int> { 5 } << F::Tx;
    QTest::newRow("us tx on FRS") << Mutate([](MemoryImage &i) {
        SetChannel(i, 5, 46256250, 46256250);
    }) << us << true << "us-frs-gmrs-tx"
                                  << S::Warning << QList<int> { 5 } << F::Tx;
    QTest::newRow("us tx on MURS")
        << Mutate([](MemoryImage &i) { SetChannel(i, 5, 15182000, 15182000); }) << us << true
        << "us-murs-tx" << S::Warning << QList<int> { 5 } << F::Tx;
    QTest::newRow("eu tx on PMR446")
        << Mutate([](MemoryImage &i) { SetChannel(i, 5, 44600625, 44600625); }) << eu << true
        << "eu-pmr446-tx" << S::Warning << QList<int> { 5 } << F::Tx;
    QTest::newRow("eu tx on marine")
        << Mutate([](MemoryImage &i) { SetChannel(i, 5, 16160000, 16160000); }) << eu << true
        << "eu-marine-tx" << S::Warning << QList<int> { 5 } << F::Tx;
    QTest::newRow("eu ignores US rules")
        << Mutate([](MemoryImage &i) { SetChannel(i, 5, 46256250, 46256250); }) << eu << true << ""
        << S::Note << QList<int>() << F::Rx;
}

void TestChannelPlan::findings()
{
    QFETCH(Mutate, mutate);
    QFETCH(int, region);
    QFETCH(bool, knownType);
    QFETCH(QString, code);
    QFETCH(PlanSeverity, severity);
    QFETCH(QList<int>, channels);
    QFETCH(PlanField, field);

    MemoryImage image = CleanImage();
    mutate(image);
    const QList<PlanFinding> found = CheckChannelPlan(
        image, knownType ? kWideType : PlanRadioType {}, static_cast<PlanRegion>(region));
    if (code.isEmpty()) {
        QCOMPARE(Codes(found), QStringList());
        return;
    }
    QCOMPARE(Codes(found), QStringList { code });
    const PlanFinding &f = found.constFirst();
    QCOMPARE(f.severity, severity);
    QCOMPARE(f.channels, channels);
    QCOMPARE(f.field, field);
    // Both languages say it, each in its own words, with the channel in the text.
    const QString en = f.message(Language::English);
    const QString zh = f.message(Language::Chinese);
    QVERIFY(!en.isEmpty() && !zh.isEmpty() && en != zh);
    QVERIFY2(std::all_of(en.begin(), en.end(), [](QChar c) { return c.unicode() < 0x80; }),
        qPrintable(en));
    QVERIFY2(std::any_of(zh.begin(), zh.end(), [](QChar c) { return c.unicode() >= 0x4E00; }),
        qPrintable(zh));
    QVERIFY(FormatFinding(f, Language::Chinese)
                .startsWith(SeverityText(severity, Language::Chinese) + QStringLiteral(": ")));
    for (int n : channels)
        QVERIFY2(FormatFinding(f, Language::English).contains(QString::number(n)), qPrintable(en));
}

void TestChannelPlan::writeCheck_data()
{
    QTest::addColumn<Mutate>("mutate");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("hasErrors");

    QTest::newRow("clean") << Mutate([](MemoryImage &) {}) << QStringList() << false;
    QTest::newRow("a note is not shown") << Mutate([](MemoryImage &i) {
        i.channel(1).setDecodeTone(EncodeTone(QStringLiteral("67.0")));
        i.channel(1).setEncodeTone(EncodeTone(QStringLiteral("71.9")));
    }) << QStringList() << false;
    QTest::newRow("a warning is shown, not blocking")
        << Mutate([](MemoryImage &i) { WriteField(i, Field::Priority, 2); })
        << QStringList { "scan-list-empty" } << false;
    // The type and band come from the installation's lists: band 0 of type 2 is 136 - 174MHz.
    QTest::newRow("out of the image's own band")
        << Mutate([](MemoryImage &i) { SetChannel(i, 2, 45000000, 45000000); })
        << QStringList { "out-of-band", "out-of-band" } << true;
}

void TestChannelPlan::writeCheck()
{
    QFETCH(Mutate, mutate);
    QFETCH(QStringList, shown);
    QFETCH(bool, hasErrors);

    QCOMPARE(theIniFile.Open(QStringLiteral(RADIOPROG_SOURCE_DIR "/res/install/Program.ini"), false,
                 true, false),
        1);
    MemoryImage image = CleanImage();
    image[mem::ProductType] = 1;
    image[mem::FrequencyBand] = 0;
    mutate(image);
    const WriteCheck check = CheckBeforeWrite(image, PlanRegion::None);
    QCOMPARE(Codes(check.findings), shown);
    QCOMPARE(check.hasErrors, hasErrors);
    QCOMPARE(WriteCheckText(check, Language::English).count(QLatin1Char('\n')),
        qMax(0, int(shown.size()) - 1));
}

void TestChannelPlan::cellsAndJson()
{
    MemoryImage image = CleanImage();
    SetChannel(image, 3, 15100000, 15100000);
    image.channel(3).setWide(true);
    for (int k = 0; k < mem::RecordSize; ++k)
        image[mem::channelOffset(8) + k] = image[mem::channelOffset(3) + k];
    const QList<PlanFinding> found = CheckChannelPlan(image, kWideType, PlanRegion::UnitedStates);
    // A whole-channel finding marks the Rx cell of each channel; the rule marks the W/N cell.
    QCOMPARE(Codes(FindingsOfCell(found, 8, ColRx)), QStringList { "duplicate-channel" });
    QCOMPARE(Codes(FindingsOfCell(found, 8, ColWidth)), QStringList { "us-narrowband" });
    QCOMPARE(Codes(FindingsOfCell(found, 3, ColTx)), QStringList());

    const QJsonObject root
        = QJsonDocument::fromJson(FindingsJson(found, Language::Chinese).toUtf8()).object();
    const QJsonArray list = root.value(QStringLiteral("findings")).toArray();
    QCOMPARE(list.size(), found.size());
    const QJsonObject last = list.last().toObject();
    QCOMPARE(last.value(QStringLiteral("code")).toString(), found.last().code);
    QCOMPARE(last.value(QStringLiteral("severity")).toString(), QStringLiteral("warning"));
    QCOMPARE(last.value(QStringLiteral("channels")).toArray(), (QJsonArray { 3, 8 }));
    QCOMPARE(last.value(QStringLiteral("field")).toString(), QStringLiteral("channel"));
    QCOMPARE(
        last.value(QStringLiteral("message")).toString(), found.last().message(Language::Chinese));
}

QTEST_GUILESS_MAIN(TestChannelPlan)
#include "tst_channel_plan.moc"
