// SPDX-License-Identifier: GPL-3.0-or-later
// Load/store rules of the settings dialogs, without widgets.
#include "core/image/ChannelRecord.h"
#include "core/image/MemoryMap.h"
#include "core/image/SettingsArea.h"
#include "core/settings/IniFile.h"
#include "core/settings/OptionalFeaturesRules.h"
#include "core/settings/ProductInfoRules.h"
#include "core/settings/ScanInfoRules.h"
#include "core/settings/SetupChoices.h"
#include "core/settings/UserSettings.h"

#include "tests/common/ScanInfoImages.h"
#include "tests/common/TestFiles.h"
#include <QFile>
#include <QTemporaryDir>

#include <QtTest>

namespace {

const auto differences = testing::ImageDifferences;

void setRx(MemoryImage &image, int channel, std::uint8_t msb)
{
    image.channel(channel).setRxBytes({ 0x00, 0x25, 0x51, msb });
}

bool openIni(CIniFile &ini, const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath(QStringLiteral("Program.ini"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(text);
    f.close();
    return ini.Open(path, false, true, false) == 1;
}

} // namespace

class TestDialogRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void optionalFeaturesOfNewImage();
    void optionalFeaturesStore_data();
    void optionalFeaturesStore();
    void optionalFeaturesLoadFallbacks_data();
    void optionalFeaturesLoadFallbacks();
    void optionalFeaturesLists();
    void keyDisposition_data();
    void keyDisposition();

    void lookBackStep_data();
    void lookBackStep();
    void lookBackCorrection_data();
    void lookBackCorrection();
    void counterRules_data();
    void counterRules();
    void numberBoxes_data();
    void numberBoxes();
    void priorityRules_data();
    void priorityRules();
    void priorityChannelCheck_data();
    void priorityChannelCheck();
    void scanInfoRoundTripKeepsLookBackCodes();
    void scanInfoStore_data();
    void scanInfoStore();
    void scanInfoRefusalStoresNothing();
    void scanInfoOpenAndOkChangesNoByte_data();
    void scanInfoOpenAndOkChangesNoByte();
    void scanInfoChangedFieldIsStillStored();

    void productLists();
    void productChoiceAndCaption();
    void productListPosition_data();
    void productListPosition();

    void comChoice_data();
    void comChoice();
    void languageChoice_data();
    void languageChoice();

private:
    QTemporaryDir m_config;
};

void TestDialogRules::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

void TestDialogRules::optionalFeaturesOfNewImage()
{
    const MemoryImage image = MemoryImage::defaults();
    const OptionalFeaturesState s = LoadOptionalFeatures(image);
    const OptionalFeaturesLists en = BuildOptionalFeaturesLists(Language::English);
    QCOMPARE(en.timeOutTimer.value(s.timeOutTimer), QStringLiteral("60s"));
    QCOMPARE(en.totPreAlert.value(s.totPreAlert), QStringLiteral("8"));
    QCOMPARE(en.squelchLevel.value(s.squelchLevel), QStringLiteral("4"));
    QCOMPARE(en.voiceAnnunciation.value(s.voiceAnnunciation), QStringLiteral("Chinese"));
    QCOMPARE(en.voxGainLevel.value(s.voxGainLevel), QStringLiteral("5"));
    QCOMPARE(en.voxDelayTime.value(s.voxDelayTime), QStringLiteral("1.0"));
    QCOMPARE(en.callTone.value(s.callTone), QStringLiteral("Off"));
    QCOMPARE(en.callKeyDefine.value(s.callKeyDefine), QStringLiteral("Off"));
    QVERIFY(s.beep);
    QVERIFY(s.batterySaver);

    // OK at once: only Call Key Define changes, from 0xFF to 2.
    MemoryImage stored = image;
    StoreOptionalFeatures(stored, s);
    QCOMPARE(differences(image, stored), QList<int> { mem::CallKeyDefine });
    QCOMPARE(int(stored.at(mem::CallKeyDefine)), 2);
}

void TestDialogRules::optionalFeaturesStore_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("member"); // which position to change (index into the state)
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("after");

    enum { Tot, Pre, Sq, Voice, Gain, Delay, Tone, Key, Beep, Saver };
    QTest::newRow("600s keeps bit 7 set") << mem::TimeOutTimer << 0x84 << int(Tot) << 39 << 0xA8;
    QTest::newRow("600s keeps bit 7 clear") << mem::TimeOutTimer << 0x04 << int(Tot) << 39 << 0x28;
    QTest::newRow("timer none stores code 0")
        << mem::TimeOutTimer << 0x84 << int(Tot) << -1 << 0x80;
    QTest::newRow("pre-alert Off is code 1") << mem::TotPreAlert << 0x59 << int(Pre) << 0 << 0x51;
    QTest::newRow("pre-alert 10 is code 11") << mem::TotPreAlert << 0x59 << int(Pre) << 10 << 0x5B;
    QTest::newRow("squelch 7 into A3") << mem::SquelchLevel << 0xA3 << int(Sq) << 7 << 0xA7;
    QTest::newRow("squelch none keeps high bits")
        << mem::SquelchLevel << 0xAF << int(Sq) << -1 << 0xA0;
    QTest::newRow("gain 16 keeps bits 5-7") << mem::VoxGainLevel << 0xE5 << int(Gain) << 16 << 0xF0;
    QTest::newRow("gain none keeps bits 5-7")
        << mem::VoxGainLevel << 0xFF << int(Gain) << -1 << 0xE0;
    QTest::newRow("delay 3.0 keeps bits 3-7")
        << mem::VoxDelayTime << 0xFA << int(Delay) << 5 << 0xFD;
    QTest::newRow("delay none keeps bits 3-7")
        << mem::VoxDelayTime << 0xFF << int(Delay) << -1 << 0xF8;
    QTest::newRow("call tone 16") << mem::CallTone << 0x00 << int(Tone) << 16 << 16;
    QTest::newRow("call tone none is FF") << mem::CallTone << 0x00 << int(Tone) << -1 << 0xFF;
    QTest::newRow("voice English") << mem::VoiceAnnunciation << 0x01 << int(Voice) << 2 << 2;
    QTest::newRow("voice none is Off") << mem::VoiceAnnunciation << 0x01 << int(Voice) << -1 << 0;
    QTest::newRow("call key Call") << mem::CallKeyDefine << 0xFF << int(Key) << 1 << 0;
    QTest::newRow("call key Emergency") << mem::CallKeyDefine << 0xFF << int(Key) << 2 << 1;
    QTest::newRow("call key none") << mem::CallKeyDefine << 0x00 << int(Key) << -1 << 2;
    QTest::newRow("beep off into FF") << mem::Beep << 0xFF << int(Beep) << 0 << 0xFE;
    QTest::newRow("saver on keeps bits") << mem::BatterySaver << 0xA0 << int(Saver) << 1 << 0xA1;
}

void TestDialogRules::optionalFeaturesStore()
{
    QFETCH(int, offset);
    QFETCH(int, before);
    QFETCH(int, member);
    QFETCH(int, position);
    QFETCH(int, after);

    MemoryImage image = MemoryImage::defaults();
    image[offset] = static_cast<std::uint8_t>(before);
    OptionalFeaturesState s = LoadOptionalFeatures(image);
    int *positions[] = { &s.timeOutTimer, &s.totPreAlert, &s.squelchLevel, &s.voiceAnnunciation,
        &s.voxGainLevel, &s.voxDelayTime, &s.callTone, &s.callKeyDefine };
    if (member < 8)
        *positions[member] = position;
    else if (member == 8)
        s.beep = position != 0;
    else
        s.batterySaver = position != 0;
    const MemoryImage original = image;
    StoreOptionalFeatures(image, s);
    QCOMPARE(int(image.at(offset)), after);
    // Nothing but this byte and Call Key Define (0xFF in a new image becomes 2) changes.
    for (int i : differences(original, image))
        QVERIFY2(i == offset || i == mem::CallKeyDefine, qPrintable(QString::number(i, 16)));
}

void TestDialogRules::optionalFeaturesLoadFallbacks_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("position");

    QTest::newRow("voice 5 opens Off") << mem::VoiceAnnunciation << 5 << "voice" << 0;
    QTest::newRow("voice 2 English") << mem::VoiceAnnunciation << 2 << "voice" << 2;
    QTest::newRow("call key 0 is Call") << mem::CallKeyDefine << 0 << "key" << 1;
    QTest::newRow("call key 7 is Off") << mem::CallKeyDefine << 7 << "key" << 0;
    QTest::newRow("timer code 0 none") << mem::TimeOutTimer << 0x80 << "tot" << -1;
    QTest::newRow("timer code 41 none") << mem::TimeOutTimer << 41 << "tot" << -1;
    QTest::newRow("timer ignores bit 7") << mem::TimeOutTimer << 0xA8 << "tot" << 39;
    QTest::newRow("squelch 10 none") << mem::SquelchLevel << 0x0A << "sq" << -1;
    QTest::newRow("call tone 17 none") << mem::CallTone << 17 << "tone" << -1;
    QTest::newRow("delay 6 none") << mem::VoxDelayTime << 6 << "delay" << -1;
    QTest::newRow("gain 17 none") << mem::VoxGainLevel << 17 << "gain" << -1;
}

void TestDialogRules::optionalFeaturesLoadFallbacks()
{
    QFETCH(int, offset);
    QFETCH(int, byte);
    QFETCH(QString, field);
    QFETCH(int, position);
    MemoryImage image = MemoryImage::defaults();
    image[offset] = static_cast<std::uint8_t>(byte);
    const OptionalFeaturesState s = LoadOptionalFeatures(image);
    const QMap<QString, int> got { { "voice", s.voiceAnnunciation }, { "key", s.callKeyDefine },
        { "tot", s.timeOutTimer }, { "sq", s.squelchLevel }, { "tone", s.callTone },
        { "delay", s.voxDelayTime }, { "gain", s.voxGainLevel } };
    QCOMPARE(got.value(field), position);
}

void TestDialogRules::optionalFeaturesLists()
{
    const OptionalFeaturesLists en = BuildOptionalFeaturesLists(Language::English);
    QCOMPARE(en.timeOutTimer.size(), 40);
    QCOMPARE(en.timeOutTimer.first(), QStringLiteral("15s"));
    QCOMPARE(en.timeOutTimer.last(), QStringLiteral("600s"));
    QCOMPARE(en.totPreAlert.size(), 11);
    QCOMPARE(en.totPreAlert.last(), QStringLiteral("10"));
    QCOMPARE(en.voxGainLevel.size(), 17);
    QCOMPARE(en.callTone.last(), QStringLiteral("16"));
    QCOMPARE(en.voxDelayTime, QStringList({ "0.3", "0.5", "1.0", "1.5", "2.0", "3.0" }));
    QCOMPARE(en.callKeyDefine, QStringList({ "Off", "Call", "Emergency Alert" }));

    const OptionalFeaturesLists zh = BuildOptionalFeaturesLists(Language::Chinese);
    QCOMPARE(zh.timeOutTimer, en.timeOutTimer);
    QCOMPARE(zh.totPreAlert.first(), QString::fromUtf8("关"));
    QCOMPARE(zh.callTone.first(), QString::fromUtf8("关"));
    QCOMPARE(zh.voiceAnnunciation,
        QStringList(
            { QString::fromUtf8("关"), QString::fromUtf8("中文"), QString::fromUtf8("英文") }));
    QCOMPARE(zh.callKeyDefine,
        QStringList(
            { QString::fromUtf8("关"), QString::fromUtf8("呼叫"), QString::fromUtf8("紧急报警") }));
}

void TestDialogRules::keyDisposition_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("disposition");
    const int pass = int(KeyDisposition::Pass), drop = int(KeyDisposition::Discard),
              help = int(KeyDisposition::Help);
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier, pad = Qt::KeypadModifier;
    QTest::newRow("digit 0") << int(Qt::Key_0) << none << pass;
    QTest::newRow("digit 9") << int(Qt::Key_9) << none << pass;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << pad << pass;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << pass;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << pass;
    QTest::newRow("up") << int(Qt::Key_Up) << none << pass;
    QTest::newRow("down") << int(Qt::Key_Down) << none << pass;
    QTest::newRow("left") << int(Qt::Key_Left) << none << pass;
    QTest::newRow("right") << int(Qt::Key_Right) << none << pass;
    QTest::newRow("shift up") << int(Qt::Key_Up) << shift << drop;
    QTest::newRow("shift digit") << int(Qt::Key_1) << shift << drop;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << pass;
    QTest::newRow("backtab") << int(Qt::Key_Backtab) << shift << pass;
    QTest::newRow("enter") << int(Qt::Key_Return) << none << pass;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << pad << pass;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << pass;
    QTest::newRow("space") << int(Qt::Key_Space) << none << pass;
    QTest::newRow("letter") << int(Qt::Key_A) << none << drop;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << none << drop;
    QTest::newRow("home") << int(Qt::Key_Home) << none << drop;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << help;
    QTest::newRow("shift F1") << int(Qt::Key_F1) << shift << help;
    QTest::newRow("alt letter passes") << int(Qt::Key_O) << int(Qt::AltModifier) << pass;
}

void TestDialogRules::keyDisposition()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, disposition);
    QCOMPARE(
        int(OptionalFeaturesKeyDisposition(key, Qt::KeyboardModifiers(modifiers))), disposition);
}

void TestDialogRules::lookBackStep_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("shown");
    QTest::newRow("5.0 lower arrow wraps") << 5.0 << +1 << "0.5";
    QTest::newRow("0.5 upper arrow wraps") << 0.5 << -1 << "5";
    QTest::newRow("0.9 up one step") << 0.9 << +1 << "0.95";
    QTest::newRow("0.95 down one step") << 0.95 << -1 << "0.9";
    QTest::newRow("1.5 down") << 1.5 << -1 << "1.45";
    QTest::newRow("4.95 up to 5") << 4.95 << +1 << "5";
    QTest::newRow("0.55 down to 0.5") << 0.55 << -1 << "0.5";
    QTest::newRow("off grid up snaps") << 1.23 << +1 << "1.25";
    QTest::newRow("off grid down snaps") << 1.23 << -1 << "1.2";
    QTest::newRow("below range up") << 0.1 << +1 << "0.5";
    QTest::newRow("above range down") << 9.0 << -1 << "5";
}

void TestDialogRules::lookBackStep()
{
    QFETCH(double, x);
    QFETCH(int, delta);
    QFETCH(QString, shown);
    QCOMPARE(FormatLookBackTime(LookBackStep(x, delta)), shown);
}

void TestDialogRules::lookBackCorrection_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1.23 to 1.2") << 1.23 << "1.2";
    QTest::newRow("7 to 5") << 7.0 << "5";
    QTest::newRow("0.2 to 0.5") << 0.2 << "0.5";
    QTest::newRow("negative to 0.5") << -3.0 << "0.5";
    QTest::newRow("0.5 stays") << 0.5 << "0.5";
    QTest::newRow("0.7 stays") << 0.7 << "0.7";
    QTest::newRow("0.95 stays") << 0.95 << "0.95";
    QTest::newRow("5 stays") << 5.0 << "5";
}

void TestDialogRules::lookBackCorrection()
{
    QFETCH(double, x);
    QFETCH(QString, shown);
    QCOMPARE(FormatLookBackTime(LookBackCorrection(x)), shown);
}

void TestDialogRules::counterRules_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("delta"); // 0: correction
    QTest::addColumn<int>("result");
    QTest::newRow("300 lower arrow wraps to 0") << 300 << +1 << 0;
    QTest::newRow("0 upper arrow wraps to 300") << 0 << -1 << 300;
    QTest::newRow("48 up") << 48 << +1 << 49;
    QTest::newRow("48 down") << 48 << -1 << 47;
    QTest::newRow("999 up wraps") << 999 << +1 << 0;
    QTest::newRow("999 corrected") << 999 << 0 << 300;
    QTest::newRow("negative corrected") << -5 << 0 << 0;
    QTest::newRow("150 corrected stays") << 150 << 0 << 150;
}

void TestDialogRules::counterRules()
{
    QFETCH(int, v);
    QFETCH(int, delta);
    QFETCH(int, result);
    QCOMPARE(delta ? CounterStep(v, delta) : CounterCorrection(v), result);
}

void TestDialogRules::numberBoxes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numberOk");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("integerOk");
    QTest::addColumn<int>("integer");
    QTest::newRow("plain") << "1.5" << true << 1.5 << false << 0;
    QTest::newRow("blanks around") << "  48 " << true << 48.0 << true << 48;
    QTest::newRow("leading dot") << ".5" << true << 0.5 << false << 0;
    QTest::newRow("exponent") << "5e-1" << true << 0.5 << false << 0;
    QTest::newRow("empty") << "" << false << 0.0 << false << 0;
    QTest::newRow("letters after") << "1.2x" << false << 0.0 << false << 0;
    QTest::newRow("two numbers") << "1 2" << false << 0.0 << false << 0;
    QTest::newRow("nan") << "nan" << false << 0.0 << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0.0 << false << 0;
    QTest::newRow("too big for int") << "99999999999" << true << 99999999999.0 << false << 0;
    QTest::newRow("negative") << "-3" << true << -3.0 << true << -3;
}

void TestDialogRules::numberBoxes()
{
    QFETCH(QString, text);
    QFETCH(bool, numberOk);
    QFETCH(double, number);
    QFETCH(bool, integerOk);
    QFETCH(int, integer);
    double d = -1;
    QCOMPARE(ParseNumberBox(text, &d), numberOk);
    if (numberOk)
        QCOMPARE(d, number);
    int n = -1;
    QCOMPARE(ParseIntegerBox(text, &n), integerOk);
    if (integerOk)
        QCOMPARE(n, integer);
}

void TestDialogRules::priorityRules_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("revert");
    QTest::newRow("None") << 0 << false << QStringList { "Selected", "Selected+Talk back" };
    QTest::newRow("Fixed") << 1 << true
                           << QStringList { "Selected", "Selected+Talk back", "Priority",
                                  "Priority+Talk back" };
    QTest::newRow("Selected") << 2 << false << QStringList { "Priority", "Priority+Talk back" };
    QTest::newRow("no selection") << -1 << false
                                  << QStringList { "Priority", "Priority+Talk back" };
}

void TestDialogRules::priorityRules()
{
    QFETCH(int, priority);
    QFETCH(bool, enabled);
    QFETCH(QStringList, revert);
    const PriorityRule r = PriorityRuleOf(priority, Language::English);
    QCOMPARE(r.channelEnabled, enabled);
    QCOMPARE(r.lookBackEnabled, enabled);
    QCOMPARE(r.revertEntries, revert);
    QCOMPARE(PriorityRuleOf(priority, Language::Chinese).revertEntries.size(), revert.size());
}

void TestDialogRules::priorityChannelCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("usable");
    QTest::newRow("blank and 3, channel set") << " 3" << 3 << true;
    QTest::newRow("16, channel set") << "16" << 16 << true;
    QTest::newRow("5, channel empty") << " 5" << 5 << false;
    QTest::newRow("zero") << "0" << 0 << false;
    QTest::newRow("17 names no channel") << "17" << 17 << false;
    QTest::newRow("99 names no channel") << "99" << 99 << false;
    QTest::newRow("minus") << "-1" << -1 << false;
    QTest::newRow("lone minus") << "-" << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("digits then text") << "3a" << 3 << true;
    QTest::newRow("channel with 00 msb") << "7" << 7 << false;
}

void TestDialogRules::priorityChannelCheck()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(bool, usable);
    MemoryImage image = MemoryImage::defaults();
    setRx(image, 3, 0x14);
    setRx(image, 16, 0x44);
    setRx(image, 7, 0x00);
    QCOMPARE(PriorityChannelNumber(text), number);
    QCOMPARE(IsPriorityChannelUsable(image, number), usable);
}

void TestDialogRules::scanInfoRoundTripKeepsLookBackCodes()
{
    for (int code = 1; code <= 91; ++code) {
        MemoryImage image = MemoryImage::defaults();
        image[mem::LookBackTimeA] = static_cast<std::uint8_t>(code);
        image[mem::LookBackTimeB] = static_cast<std::uint8_t>(92 - code);
        const MemoryImage before = image;
        ScanInfoState s = LoadScanInfo(image);
        // What the boxes show is what the exchange reads back.
        double a = 0, b = 0;
        QVERIFY(ParseNumberBox(FormatLookBackTime(s.lookBackA), &a));
        QVERIFY(ParseNumberBox(FormatLookBackTime(s.lookBackB), &b));
        s.lookBackA = LookBackCorrection(a);
        s.lookBackB = LookBackCorrection(b);
        QCOMPARE(StoreScanInfo(image, s), ScanInfoStoreResult::Stored);
        QVERIFY2(image == before, qPrintable(QStringLiteral("code %1").arg(code)));
    }
}

void TestDialogRules::scanInfoStore_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<int>("revertPosition");
    QTest::addColumn<int>("revertCode");
    QTest::addColumn<int>("dropout");
    QTest::newRow("Selected, Priority+Talk back") << 2 << 1 << 3 << 300;
    QTest::newRow("Selected, Priority") << 2 << 0 << 2 << 0;
    QTest::newRow("None, Selected+Talk back") << 0 << 1 << 1 << 48;
    QTest::newRow("Selected, no entry") << 2 << -1 << 0xFF << 48;
    QTest::newRow("None, no entry") << 0 << -1 << 0xFF << 48;
}

void TestDialogRules::scanInfoStore()
{
    QFETCH(int, priority);
    QFETCH(int, revertPosition);
    QFETCH(int, revertCode);
    QFETCH(int, dropout);
    MemoryImage image = MemoryImage::defaults();
    ScanInfoState s = LoadScanInfo(image);
    s.priority = priority;
    s.revertChannel = revertPosition;
    s.dropoutDelay = dropout;
    QCOMPARE(StoreScanInfo(image, s), ScanInfoStoreResult::Stored);
    QCOMPARE(int(image.at(mem::Priority)), priority);
    QCOMPARE(int(image.at(mem::RevertChannel)), revertCode);
    QCOMPARE(image.word(mem::DropoutDelayTime), dropout);
    QCOMPARE(int(image.at(mem::PriorityChannel)), 0x11); // not Fixed: left as it is
    // Reopening selects the same entry.
    QCOMPARE(LoadScanInfo(image).revertChannel, revertPosition);
}

void TestDialogRules::scanInfoRefusalStoresNothing()
{
    MemoryImage image = MemoryImage::defaults();
    ScanInfoState s = LoadScanInfo(image);
    s.priority = 1;
    s.priorityChannel = QStringLiteral(" 3");
    s.dropoutDelay = 100;
    const MemoryImage before = image;
    QCOMPARE(StoreScanInfo(image, s), ScanInfoStoreResult::ChannelRefused);
    QVERIFY(image == before);

    setRx(image, 3, 0x14);
    QCOMPARE(StoreScanInfo(image, s), ScanInfoStoreResult::Stored);
    QCOMPARE(int(image.at(mem::Priority)), 1);
    QCOMPARE(int(image.at(mem::PriorityChannel)), 3);
    QCOMPARE(image.word(mem::DropoutDelayTime), 100);
    // Fixed reopens with "%2d".
    QCOMPARE(LoadScanInfo(image).priorityChannel, QStringLiteral(" 3"));
}

void TestDialogRules::scanInfoOpenAndOkChangesNoByte_data()
{
    QTest::addColumn<int>("row");
    const QList<testing::ScanInfoImage> rows = testing::ScanInfoImages();
    for (int i = 0; i < rows.size(); ++i)
        QTest::newRow(rows[i].name) << i;
}

void TestDialogRules::scanInfoOpenAndOkChangesNoByte()
{
    QFETCH(int, row);
    const testing::ScanInfoImage r = testing::ScanInfoImages().at(row);
    MemoryImage image = testing::ScanInfoImageOf(r);
    const MemoryImage before = image;
    ScanInfoState s = LoadScanInfo(image);
    // The exchange reads back what the boxes show.
    QVERIFY(ParseNumberBox(FormatLookBackTime(s.lookBackA), &s.lookBackA));
    QVERIFY(ParseNumberBox(FormatLookBackTime(s.lookBackB), &s.lookBackB));
    QVERIFY(ParseIntegerBox(QString::number(s.dropoutDelay), &s.dropoutDelay));
    QVERIFY(ParseIntegerBox(QString::number(s.txDwell), &s.txDwell));
    QCOMPARE(StoreScanInfo(image, s),
        r.priorityChannelUsable ? ScanInfoStoreResult::Stored
                                : ScanInfoStoreResult::ChannelRefused);
    QCOMPARE(differences(before, image), QList<int>());
}

void TestDialogRules::scanInfoChangedFieldIsStillStored()
{
    // Only the fields whose value changed are written, each in full.
    MemoryImage image = testing::ScanInfoImageOf(testing::ScanInfoImages().at(1)); // all FF
    ScanInfoState s = LoadScanInfo(image);
    s.lookBackB = 5.0;
    s.txDwell = 300;
    const MemoryImage before = image;
    QCOMPARE(StoreScanInfo(image, s), ScanInfoStoreResult::Stored);
    QCOMPARE(differences(before, image), (QList<int> { 0x163, 0x167, 0x168 }));
    QCOMPARE(int(image.at(mem::LookBackTimeB)), 91);
    QCOMPARE(image.word(mem::TxDwellTime), 300);

    // A new Priority rewrites the Revert Channel code under its own list.
    s = LoadScanInfo(image);
    s.priority = 2;
    s.revertChannel = 0;
    QCOMPARE(StoreScanInfo(image, s), ScanInfoStoreResult::Stored);
    QCOMPARE(int(image.at(mem::Priority)), 2);
    QCOMPARE(int(image.at(mem::RevertChannel)), 2);
}

void TestDialogRules::productLists()
{
    QTemporaryDir dir;
    CIniFile ini;
    QVERIFY(openIni(ini, dir,
        "[Setup]\nType1=A\nType2=B\nType3=C\nType5=E\n"
        "Field2=136 - 174MHz|400 - 480MHz\nField3=1 | 2\n"));
    QCOMPARE(ProductTypeList(ini), QStringList({ "A", "B", "C" }));
    QCOMPARE(ProductBandList(ini, 1), QStringList({ "136 - 174MHz", "400 - 480MHz" }));
    QCOMPARE(ProductBandList(ini, 2), QStringList({ "1 ", " 2" }));
    QCOMPARE(ProductBandList(ini, 0), QStringList({ "" }));
    QCOMPARE(ProductBandList(ini, -1), QStringList({ "" }));

    CIniFile many;
    QByteArray text("[Setup]\n");
    for (int k = 1; k <= 21; ++k)
        text += "Type" + QByteArray::number(k) + "=T" + QByteArray::number(k) + "\n";
    QTemporaryDir dir2;
    QVERIFY(openIni(many, dir2, text));
    QCOMPARE(ProductTypeList(many).size(), MaxProductTypes);
}

void TestDialogRules::productChoiceAndCaption()
{
    MemoryImage image = MemoryImage::defaults();
    StoreProductChoice(image, 1, 1);
    QCOMPARE(int(image.at(mem::ProductType)), 1);
    QCOMPARE(int(image.at(mem::FrequencyBand)), 1);
    StoreProductChoice(image, -1, -1);
    QCOMPARE(int(image.at(mem::ProductType)), 0xFF);
    QCOMPARE(int(image.at(mem::FrequencyBand)), 0xFF);
    QCOMPARE(ProductCaption("X", "B", "400 - 480MHz"),
        QStringLiteral("X  [ Type:B  Fre:400 - 480MHz ]"));
    QCOMPARE(ProductCaption("X", "", ""), QStringLiteral("X  [ Type:  Fre: ]"));
}

void TestDialogRules::productListPosition_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("position");
    QTest::newRow("inside") << 1 << 2 << 1;
    QTest::newRow("type 7 of three") << 7 << 3 << -1;
    QTest::newRow("negative") << -1 << 3 << -1;
    QTest::newRow("empty list") << 0 << 0 << -1;
}

void TestDialogRules::productListPosition()
{
    QFETCH(int, stored);
    QFETCH(int, count);
    QFETCH(int, position);
    QCOMPARE(ProductListPosition(stored, count), position);
}

void TestDialogRules::comChoice_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("port");
    QTest::newRow("com1") << 1 << 0 << "com1";
    QTest::newRow("com4") << 4 << 3 << "com4";
    QTest::newRow("zero: none checked") << 0 << -1 << "com0";
    QTest::newRow("five: none checked") << 5 << -1 << "com0";
}

void TestDialogRules::comChoice()
{
    QFETCH(int, stored);
    QFETCH(int, index);
    QFETCH(QString, port);
    QCOMPARE(ComIndexOfStored(stored), index);
    UserSettings store(QStringLiteral("DialogRulesTest"));
    QCOMPARE(StoreComChoice(store, index), port);
    QCOMPARE(store.value(QStringLiteral("com"), -99), index + 1);
    QVERIFY(store.fileName().startsWith(m_config.path()));
}

void TestDialogRules::languageChoice_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("English kept") << false << 0 << false << "English";
    QTest::newRow("English to Chinese") << false << 1 << true << "Chinese";
    QTest::newRow("Chinese kept") << true << 1 << false << "English";
    QTest::newRow("Chinese to English") << true << 0 << true << "English";
}

void TestDialogRules::languageChoice()
{
    QFETCH(bool, chinese);
    QFETCH(int, index);
    QFETCH(bool, changed);
    QFETCH(QString, stored);
    QTemporaryDir dir;
    CIniFile ini;
    // The file holds English whatever runs, so "kept" must leave it alone.
    QVERIFY(openIni(ini, dir, "[Setup]\nLanguage=English\n"));
    QCOMPARE(StoreLanguageChoice(ini, index, chinese), changed);
    QCOMPARE(ini.GetValue("Setup", "Language"), stored);
    QCOMPARE(ini.isModified(), changed && stored != QLatin1String("English"));
}

QTEST_GUILESS_MAIN(TestDialogRules)
#include "tst_DialogRules.moc"
