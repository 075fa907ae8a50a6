// SPDX-License-Identifier: GPL-3.0-or-later
// Value codecs: decimal product, frequencies, tones, DCS codes and options.
#include "core/image/Codecs.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(OptionKind)
Q_DECLARE_METATYPE(Language)

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

QByteArray Hex(const FrequencyBytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), 4).toHex(' ');
}

QByteArray Hex(ToneWord w)
{
    const char bytes[] = { static_cast<char>(w.low), static_cast<char>(w.high) };
    return QByteArray(bytes, 2).toHex(' ');
}

FrequencyBytes Bytes(const char *hex)
{
    const QByteArray raw = QByteArray::fromHex(hex);
    return { static_cast<std::uint8_t>(raw[0]), static_cast<std::uint8_t>(raw[1]),
        static_cast<std::uint8_t>(raw[2]), static_cast<std::uint8_t>(raw[3]) };
}

// Digits in every nibble, except the top byte's high nibble, which goes on past 9.
bool NibblesAreDigits(const FrequencyBytes &b)
{
    if (b == FrequencyBytes { 0xFF, 0xFF, 0xFF, 0xFF })
        return true;
    for (int i = 0; i < 4; ++i)
        if ((i < 3 && (b[i] >> 4) > 9) || ((b[i] & 0x0F) > 9 && (b[i] >> 4) != 0xF))
            return false;
    return true;
}

// A canonical byte: two decimal digits.
std::uint8_t DigitByte(int pair)
{
    return static_cast<std::uint8_t>((pair / 10) * 16 + pair % 10);
}

} // namespace

class TestCodecs : public QObject
{
    Q_OBJECT

private slots:
    void decimalMultiply_data();
    void decimalMultiply();
    void decimalMultiplyNonFinite();
    void everyStepOfTheBandsParsesExactly();

    void parseFrequency_data();
    void parseFrequency();
    void parseFrequencyIgnoresLocale();
    void parseFrequencyDecimalOnly_data();
    void parseFrequencyDecimalOnly();

    void encodeFrequency_data();
    void encodeFrequency();
    void decodeFrequency_data();
    void decodeFrequency();
    void everyDecodedFrequencyEncodesToItsBytes();

    void rangeAndStep_data();
    void rangeAndStep();
    void badTextNeverPassesAnyBand_data();
    void badTextNeverPassesAnyBand();

    void encodeTone_data();
    void encodeTone();
    void decodeTone_data();
    void decodeTone();
    void everyListedToneRoundTrips();
    void toneList();

    void dcsCodes();
    void dcsSamples_data();
    void dcsSamples();

    void optionTexts_data();
    void optionTexts();
    void encodeOption_data();
    void encodeOption();
    void decodeOption_data();
    void decodeOption();
};

void TestCodecs::decimalMultiply_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("factor");
    QTest::addColumn<qint64>("truncated");

    QTest::newRow("145.125 MHz") << 145.125 << 100000.0 << qint64(14512500);
    QTest::newRow("67.0 Hz") << 67.0 << 10.0 << qint64(670);
    // Plain binary products of these come out one lower.
    QTest::newRow("136.2 MHz") << 136.2 << 100000.0 << qint64(13620000);
    QTest::newRow("1.15 x 100") << 1.15 << 100.0 << qint64(115);
    QTest::newRow("8.2 MHz") << 8.2 << 100000.0 << qint64(820000);
    QTest::newRow("look back 0.5") << (0.5 - 0.45) << 20.0 << qint64(1);
    QTest::newRow("look back 0.7") << (0.7 - 0.45) << 20.0 << qint64(5);
    QTest::newRow("look back 0.95") << (0.95 - 0.45) << 20.0 << qint64(10);
    QTest::newRow("negative") << -1.5 << 2.0 << qint64(-3);
    QTest::newRow("negative factor") << 145.125 << -100000.0 << qint64(-14512500);
    QTest::newRow("zero") << 0.0 << 100000.0 << qint64(0);
    QTest::newRow("fraction kept") << 145.12499 << 100000.0 << qint64(14512499);
    // 16 significant digits are rounded to 15 first.
    QTest::newRow("rounded to 15 digits") << 0.1234567890123456 << 1e16 << qint64(1234567890123460);
}

void TestCodecs::decimalMultiply()
{
    QFETCH(double, value);
    QFETCH(double, factor);
    QFETCH(qint64, truncated);
    QCOMPARE(qint64(std::trunc(DecimalMultiply(value, factor))), truncated);
}

void TestCodecs::decimalMultiplyNonFinite()
{
    QVERIFY(std::isinf(DecimalMultiply(1e300, 1e300)));
    QVERIFY(DecimalMultiply(-1e300, 1e300) < 0);
    QCOMPARE(DecimalMultiply(1e-300, 1e-300), 0.0);
    QVERIFY(std::isinf(DecimalMultiply(std::numeric_limits<double>::infinity(), 10)));
    QVERIFY(std::isnan(DecimalMultiply(std::nan(""), 10)));
    QVERIFY(std::isnan(DecimalMultiply(std::numeric_limits<double>::infinity(), 0)));
    QCOMPARE(DecimalMultiply(std::numeric_limits<double>::denorm_min(), 1),
        std::numeric_limits<double>::denorm_min());
}

void TestCodecs::everyStepOfTheBandsParsesExactly()
{
    // Every frequency a user can type on the 5 kHz and 6.25 kHz rasters of
    // the VHF and UHF bands comes back as exactly its own units.
    int checked = 0;
    for (std::int64_t u = 13000000; u <= 52000000; u += 125) {
        if (!IsOnStep(u))
            continue;
        const QString text
            = QStringLiteral("%1.%2").arg(u / 100000).arg(u % 100000, 5, 10, QLatin1Char('0'));
        const ParsedFrequency p = ParseFrequency(text);
        if (p.units != u || p.text != text)
            QFAIL(qPrintable(QStringLiteral("%1 gave %2 (%3)").arg(text).arg(p.units).arg(p.text)));
        if (DecodeFrequency(EncodeFrequency(p.units)) != text)
            QFAIL(qPrintable(text + QStringLiteral(" did not survive encode and decode")));
        ++checked;
    }
    QVERIFY(checked > 100000);
}

void TestCodecs::parseFrequency_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("units");

    QTest::newRow("145.125") << "145.125"
                             << "145.12500" << qint64(14512500);
    QTest::newRow("145.12499") << "145.12499"
                               << "145.12499" << qint64(14512499);
    QTest::newRow("438.00625") << "438.00625"
                               << "438.00625" << qint64(43800625);
    QTest::newRow("blanks and tail") << " \t146.52MHz"
                                     << "146.52000" << qint64(14652000);
    QTest::newRow("exponent") << "1.4e2"
                              << "140.00000" << qint64(14000000);
    QTest::newRow("plus sign") << "+160"
                               << "160.00000" << qint64(16000000);
    QTest::newRow("more decimals truncate") << "145.1250099"
                                            << "145.12501" << qint64(14512500);
    QTest::newRow("not a number") << "abc"
                                  << "0.00000" << qint64(0);
    QTest::newRow("empty") << ""
                           << "0.00000" << qint64(0);
    QTest::newRow("comma reads as a point") << "145,125"
                                            << "145.12500" << qint64(14512500);
    QTest::newRow("negative") << "-5"
                              << "-5.00000" << qint64(-500000);
    QTest::newRow("largest") << "999.99999"
                             << "999.99999" << qint64(99999999);
    QTest::newRow("one beyond eight digits") << "1000"
                                             << "1000.00000" << qint64(100000000);
    QTest::newRow("1e308") << "1e308"
                           << "1.00000e+308" << kMax;
    QTest::newRow("-1e308") << "-1e308"
                            << "-1.00000e+308" << kMin;
    QTest::newRow("inf is no number") << "inf"
                                      << "0.00000" << qint64(0);
    QTest::newRow("-infinity is no number") << "-infinity"
                                            << "0.00000" << qint64(0);
    QTest::newRow("nan is no number") << "nan"
                                      << "0.00000" << qint64(0);
    QTest::newRow("invalid UTF-8") << QString::fromUtf8("\xff\xfe\xc3\x28"
                                                        "145")
                                   << "0.00000" << qint64(0);
    QTest::newRow("10000 digits") << QString(10000, QLatin1Char('9')) << "inf" << kMax;
}

void TestCodecs::parseFrequency()
{
    QFETCH(QString, input);
    QFETCH(QString, text);
    QFETCH(qint64, units);
    const ParsedFrequency p = ParseFrequency(input);
    QCOMPARE(p.text, text);
    QCOMPARE(qint64(p.units), units);
    QVERIFY(p.text.size() < 40);
}

void TestCodecs::parseFrequencyIgnoresLocale()
{
    // A user locale with a decimal comma must not change how numbers read or
    // print. Build a German locale privately when the system has none.
    QTemporaryDir dir;
    const char *name = "de_DE.UTF-8";
    if (!std::setlocale(LC_NUMERIC, name)) {
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
            { QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                QStringLiteral("UTF-8"), dir.filePath(QString::fromLatin1(name)) });
        if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0)
            QSKIP("no German locale and localedef failed");
        qputenv("LOCPATH", dir.path().toLocal8Bit());
        if (!std::setlocale(LC_NUMERIC, name))
            QSKIP("German locale could not be loaded");
    }
    QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray(","));
    const ParsedFrequency p = ParseFrequency(QStringLiteral("145.125"));
    const double product = DecimalMultiply(136.2, 100000);
    std::setlocale(LC_NUMERIC, "C");
    qunsetenv("LOCPATH");
    QCOMPARE(p.text, QStringLiteral("145.12500"));
    QCOMPARE(qint64(p.units), qint64(14512500));
    QCOMPARE(product, 13620000.0);
}

void TestCodecs::parseFrequencyDecimalOnly_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("units");
    // The C library would read these as hexadecimal numbers.
    QTest::newRow("0x91") << "0x91"
                          << "0.00000" << qint64(0);
    QTest::newRow("0x1p7") << "0x1p7"
                           << "0.00000" << qint64(0);
    QTest::newRow("0X91") << "0X91"
                          << "0.00000" << qint64(0);
    QTest::newRow("-0x91") << "-0x91"
                           << "-0.00000" << qint64(0);
    QTest::newRow("INF") << " INF"
                         << "0.00000" << qint64(0);
    QTest::newRow("+nan(1)") << "+nan(1)"
                             << "0.00000" << qint64(0);
    // A comma is a decimal separator, like the point.
    QTest::newRow("455,5") << "455,5"
                           << "455.50000" << qint64(45550000);
    QTest::newRow("145,125") << "145,125"
                             << "145.12500" << qint64(14512500);
    QTest::newRow("comma and exponent") << "1,45125e2"
                                        << "145.12500" << qint64(14512500);
    QTest::newRow(",5") << ",5"
                        << "0.50000" << qint64(50000);
    QTest::newRow(".5") << ".5"
                        << "0.50000" << qint64(50000);
    // One separator only: the second ends the number.
    QTest::newRow("145.125.5") << "145.125.5"
                               << "145.12500" << qint64(14512500);
    QTest::newRow("145,125.5") << "145,125.5"
                               << "145.12500" << qint64(14512500);
    QTest::newRow("point alone") << "."
                                 << "0.00000" << qint64(0);
    QTest::newRow("sign alone") << "-"
                                << "0.00000" << qint64(0);
    // An exponent needs a digit; without one the mantissa stands.
    QTest::newRow("1.45e") << "1.45e"
                           << "1.45000" << qint64(145000);
    QTest::newRow("145e+") << "145e+"
                           << "145.00000" << qint64(14500000);
    QTest::newRow("14.5E1") << "14.5E1"
                            << "145.00000" << qint64(14500000);
    QTest::newRow("1450e-1") << "1450e-1"
                             << "145.00000" << qint64(14500000);
    QTest::newRow("blank inside") << "145 .125"
                                  << "145.00000" << qint64(14500000);
    QTest::newRow("full-width digits") << QString::fromUtf8("１４５") << "0.00000" << qint64(0);
    QTest::newRow("embedded NUL") << QString::fromUtf8("14\0"
                                                       "5",
        4) << "14.00000" << qint64(1400000);
}

void TestCodecs::parseFrequencyDecimalOnly()
{
    QFETCH(QString, input);
    QFETCH(QString, text);
    QFETCH(qint64, units);
    const ParsedFrequency p = ParseFrequency(input);
    QCOMPARE(p.text, text);
    QCOMPARE(qint64(p.units), units);
}

void TestCodecs::encodeFrequency_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("145.125") << qint64(14512500) << QByteArray("00 25 51 14");
    QTest::newRow("10 MHz") << qint64(1000000) << QByteArray("00 00 00 01");
    QTest::newRow("largest") << qint64(99999999) << QByteArray("99 99 99 99");
    QTest::newRow("smallest") << qint64(1) << QByteArray("01 00 00 00");
    QTest::newRow("zero is none") << qint64(0) << QByteArray("ff ff ff ff");
    QTest::newRow("negative is none") << qint64(-500000) << QByteArray("ff ff ff ff");
    QTest::newRow("top pair 100 is a0") << qint64(100000000) << QByteArray("00 00 00 a0");
    QTest::newRow("top pair 105 is a5") << qint64(105000000) << QByteArray("00 00 00 a5");
    QTest::newRow("top pair 114") << qint64(114512500) << QByteArray("00 25 51 b4");
    QTest::newRow("top pair 159 is f9") << qint64(159999999) << QByteArray("99 99 99 f9");
    QTest::newRow("top pair 160 is fa") << qint64(160000000) << QByteArray("00 00 00 fa");
    QTest::newRow("largest the bytes give") << qint64(164999999) << QByteArray("99 99 99 fe");
    QTest::newRow("top pair 165 would be ff") << qint64(165000000) << QByteArray("ff ff ff ff");
    QTest::newRow("int64 max") << kMax << QByteArray("ff ff ff ff");
    QTest::newRow("int64 min") << kMin << QByteArray("ff ff ff ff");
}

void TestCodecs::encodeFrequency()
{
    QFETCH(qint64, units);
    QFETCH(QByteArray, bytes);
    const FrequencyBytes b = EncodeFrequency(units);
    QCOMPARE(Hex(b), bytes);
    QVERIFY(NibblesAreDigits(b));
}

void TestCodecs::decodeFrequency_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("units");

    QTest::newRow("145.125") << QByteArray("00255114") << "145.12500" << qint64(14512500);
    QTest::newRow("none") << QByteArray("ffffffff") << "" << qint64(166666665);
    QTest::newRow("msb 00 is blank") << QByteArray("00005000") << "" << qint64(500000);
    QTest::newRow("msb ff is blank") << QByteArray("002551ff") << "" << qint64(165512500);
    QTest::newRow("nibbles above 9 add up")
        << QByteArray("aa000001") << "10.00110" << qint64(1000110);
    QTest::newRow("all nibbles f") << QByteArray("fffffffe") << "1656.66665" << qint64(165666665);
    QTest::newRow("largest") << QByteArray("99999999") << "999.99999" << qint64(99999999);
}

void TestCodecs::decodeFrequency()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(qint64, units);
    const FrequencyBytes b = Bytes(bytes.constData());
    QCOMPARE(DecodeFrequency(b), text);
    QCOMPARE(qint64(FrequencyUnits(b)), units);
}

void TestCodecs::everyDecodedFrequencyEncodesToItsBytes()
{
    // Every top byte a frequency can have, with every two-digit value in each lower
    // byte (the other lower bytes drawn at random), then random whole patterns: the
    // decoded text, read back as typed, encodes to exactly the same bytes.
    QRandomGenerator rng(12);
    const auto check = [](const FrequencyBytes &b) {
        const QString text = DecodeFrequency(b);
        const ParsedFrequency p = ParseFrequency(text);
        if (text.isEmpty() || p.text != text || EncodeFrequency(p.units) != b)
            QFAIL(qPrintable(QStringLiteral("%1 -> %2 -> %3")
                                 .arg(QString::fromLatin1(Hex(b)), text,
                                     QString::fromLatin1(Hex(EncodeFrequency(p.units))))));
    };
    int checked = 0;
    for (int top = 0x01; top <= 0xFE; ++top) {
        if ((top & 0x0F) > 9 && (top >> 4) != 0xF)
            continue; // 1A reads like 20: one text, two byte forms
        for (int pos = 0; pos < 3; ++pos)
            for (int pair = 0; pair < 100; ++pair) {
                FrequencyBytes b { DigitByte(rng.bounded(100)), DigitByte(rng.bounded(100)),
                    DigitByte(rng.bounded(100)), static_cast<std::uint8_t>(top) };
                b[pos] = DigitByte(pair);
                check(b);
                ++checked;
            }
    }
    for (int i = 0; i < 200000; ++i) {
        int top = rng.bounded(0x01, 0xFF);
        if ((top & 0x0F) > 9 && (top >> 4) != 0xF)
            top = DigitByte(top % 100 == 0 ? 1 : top % 100);
        check({ DigitByte(rng.bounded(100)), DigitByte(rng.bounded(100)),
            DigitByte(rng.bounded(100)), static_cast<std::uint8_t>(top) });
        ++checked;
    }
    QVERIFY(checked == 164 * 300 + 200000);
}

void TestCodecs::rangeAndStep_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<qint64>("low");
    QTest::addColumn<qint64>("high");
    QTest::addColumn<bool>("inBand");
    QTest::addColumn<bool>("onStep");

    QTest::newRow("high edge") << qint64(16000000) << qint64(13000000) << qint64(16000000) << true
                               << true;
    QTest::newRow("above high") << qint64(16000001) << qint64(13000000) << qint64(16000000) << false
                                << false;
    QTest::newRow("low edge") << qint64(13000000) << qint64(13000000) << qint64(16000000) << true
                              << true;
    QTest::newRow("6.25 kHz") << qint64(43800625) << qint64(40000000) << qint64(47000000) << true
                              << true;
    QTest::newRow("neither step") << qint64(43800750) << qint64(40000000) << qint64(47000000)
                                  << true << false;
    QTest::newRow("off step") << qint64(14512499) << qint64(13000000) << qint64(16000000) << true
                              << false;
    QTest::newRow("zero in empty band") << qint64(0) << qint64(0) << qint64(0) << true << true;
    QTest::newRow("zero in a real band")
        << qint64(0) << qint64(13000000) << qint64(16000000) << false << true;
    QTest::newRow("negative, wide band") << qint64(-500000) << kMin << kMax << false << true;
    QTest::newRow("nine digits, wide band")
        << qint64(100000000) << qint64(0) << kMax << false << true;
    QTest::newRow("int64 max") << kMax << kMin << kMax << false << false;
}

void TestCodecs::rangeAndStep()
{
    QFETCH(qint64, units);
    QFETCH(qint64, low);
    QFETCH(qint64, high);
    QFETCH(bool, inBand);
    QFETCH(bool, onStep);
    QCOMPARE(IsInBand(units, low, high), inBand);
    QCOMPARE(IsOnStep(units), onStep);
}

void TestCodecs::badTextNeverPassesAnyBand_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("1e308") << "1e308";
    QTest::newRow("-1e308") << "-1e308";
    QTest::newRow("inf") << "inf";
    QTest::newRow("-inf") << "-inf";
    QTest::newRow("nan") << "nan";
    QTest::newRow("-5") << "-5";
    QTest::newRow("-145.125") << "-145.125";
    QTest::newRow("1650") << "1650";
    QTest::newRow("0x91") << "0x91";
    QTest::newRow("0x1p7") << "0x1p7";
    QTest::newRow("1e9") << "1e9";
    QTest::newRow("long") << QString(10000, QLatin1Char('1'));
}

void TestCodecs::badTextNeverPassesAnyBand()
{
    QFETCH(QString, input);
    const ParsedFrequency p = ParseFrequency(input);
    QVERIFY(!IsInBand(p.units, 1, kMax));
    QVERIFY(!IsInBand(p.units, 1, 99999999));
    QCOMPARE(Hex(EncodeFrequency(p.units)), QByteArray("ff ff ff ff"));
}

void TestCodecs::encodeTone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("word");

    QTest::newRow("D754I") << "D754I" << QByteArray("ec a9");
    QTest::newRow("D023N") << "D023N" << QByteArray("13 28");
    QTest::newRow("D017I") << "D017I" << QByteArray("0f a8");
    QTest::newRow("D371N below 372") << "D371N" << QByteArray("f9 28");
    QTest::newRow("D411N bit 8") << "D411N" << QByteArray("09 29");
    QTest::newRow("unlisted code") << "D999N" << QByteArray("00 29");
    QTest::newRow("no digits") << "DN" << QByteArray("00 28");
    QTest::newRow("67.0") << "67.0" << QByteArray("9e 02");
    QTest::newRow("254.1") << "254.1" << QByteArray("ed 09");
    QTest::newRow("103.5") << "103.5" << QByteArray("0b 04");
    QTest::newRow("unlisted tone") << "466.0" << QByteArray("34 12");
    QTest::newRow("None") << "None" << QByteArray("ff ff");
    QTest::newRow("Chinese none") << QString::fromUtf8("无") << QByteArray("ff ff");
    QTest::newRow("empty") << "" << QByteArray("ff ff");
    QTest::newRow("negative") << "-67.0" << QByteArray("ff ff");
    QTest::newRow("too high for two bytes") << "6553.6" << QByteArray("ff ff");
    QTest::newRow("highest two bytes") << "6553.4" << QByteArray("fe ff");
    QTest::newRow("inf") << "inf" << QByteArray("ff ff");
    QTest::newRow("nan") << "nan" << QByteArray("ff ff");
}

void TestCodecs::encodeTone()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, word);
    QCOMPARE(Hex(EncodeTone(text)), word);
}

void TestCodecs::decodeTone_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<Language>("lang");
    QTest::addColumn<QString>("text");

    const Language en = Language::English;
    QTest::newRow("D023N") << 0x13 << 0x28 << false << en << "D023N";
    QTest::newRow("D017I") << 0x0F << 0xA8 << false << en << "D017I";
    QTest::newRow("D754I") << 0xEC << 0xA9 << false << en << "D754I";
    QTest::newRow("D411N") << 0x09 << 0x29 << false << en << "D411N";
    QTest::newRow("unlisted code") << 0x00 << 0x28 << false << en << "D000N";
    QTest::newRow("0x09 without bit 8") << 0x09 << 0x28 << false << en << "D000N";
    QTest::newRow("unlisted tone") << 0x34 << 0x12 << false << en << "466.0";
    QTest::newRow("67.0") << 0x9E << 0x02 << false << en << "67.0";
    QTest::newRow("tone in empty channel") << 0x9E << 0x02 << true << en << "67.0";
    QTest::newRow("code in empty channel") << 0x13 << 0x28 << true << en << "D023N";
    QTest::newRow("none") << 0xFF << 0xFF << false << en << "None";
    QTest::newRow("none, high 00") << 0x12 << 0x00 << false << en << "None";
    QTest::newRow("none, Chinese")
        << 0xFF << 0xFF << false << Language::Chinese << QString::fromUtf8("无");
    QTest::newRow("none in empty channel") << 0xFF << 0xFF << true << en << "";
    QTest::newRow("00 00 in empty channel") << 0x00 << 0x00 << true << Language::Chinese << "";
    QTest::newRow("small value") << 0x05 << 0x01 << false << en << "26.1";
}

void TestCodecs::decodeTone()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(bool, empty);
    QFETCH(Language, lang);
    QFETCH(QString, text);
    const ToneWord w { static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(high) };
    QCOMPARE(DecodeTone(w, empty, lang), text);
}

void TestCodecs::everyListedToneRoundTrips()
{
    for (Language lang : { Language::English, Language::Chinese }) {
        for (const QString &t : BuildToneList(lang))
            QCOMPARE(DecodeTone(EncodeTone(t), false, lang), t);
    }
}

void TestCodecs::toneList()
{
    const QStringList en = BuildToneList(Language::English);
    const QStringList zh = BuildToneList(Language::Chinese);
    QCOMPARE(en.size(), 265);
    QCOMPARE(zh.size(), 265);
    QCOMPARE(en.at(0), QStringLiteral("None"));
    QCOMPARE(zh.at(0), QString::fromUtf8("无"));
    QCOMPARE(en.mid(1), zh.mid(1));
    QCOMPARE(en.at(1), QStringLiteral("67.0"));
    QCOMPARE(en.at(13), QStringLiteral("100.0"));
    QCOMPARE(en.at(50), QStringLiteral("254.1"));
    QCOMPARE(en.at(51), QStringLiteral("D017N"));
    QCOMPARE(en.at(157), QStringLiteral("D754N"));
    QCOMPARE(en.at(158), QStringLiteral("D017I"));
    QCOMPARE(en.at(264), QStringLiteral("D754I"));
    QCOMPARE(QSet<QString>(en.begin(), en.end()).size(), 265);
}

void TestCodecs::dcsCodes()
{
    const QList<int> &codes = DcsCodeList();
    QCOMPARE(codes.size(), 107);
    QSet<int> bytes;
    for (int i = 0; i < codes.size(); ++i) {
        const int code = codes.at(i);
        if (i > 0)
            QVERIFY(code > codes.at(i - 1));
        const int octal = (code / 100) * 64 + (code / 10 % 10) * 8 + code % 10;
        QVERIFY2(code % 10 < 8 && code / 10 % 10 < 8, qPrintable(QString::number(code)));
        QCOMPARE(int(DcsCodeToByte(code)), octal & 0xFF);
        QCOMPARE(DcsByteToCode(DcsCodeToByte(code), octal >= 256), code);
        // The text encoder chooses bit 8 by the code alone.
        QCOMPARE(octal >= 256, code >= 372);
        bytes.insert(octal);
    }
    QCOMPARE(bytes.size(), 107);
    // Every value that is not a listed code maps to 0.
    int unlisted = 0;
    for (int v = 0; v < 512; ++v) {
        if (!bytes.contains(v)) {
            QCOMPARE(DcsByteToCode(std::uint8_t(v & 0xFF), v >= 256), 0);
            ++unlisted;
        }
    }
    QCOMPARE(unlisted, 512 - 107);
    QCOMPARE(AnalogueToneList().size(), 50);
}

void TestCodecs::dcsSamples_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("byte");
    QTest::newRow("017") << 17 << 0x0F;
    QTest::newRow("023") << 23 << 0x13;
    QTest::newRow("371") << 371 << 0xF9;
    QTest::newRow("411") << 411 << 0x09;
    QTest::newRow("754") << 754 << 0xEC;
    QTest::newRow("unlisted 018") << 18 << 0x00;
    QTest::newRow("zero") << 0 << 0x00;
    QTest::newRow("negative") << -23 << 0x00;
}

void TestCodecs::dcsSamples()
{
    QFETCH(int, code);
    QFETCH(int, byte);
    QCOMPARE(int(DcsCodeToByte(code)), byte);
}

void TestCodecs::optionTexts_data()
{
    QTest::addColumn<OptionKind>("kind");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("power") << OptionKind::Power << "High|Low" << QString::fromUtf8("高|低");
    QTest::newRow("scan add") << OptionKind::ScanAdd << "Yes|No" << QString::fromUtf8("有|无");
    QTest::newRow("busy lock") << OptionKind::BusyLock << "Off|Carrier|QT/DQT"
                               << QString::fromUtf8("关|载波|QT/DQT");
    QTest::newRow("bandwidth") << OptionKind::Bandwidth << "Wide|Narrow"
                               << QString::fromUtf8("宽|窄");
    QTest::newRow("compand") << OptionKind::Compand << "Yes|No" << QString::fromUtf8("是|否");
}

void TestCodecs::optionTexts()
{
    QFETCH(OptionKind, kind);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QCOMPARE(OptionTexts(kind, Language::English).join(QLatin1Char('|')), english);
    QCOMPARE(OptionTexts(kind, Language::Chinese).join(QLatin1Char('|')), chinese);
}

void TestCodecs::encodeOption_data()
{
    QTest::addColumn<OptionKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    const auto zh = [](const char *s) { return QString::fromUtf8(s); };
    QTest::newRow("power High") << OptionKind::Power << "High" << 1;
    QTest::newRow("power 高") << OptionKind::Power << zh("高") << 1;
    QTest::newRow("power Low") << OptionKind::Power << "Low" << 0;
    QTest::newRow("power blank") << OptionKind::Power << "" << 0;
    QTest::newRow("power case matters") << OptionKind::Power << "high" << 0;
    QTest::newRow("scan Yes") << OptionKind::ScanAdd << "Yes" << 1;
    QTest::newRow("scan 有") << OptionKind::ScanAdd << zh("有") << 1;
    QTest::newRow("scan 是 is not scan's word") << OptionKind::ScanAdd << zh("是") << 0;
    QTest::newRow("compand 是") << OptionKind::Compand << zh("是") << 1;
    QTest::newRow("compand 有 is not compand's word") << OptionKind::Compand << zh("有") << 0;
    QTest::newRow("compand Yes") << OptionKind::Compand << "Yes" << 1;
    QTest::newRow("wide") << OptionKind::Bandwidth << "Wide" << 1;
    QTest::newRow("宽") << OptionKind::Bandwidth << zh("宽") << 1;
    QTest::newRow("narrow") << OptionKind::Bandwidth << "Narrow" << 0;
    QTest::newRow("busy Off") << OptionKind::BusyLock << "Off" << 0;
    QTest::newRow("busy 关") << OptionKind::BusyLock << zh("关") << 0;
    QTest::newRow("busy Carrier") << OptionKind::BusyLock << "Carrier" << 1;
    QTest::newRow("busy 载波") << OptionKind::BusyLock << zh("载波") << 1;
    QTest::newRow("busy QT/DQT") << OptionKind::BusyLock << "QT/DQT" << 2;
    QTest::newRow("busy blank is QT/DQT") << OptionKind::BusyLock << "" << 2;
    QTest::newRow("busy other") << OptionKind::BusyLock << "x" << 2;
}

void TestCodecs::encodeOption()
{
    QFETCH(OptionKind, kind);
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(EncodeOption(kind, text), code);
}

void TestCodecs::decodeOption_data()
{
    QTest::addColumn<OptionKind>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<Language>("lang");
    QTest::addColumn<QString>("text");
    const Language en = Language::English;
    const Language cn = Language::Chinese;
    QTest::newRow("busy 11") << OptionKind::BusyLock << 3 << false << en << "QT/DQT";
    QTest::newRow("busy 10") << OptionKind::BusyLock << 2 << false << cn << "QT/DQT";
    QTest::newRow("busy 01") << OptionKind::BusyLock << 1 << false << cn
                             << QString::fromUtf8("载波");
    QTest::newRow("busy 00") << OptionKind::BusyLock << 0 << false << en << "Off";
    QTest::newRow("power low") << OptionKind::Power << 0 << false << cn << QString::fromUtf8("低");
    QTest::newRow("scan yes zh") << OptionKind::ScanAdd << 1 << false << cn
                                 << QString::fromUtf8("有");
    QTest::newRow("compand yes zh")
        << OptionKind::Compand << 1 << false << cn << QString::fromUtf8("是");
    QTest::newRow("narrow") << OptionKind::Bandwidth << 0 << false << en << "Narrow";
    QTest::newRow("empty channel") << OptionKind::Power << 1 << true << en << "";
    QTest::newRow("empty channel busy") << OptionKind::BusyLock << 2 << true << cn << "";
}

void TestCodecs::decodeOption()
{
    QFETCH(OptionKind, kind);
    QFETCH(int, code);
    QFETCH(bool, empty);
    QFETCH(Language, lang);
    QFETCH(QString, text);
    QCOMPARE(DecodeOption(kind, code, empty, lang), text);
}

QTEST_APPLESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
