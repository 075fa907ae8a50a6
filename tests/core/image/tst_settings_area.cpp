// SPDX-License-Identifier: GPL-3.0-or-later
// Settings fields: preserved bits, texts in both languages, Look Back Time,
// band texts and the list position mappings of the settings dialogs.
#include "core/image/MemoryMap.h"
#include "core/image/SettingsArea.h"

#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(Field)

class TestSettingsArea : public QObject
{
    Q_OBJECT

private slots:
    void newImageFields_data();
    void newImageFields();
    void writeKeepsPreservedBits_data();
    void writeKeepsPreservedBits();
    void readUsesTheEditorMask_data();
    void readUsesTheEditorMask();
    void wordFields();
    void fieldTexts_data();
    void fieldTexts();
    void fieldNamesAreDistinct();

    void lookBackRoundTripsEveryCode();
    void lookBackTimes_data();
    void lookBackTimes();

    void bandLimits_data();
    void bandLimits();
    void bandList_data();
    void bandList();
    void bandTextOfIndex_data();
    void bandTextOfIndex();

    void revertChannel_data();
    void revertChannel();
    void revertChannelTexts_data();
    void revertChannelTexts();
    void callKeyDefine_data();
    void callKeyDefine();
};

void TestSettingsArea::newImageFields_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    const auto zh = [](const char *s) { return QString::fromUtf8(s); };

    QTest::newRow("voice") << Field::VoiceAnnunciation << 1 << "Chinese" << zh("中文");
    QTest::newRow("time-out") << Field::TimeOutTimer << 4 << "60s"
                              << "60s";
    QTest::newRow("pre-alert") << Field::TotPreAlert << 9 << "8"
                               << "8";
    QTest::newRow("squelch") << Field::SquelchLevel << 4 << "4"
                             << "4";
    QTest::newRow("battery") << Field::BatterySaver << 1 << "On" << zh("开");
    QTest::newRow("beep") << Field::Beep << 1 << "On" << zh("开");
    QTest::newRow("vox gain") << Field::VoxGainLevel << 5 << "5"
                              << "5";
    QTest::newRow("vox delay") << Field::VoxDelayTime << 2 << "1.0"
                               << "1.0";
    QTest::newRow("call key") << Field::CallKeyDefine << 0xFF << "Off" << zh("关");
    QTest::newRow("call tone") << Field::CallTone << 0 << "Off" << zh("关");
    QTest::newRow("vox function") << Field::VoxFunction << 1 << "On" << zh("开");
    QTest::newRow("scan function") << Field::ScanFunction << 1 << "On" << zh("开");
    QTest::newRow("priority") << Field::Priority << 0 << "None" << zh("无");
    QTest::newRow("priority channel") << Field::PriorityChannel << 17 << ""
                                      << "";
    QTest::newRow("look back A") << Field::LookBackTimeA << 9 << "0.9"
                                 << "0.9";
    QTest::newRow("look back B") << Field::LookBackTimeB << 21 << "1.5"
                                 << "1.5";
    QTest::newRow("revert") << Field::RevertChannel << 0xFF << ""
                            << "";
    QTest::newRow("dropout") << Field::DropoutDelayTime << 48 << "48"
                             << "48";
    QTest::newRow("tx dwell") << Field::TxDwellTime << 48 << "48"
                              << "48";
}

void TestSettingsArea::newImageFields()
{
    QFETCH(Field, field);
    QFETCH(int, code);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    const MemoryImage image = MemoryImage::defaults();
    QCOMPARE(ReadField(image, field), code);
    QCOMPARE(FieldText(field, code, Language::English), english);
    QCOMPARE(FieldText(field, code, Language::Chinese), chinese);
}

void TestSettingsArea::writeKeepsPreservedBits_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("after");

    QTest::newRow("squelch 7 into A3") << Field::SquelchLevel << 0x134 << 0xA3 << 7 << 0xA7;
    QTest::newRow("beep off into FF") << Field::Beep << 0x136 << 0xFF << 0 << 0xFE;
    QTest::newRow("battery on into 00") << Field::BatterySaver << 0x135 << 0x00 << 1 << 0x01;
    QTest::newRow("time-out keeps bit 7") << Field::TimeOutTimer << 0x130 << 0x80 << 40 << 0xA8;
    QTest::newRow("time-out clears old code") << Field::TimeOutTimer << 0x130 << 0xFF << 1 << 0x81;
    QTest::newRow("pre-alert keeps high nibble")
        << Field::TotPreAlert << 0x131 << 0xF9 << 11 << 0xFB;
    QTest::newRow("vox gain keeps bits 5-7") << Field::VoxGainLevel << 0x13A << 0xE5 << 16 << 0xF0;
    QTest::newRow("vox delay keeps bits 3-7") << Field::VoxDelayTime << 0x13B << 0xFA << 5 << 0xFD;
    QTest::newRow("code wider than the field")
        << Field::SquelchLevel << 0x134 << 0xA0 << 0x1F << 0xAF;
    QTest::newRow("vox function off") << Field::VoxFunction << 0x3C7 << 0xFF << 0 << 0xFE;
    QTest::newRow("scan function off") << Field::ScanFunction << 0x3C7 << 0xFF << 0 << 0xFD;
    QTest::newRow("scan function on") << Field::ScanFunction << 0x3C7 << 0x00 << 1 << 0x02;
    QTest::newRow("voice whole byte") << Field::VoiceAnnunciation << 0x12F << 0xFF << 2 << 0x02;
    QTest::newRow("call key whole byte") << Field::CallKeyDefine << 0x13F << 0xFF << 1 << 0x01;
    QTest::newRow("call tone whole byte") << Field::CallTone << 0x3F0 << 0xAB << 16 << 0x10;
    QTest::newRow("priority channel") << Field::PriorityChannel << 0x161 << 0x11 << 5 << 0x05;
    QTest::newRow("look back code") << Field::LookBackTimeB << 0x163 << 0x15 << 91 << 0x5B;
    QTest::newRow("revert") << Field::RevertChannel << 0x164 << 0xFF << 3 << 0x03;
    QTest::newRow("band") << Field::FrequencyBand << 0x3D3 << 0xFF << 7 << 0x07;
}

void TestSettingsArea::writeKeepsPreservedBits()
{
    QFETCH(Field, field);
    QFETCH(int, offset);
    QFETCH(int, before);
    QFETCH(int, code);
    QFETCH(int, after);
    MemoryImage image = MemoryImage::defaults();
    const MemoryImage untouched = image;
    image[offset] = static_cast<std::uint8_t>(before);
    WriteField(image, field, code);
    QCOMPARE(int(image.at(offset)), after);
    for (int i = 0; i < mem::ImageSize; ++i)
        if (i != offset)
            QCOMPARE(image.at(i), untouched.at(i));
}

void TestSettingsArea::readUsesTheEditorMask_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("code");

    QTest::newRow("time-out bits 0-6") << Field::TimeOutTimer << 0x130 << 0xE8 << 0x68;
    QTest::newRow("pre-alert bits 0-3") << Field::TotPreAlert << 0x131 << 0xF1 << 1;
    QTest::newRow("squelch bits 0-3") << Field::SquelchLevel << 0x134 << 0xA3 << 3;
    QTest::newRow("battery bit 0") << Field::BatterySaver << 0x135 << 0xFE << 0;
    QTest::newRow("vox gain bits 0-4") << Field::VoxGainLevel << 0x13A << 0xF0 << 16;
    QTest::newRow("vox delay bits 0-2") << Field::VoxDelayTime << 0x13B << 0xFD << 5;
    QTest::newRow("vox function bit 0") << Field::VoxFunction << 0x3C7 << 0xFD << 1;
    QTest::newRow("scan function bit 1") << Field::ScanFunction << 0x3C7 << 0xFD << 0;
    QTest::newRow("scan function set") << Field::ScanFunction << 0x3C7 << 0x02 << 1;
    QTest::newRow("voice whole byte") << Field::VoiceAnnunciation << 0x12F << 0x03 << 3;
    QTest::newRow("type whole byte") << Field::ProductType << 0x3D2 << 0x81 << 0x81;
}

void TestSettingsArea::readUsesTheEditorMask()
{
    QFETCH(Field, field);
    QFETCH(int, offset);
    QFETCH(int, byte);
    QFETCH(int, code);
    MemoryImage image;
    image[offset] = static_cast<std::uint8_t>(byte);
    QCOMPARE(ReadField(image, field), code);
}

void TestSettingsArea::wordFields()
{
    MemoryImage image = MemoryImage::defaults();
    WriteField(image, Field::DropoutDelayTime, 300);
    QCOMPARE(int(image.at(0x165)), 0x2C);
    QCOMPARE(int(image.at(0x166)), 0x01);
    WriteField(image, Field::TxDwellTime, 0);
    QCOMPARE(int(image.at(0x167)), 0x00);
    QCOMPARE(int(image.at(0x168)), 0x00);
    QCOMPARE(ReadField(image, Field::DropoutDelayTime), 300);
    QCOMPARE(ReadField(image, Field::TxDwellTime), 0);
    // Neighbours are untouched.
    QCOMPARE(int(image.at(0x164)), 0xFF);
    QCOMPARE(int(image.at(0x169)), 0xFF);
    image[0x165] = 0xFF;
    image[0x166] = 0xFF;
    QCOMPARE(ReadField(image, Field::DropoutDelayTime), 65535);
}

void TestSettingsArea::fieldTexts_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    const auto zh = [](const char *s) { return QString::fromUtf8(s); };

    QTest::newRow("voice off") << Field::VoiceAnnunciation << 0 << "Off" << zh("关");
    QTest::newRow("voice English") << Field::VoiceAnnunciation << 2 << "English" << zh("英文");
    QTest::newRow("voice 3") << Field::VoiceAnnunciation << 3 << ""
                             << "";
    QTest::newRow("time-out 15s") << Field::TimeOutTimer << 1 << "15s"
                                  << "15s";
    QTest::newRow("time-out 600s") << Field::TimeOutTimer << 40 << "600s"
                                   << "600s";
    QTest::newRow("time-out 0") << Field::TimeOutTimer << 0 << ""
                                << "";
    QTest::newRow("time-out 41") << Field::TimeOutTimer << 41 << ""
                                 << "";
    QTest::newRow("pre-alert off") << Field::TotPreAlert << 1 << "Off" << zh("关");
    QTest::newRow("pre-alert 2") << Field::TotPreAlert << 2 << "1"
                                 << "1";
    QTest::newRow("pre-alert 11") << Field::TotPreAlert << 11 << "10"
                                  << "10";
    QTest::newRow("pre-alert 0") << Field::TotPreAlert << 0 << ""
                                 << "";
    QTest::newRow("pre-alert 12") << Field::TotPreAlert << 12 << ""
                                  << "";
    QTest::newRow("squelch 0") << Field::SquelchLevel << 0 << "0"
                               << "0";
    QTest::newRow("squelch 9") << Field::SquelchLevel << 9 << "9"
                               << "9";
    QTest::newRow("squelch 10") << Field::SquelchLevel << 10 << ""
                                << "";
    QTest::newRow("beep off") << Field::Beep << 0 << "Off" << zh("关");
    QTest::newRow("vox gain off") << Field::VoxGainLevel << 0 << "Off" << zh("关");
    QTest::newRow("vox gain 16") << Field::VoxGainLevel << 16 << "16"
                                 << "16";
    QTest::newRow("vox gain 17") << Field::VoxGainLevel << 17 << ""
                                 << "";
    QTest::newRow("vox delay 0.3") << Field::VoxDelayTime << 0 << "0.3"
                                   << "0.3";
    QTest::newRow("vox delay 3.0") << Field::VoxDelayTime << 5 << "3.0"
                                   << "3.0";
    QTest::newRow("vox delay 6") << Field::VoxDelayTime << 6 << ""
                                 << "";
    QTest::newRow("call key call") << Field::CallKeyDefine << 0 << "Call" << zh("呼叫");
    QTest::newRow("call key alert")
        << Field::CallKeyDefine << 1 << "Emergency Alert" << zh("紧急报警");
    QTest::newRow("call key 2") << Field::CallKeyDefine << 2 << "Off" << zh("关");
    QTest::newRow("call key 77") << Field::CallKeyDefine << 77 << "Off" << zh("关");
    QTest::newRow("call tone 16") << Field::CallTone << 16 << "16"
                                  << "16";
    QTest::newRow("call tone 17") << Field::CallTone << 17 << ""
                                  << "";
    QTest::newRow("scan function off") << Field::ScanFunction << 0 << "Off" << zh("关");
    QTest::newRow("priority fixed") << Field::Priority << 1 << "Fixed" << zh("固定");
    QTest::newRow("priority selected") << Field::Priority << 2 << "Selected" << zh("选定");
    QTest::newRow("priority 3") << Field::Priority << 3 << ""
                                << "";
    QTest::newRow("priority channel 1") << Field::PriorityChannel << 1 << "1"
                                        << "1";
    QTest::newRow("priority channel 16") << Field::PriorityChannel << 16 << "16"
                                         << "16";
    QTest::newRow("priority channel 0") << Field::PriorityChannel << 0 << ""
                                        << "";
    QTest::newRow("look back 1") << Field::LookBackTimeA << 1 << "0.5"
                                 << "0.5";
    QTest::newRow("look back 10") << Field::LookBackTimeA << 10 << "0.95"
                                  << "0.95";
    QTest::newRow("look back 91") << Field::LookBackTimeB << 91 << "5"
                                  << "5";
    QTest::newRow("revert selected") << Field::RevertChannel << 0 << "Selected" << zh("选定");
    QTest::newRow("revert talk back")
        << Field::RevertChannel << 1 << "Selected+Talk back" << zh("选定+当前通话");
    QTest::newRow("revert priority") << Field::RevertChannel << 2 << "Priority" << zh("优先");
    QTest::newRow("revert priority talk back")
        << Field::RevertChannel << 3 << "Priority+Talk back" << zh("优先+当前通话");
    QTest::newRow("revert 4") << Field::RevertChannel << 4 << ""
                              << "";
    QTest::newRow("dropout 300") << Field::DropoutDelayTime << 300 << "300"
                                 << "300";
    QTest::newRow("dwell 0") << Field::TxDwellTime << 0 << "0"
                             << "0";
}

void TestSettingsArea::fieldTexts()
{
    QFETCH(Field, field);
    QFETCH(int, code);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QCOMPARE(FieldText(field, code, Language::English), english);
    QCOMPARE(FieldText(field, code, Language::Chinese), chinese);
}

void TestSettingsArea::fieldNamesAreDistinct()
{
    const QList<Field> fields = AllFields();
    QCOMPARE(fields.size(), 21);
    QSet<QString> names;
    for (Field f : fields) {
        QVERIFY(!FieldName(f).isEmpty());
        names.insert(FieldName(f));
    }
    QCOMPARE(names.size(), 21);
    QCOMPARE(FieldName(fields.first()), QStringLiteral("voiceAnnunciation"));
    QCOMPARE(FieldName(fields.last()), QStringLiteral("frequencyBand"));
}

void TestSettingsArea::lookBackRoundTripsEveryCode()
{
    for (int code = 1; code <= 91; ++code) {
        const double time = LookBackTimeOfCode(code);
        QCOMPARE(LookBackCodeOfTime(time), code);
        // The shown text, read back as the dialog reads it, gives the code too.
        QCOMPARE(LookBackCodeOfTime(FormatLookBackTime(time).toDouble()), code);
    }
}

void TestSettingsArea::lookBackTimes_data()
{
    QTest::addColumn<double>("time");
    QTest::addColumn<int>("code");
    QTest::newRow("0.5") << 0.5 << 1;
    QTest::newRow("0.7") << 0.7 << 5;
    QTest::newRow("0.95") << 0.95 << 10;
    QTest::newRow("5.0") << 5.0 << 91;
    QTest::newRow("1.23 truncates") << 1.23 << 15;
    QTest::newRow("0.45") << 0.45 << 0;
    QTest::newRow("low 8 bits") << 13.3 << (257 & 0xFF);
    QTest::newRow("negative keeps low 8 bits") << -1.0 << (-29 & 0xFF);
    QTest::newRow("huge saturates") << 1e300 << 0xFF;
    QTest::newRow("not a number") << std::nan("") << 0;
}

void TestSettingsArea::lookBackTimes()
{
    QFETCH(double, time);
    QFETCH(int, code);
    const int got = LookBackCodeOfTime(time);
    QCOMPARE(got, code);
    QVERIFY(got >= 0 && got <= 255);
}

void TestSettingsArea::bandLimits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("sample") << "130 - 160MHz" << 13000000 << 16000000;
    QTest::newRow("no dash") << "400MHz" << 40000000 << 40000000;
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("fractions cut") << "136.5 - 174MHz" << 13600000 << 17400000;
    QTest::newRow("leading blanks") << "  400-470" << 40000000 << 47000000;
    QTest::newRow("no digits") << "UHF" << 0 << 0;
    QTest::newRow("text after dash") << "400 - UHF" << 40000000 << 0;
    QTest::newRow("too large saturates") << "99999999 - 123456789012" << 2147400000 << 2147400000;
}

void TestSettingsArea::bandLimits()
{
    QFETCH(QString, text);
    QFETCH(int, low);
    QFETCH(int, high);
    const BandLimits b = BandLimitsOfText(text);
    QCOMPARE(b.low, low);
    QCOMPARE(b.high, high);
}

void TestSettingsArea::bandList_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("three") << "136-174MHz|400-470MHz|450-520MHz"
                           << QStringList { "136-174MHz", "400-470MHz", "450-520MHz" };
    QTest::newRow("one") << "400-470MHz" << QStringList { "400-470MHz" };
    QTest::newRow("empty is one empty item") << "" << QStringList { "" };
    QTest::newRow("not trimmed") << " a | b" << QStringList { " a ", " b" };
    QTest::newRow("empty items kept") << "a||" << QStringList { "a", "", "" };
}

void TestSettingsArea::bandList()
{
    QFETCH(QString, value);
    QFETCH(QStringList, items);
    QCOMPARE(SplitBandList(value), items);
}

void TestSettingsArea::bandTextOfIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << 0 << "a";
    QTest::newRow("last") << 2 << "c";
    QTest::newRow("beyond takes the last") << 3 << "c";
    QTest::newRow("far beyond") << 255 << "c";
}

void TestSettingsArea::bandTextOfIndex()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(BandTextOfIndex(SplitBandList(QStringLiteral("a|b|c")), index), text);
}

void TestSettingsArea::revertChannel_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("code");
    QTest::newRow("none, 1") << 0 << 1 << 1;
    QTest::newRow("fixed, 3") << 1 << 3 << 3;
    QTest::newRow("selected, 0") << 2 << 0 << 2;
    QTest::newRow("selected, 1") << 2 << 1 << 3;
}

void TestSettingsArea::revertChannel()
{
    QFETCH(int, priority);
    QFETCH(int, position);
    QFETCH(int, code);
    QCOMPARE(RevertCodeOfPosition(position, priority), code);
    QCOMPARE(RevertPositionOfCode(code, priority), position);
}

void TestSettingsArea::revertChannelTexts_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("none") << 0 << "Selected|Selected+Talk back"
                          << QString::fromUtf8("选定|选定+当前通话");
    QTest::newRow("fixed") << 1 << "Selected|Selected+Talk back|Priority|Priority+Talk back"
                           << QString::fromUtf8("选定|选定+当前通话|优先|优先+当前通话");
    QTest::newRow("selected") << 2 << "Priority|Priority+Talk back"
                              << QString::fromUtf8("优先|优先+当前通话");
    QTest::newRow("no selection") << -1 << "Priority|Priority+Talk back"
                                  << QString::fromUtf8("优先|优先+当前通话");
}

void TestSettingsArea::revertChannelTexts()
{
    QFETCH(int, priority);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QCOMPARE(RevertChannelTexts(priority, Language::English).join(QLatin1Char('|')), english);
    QCOMPARE(RevertChannelTexts(priority, Language::Chinese).join(QLatin1Char('|')), chinese);
}

void TestSettingsArea::callKeyDefine_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shownPosition");
    QTest::newRow("Off") << 0 << 2 << 0;
    QTest::newRow("Call") << 1 << 0 << 1;
    QTest::newRow("Emergency Alert") << 2 << 1 << 2;
    QTest::newRow("no selection") << -1 << 2 << 0;
}

void TestSettingsArea::callKeyDefine()
{
    QFETCH(int, position);
    QFETCH(int, code);
    QFETCH(int, shownPosition);
    QCOMPARE(CallKeyCodeOfPosition(position), code);
    QCOMPARE(CallKeyPositionOfCode(code), shownPosition);
    QCOMPARE(CallKeyPositionOfCode(0xFF), 0);
}

QTEST_APPLESS_MAIN(TestSettingsArea)
#include "tst_settings_area.moc"
