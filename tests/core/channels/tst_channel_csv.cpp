// SPDX-License-Identifier: GPL-3.0-or-later
// Channel lists: export, import through the grid's rules, placement and round trips.
#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelTable.h"
#include "core/channels/CsvReader.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"

#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(CsvPlacement)

namespace {

const BandLimits kBand { 13600000, 17400000 }; // 136 - 174 MHz

/// A list with the full header and one row per entry; each entry "Column=value|Column=value".
QByteArray ListOf(const QStringList &rows, const QString &lineEnd = QStringLiteral("\n"))
{
    const QStringList columns = ChannelCsvColumns();
    QString text = columns.join(QLatin1Char(',')) + lineEnd;
    for (const QString &row : rows) {
        QStringList fields(columns.size());
        for (const QString &pair : row.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            const int eq = pair.indexOf(QLatin1Char('='));
            const int col = columns.indexOf(pair.left(eq));
            if (col < 0)
                qFatal("unknown column in test row");
            fields[col] = pair.mid(eq + 1);
        }
        text += CsvLine(fields) + lineEnd;
    }
    return text.toUtf8();
}

ChannelCsvImport Import(
    const QByteArray &bytes, CsvPlacement placement = CsvPlacement::Automatic, int first = 1)
{
    ChannelCsvImportOptions options;
    options.band = kBand;
    options.placement = placement;
    options.firstChannel = first;
    return ReadChannelCsv(bytes, options);
}

QString ProblemsOf(const ChannelCsvImport &import)
{
    QStringList texts;
    for (const ChannelCsvProblem &p : import.problems)
        texts << ChannelCsvProblemText(p);
    return texts.join(QLatin1Char('\n'));
}

/// A channel the grid could have made: in band, on a step, listed tones, busy lock 0..2.
void RandomChannel(QRandomGenerator &rng, MemoryImage &image, int n)
{
    ChannelRecord ch = image.channel(n);
    const auto frequency = [&]() {
        const int step = rng.bounded(2) ? 500 : 625;
        const int lowStep = (kBand.low + step - 1) / step;
        return std::int64_t(step) * rng.bounded(lowStep, kBand.high / step + 1);
    };
    const auto tone = [&]() {
        switch (rng.bounded(3)) {
        case 0:
            return ToneWord {};
        case 1: {
            const QList<int> &tones = AnalogueToneList();
            const int t = tones.at(rng.bounded(int(tones.size())));
            return ToneWord { std::uint8_t(t % 256), std::uint8_t(t / 256) };
        }
        default: {
            const QList<int> &codes = DcsCodeList();
            const int c = codes.at(rng.bounded(int(codes.size())));
            return EncodeTone(QStringLiteral("D%1%2")
                                  .arg(c, 3, 10, QLatin1Char('0'))
                                  .arg(rng.bounded(2) ? "N" : "I"));
        }
        }
    };
    const std::int64_t rx = frequency();
    ch.setRxBytes(EncodeFrequency(rx));
    ch.setTxBytes(EncodeFrequency(rng.bounded(3) == 0 ? rx : frequency()));
    const ToneWord enc = tone();
    ch.setEncodeTone(enc);
    ch.setDecodeTone(rng.bounded(3) == 0 ? enc : tone());
    ch.setBusyLock(static_cast<BusyLock>(rng.bounded(3)));
}

MemoryImage RandomImage(quint32 seed)
{
    QRandomGenerator rng(seed);
    MemoryImage image;
    for (int i = 0; i < mem::ImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(rng.bounded(256));
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        if (rng.bounded(4) == 0)
            image[mem::channelOffset(n) + rec::Tx + 3] = 0xFF; // an empty channel
        else
            RandomChannel(rng, image, n);
    }
    return image;
}

QList<int> DifferencesOutsideChannels(const MemoryImage &a, const MemoryImage &b)
{
    QList<int> diff;
    for (int i = 0; i < mem::ImageSize; ++i) {
        const bool channel = i >= mem::channelOffset(1) && i < mem::channelOffset(17);
        if (!channel && i != mem::ScanAddLow && i != mem::ScanAddHigh && a.at(i) != b.at(i))
            diff << i;
    }
    return diff;
}

} // namespace

class TestChannelCsv : public QObject
{
    Q_OBJECT

private slots:
    void exportFormat();
    void exportDuplex_data();
    void exportDuplex();
    void toneTable_data();
    void toneTable();
    void importOnlyCrossModes_data();
    void importOnlyCrossModes();
    void dcsPolarity_data();
    void dcsPolarity();
    void rowValues_data();
    void rowValues();
    void spreadsheetVariants_data();
    void spreadsheetVariants();
    void missingAndUnknownColumns();
    void fileErrors_data();
    void fileErrors();
    void placement_data();
    void placement();
    void rowsBeyondSixteen();
    void randomImagesRoundTrip();
    void roundTripIntoNewImage();
    void applyTouchesOnlyChannels();
    void exportWarnsAboutUnlistedTones();
};

void TestChannelCsv::exportFormat()
{
    MemoryImage image = MemoryImage::defaults();
    ChannelRecord ch = image.channel(3);
    ch.setRxBytes(EncodeFrequency(14652000));
    ch.setTxBytes(EncodeFrequency(14652000));
    ch.setDecodeTone(EncodeTone(QStringLiteral("None")));
    ch.setEncodeTone(EncodeTone(QStringLiteral("None")));
    ch.setPowerHigh(true);
    ch.setWide(false);
    ch.setBusyLock(BusyLock::Carrier);
    ch.setCompand(true);
    ch.setScanAdd(false);
    const ChannelCsvExport out = ExportChannelCsv(image, kBand);
    QCOMPARE(out.rows, 1);
    QCOMPARE(out.csv,
        QByteArray("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                   "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
                   "RPT1CALL,RPT2CALL,DVCODE\n"
                   "3,,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,5.0W,"
                   "busylock=carrier; compand=yes,,,,\n"));
    QVERIFY(out.warnings.isEmpty());
    QCOMPARE(ExportChannelCsv(MemoryImage::defaults(), kBand).rows, 0);
}

void TestChannelCsv::exportDuplex_data()
{
    QTest::addColumn<int>("rx");
    QTest::addColumn<int>("tx");
    QTest::addColumn<QString>("columns"); // Duplex,Offset,TStep

    QTest::newRow("simplex") << 14652000 << 14652000 << ",0.000000,5.00";
    QTest::newRow("plus") << 14500000 << 14560000 << "+,0.600000,5.00";
    QTest::newRow("minus 6.25") << 14561250 << 14501250 << "-,0.600000,6.25";
    QTest::newRow("split: tx out of band") << 14500000 << 43500000 << "split,435.000000,5.00";
    QTest::newRow("split: rx out of band") << 13000000 << 14000000 << "split,140.000000,5.00";
}

void TestChannelCsv::exportDuplex()
{
    QFETCH(int, rx);
    QFETCH(int, tx);
    QFETCH(QString, columns);
    MemoryImage image = MemoryImage::defaults();
    ChannelRecord ch = image.channel(1);
    ch.setRxBytes(EncodeFrequency(rx));
    ch.setTxBytes(EncodeFrequency(tx));
    const QList<QByteArray> lines = ExportChannelCsv(image, kBand).csv.split('\n');
    const QList<QByteArray> fields = lines.at(1).split(',');
    QCOMPARE(QString::fromLatin1(fields.at(3) + ',' + fields.at(4) + ',' + fields.at(13)), columns);
}

void TestChannelCsv::toneTable_data()
{
    QTest::addColumn<QString>("encode"); // grid text of the transmit tone
    QTest::addColumn<QString>("decode"); // grid text of the receive tone
    QTest::addColumn<QString>(
        "columns"); // Tone|rToneFreq|cToneFreq|DtcsCode|DtcsPolarity|RxDtcsCode|CrossMode

    QTest::newRow("none") << "None"
                          << "None"
                          << "|88.5|88.5|023|NN|023|Tone->Tone";
    QTest::newRow("Tone") << "100.0"
                          << "None"
                          << "Tone|100.0|88.5|023|NN|023|Tone->Tone";
    QTest::newRow("TSQL") << "67.0"
                          << "67.0"
                          << "TSQL|88.5|67.0|023|NN|023|Tone->Tone";
    QTest::newRow("DTCS") << "D023N"
                          << "D023N"
                          << "DTCS|88.5|88.5|023|NN|023|Tone->Tone";
    QTest::newRow("Cross Tone->Tone") << "100.0"
                                      << "254.1"
                                      << "Cross|100.0|254.1|023|NN|023|Tone->Tone";
    QTest::newRow("Cross ->Tone") << "None"
                                  << "67.0"
                                  << "Cross|88.5|67.0|023|NN|023|->Tone";
    QTest::newRow("Cross DTCS->") << "D754I"
                                  << "None"
                                  << "Cross|88.5|88.5|754|RN|023|DTCS->";
    QTest::newRow("Cross ->DTCS") << "None"
                                  << "D017N"
                                  << "Cross|88.5|88.5|023|NN|017|->DTCS";
    QTest::newRow("Cross DTCS->DTCS") << "D023N"
                                      << "D754I"
                                      << "Cross|88.5|88.5|023|NR|754|DTCS->DTCS";
    QTest::newRow("Cross Tone->DTCS") << "151.4"
                                      << "D465N"
                                      << "Cross|151.4|88.5|023|NN|465|Tone->DTCS";
    QTest::newRow("Cross DTCS->Tone") << "D131I"
                                      << "88.5"
                                      << "Cross|88.5|88.5|131|RN|023|DTCS->Tone";
}

void TestChannelCsv::toneTable()
{
    QFETCH(QString, encode);
    QFETCH(QString, decode);
    QFETCH(QString, columns);
    // Out: the words of the record give the columns.
    const CsvToneColumns c = ToneColumnsOfWords(EncodeTone(encode), EncodeTone(decode));
    QCOMPARE(QStringList({ c.tone, c.rToneFreq, c.cToneFreq, c.dtcsCode, c.dtcsPolarity,
                             c.rxDtcsCode, c.crossMode })
                 .join(QLatin1Char('|')),
        columns);
    // In: the columns give the grid texts back.
    QString enc, dec, problem;
    QVERIFY2(ToneTextsOfColumns(c, &enc, &dec, &problem), qPrintable(problem));
    QCOMPARE(enc, encode);
    QCOMPARE(dec, decode);
}

void TestChannelCsv::importOnlyCrossModes_data()
{
    QTest::addColumn<QString>("tone");
    QTest::addColumn<QString>("crossMode");
    QTest::addColumn<QString>("encode");
    QTest::addColumn<QString>("decode");
    QTest::newRow("Cross Tone->") << "Cross"
                                  << "Tone->"
                                  << "100.0"
                                  << "None";
    QTest::newRow("lower case") << "cross"
                                << "dtcs->tone"
                                << "D754N"
                                << "67.0";
    QTest::newRow("TSQL ignores rToneFreq") << "TSQL"
                                            << ""
                                            << "67.0"
                                            << "67.0";
    QTest::newRow("Tone ignores cToneFreq") << "Tone"
                                            << ""
                                            << "100.0"
                                            << "None";
}

void TestChannelCsv::importOnlyCrossModes()
{
    QFETCH(QString, tone);
    QFETCH(QString, crossMode);
    QFETCH(QString, encode);
    QFETCH(QString, decode);
    CsvToneColumns c;
    c.tone = tone;
    c.crossMode = crossMode;
    c.rToneFreq = QStringLiteral("100.0");
    c.cToneFreq = QStringLiteral("67.0");
    c.dtcsCode = QStringLiteral("754");
    QString enc, dec, problem;
    QVERIFY2(ToneTextsOfColumns(c, &enc, &dec, &problem), qPrintable(problem));
    QCOMPARE(enc, encode);
    QCOMPARE(dec, decode);
}

void TestChannelCsv::dcsPolarity_data()
{
    QTest::addColumn<QString>("tone");
    QTest::addColumn<QString>("crossMode");
    QTest::addColumn<QString>("polarity");
    QTest::addColumn<QString>("encode"); // empty: rejected
    QTest::addColumn<QString>("decode");
    QTest::newRow("DTCS NN") << "DTCS"
                             << ""
                             << "NN"
                             << "D023N"
                             << "D023N";
    QTest::newRow("DTCS NR") << "DTCS"
                             << ""
                             << "NR"
                             << "D023N"
                             << "D023I";
    QTest::newRow("DTCS RN") << "DTCS"
                             << ""
                             << "RN"
                             << "D023I"
                             << "D023N";
    QTest::newRow("DTCS RR") << "DTCS"
                             << ""
                             << "RR"
                             << "D023I"
                             << "D023I";
    QTest::newRow("DTCS rr lower case") << "DTCS"
                                        << ""
                                        << "rr"
                                        << "D023I"
                                        << "D023I";
    QTest::newRow("DTCS empty polarity") << "DTCS"
                                         << ""
                                         << ""
                                         << "D023N"
                                         << "D023N";
    QTest::newRow("->DTCS uses the second letter") << "Cross"
                                                   << "->DTCS"
                                                   << "RN"
                                                   << "None"
                                                   << "D754N";
    QTest::newRow("->DTCS R") << "Cross"
                              << "->DTCS"
                              << "NR"
                              << "None"
                              << "D754I";
    QTest::newRow("DTCS-> uses the first letter") << "Cross"
                                                  << "DTCS->"
                                                  << "RN"
                                                  << "D023I"
                                                  << "None";
    QTest::newRow("DTCS->DTCS") << "Cross"
                                << "DTCS->DTCS"
                                << "RN"
                                << "D023I"
                                << "D754N";
    QTest::newRow("one letter") << "DTCS"
                                << ""
                                << "N"
                                << ""
                                << "";
    QTest::newRow("bad letter") << "DTCS"
                                << ""
                                << "NX"
                                << ""
                                << "";
    QTest::newRow("three letters") << "DTCS"
                                   << ""
                                   << "NNN"
                                   << ""
                                   << "";
}

void TestChannelCsv::dcsPolarity()
{
    QFETCH(QString, tone);
    QFETCH(QString, crossMode);
    QFETCH(QString, polarity);
    QFETCH(QString, encode);
    QFETCH(QString, decode);
    CsvToneColumns c;
    c.tone = tone;
    c.crossMode = crossMode;
    c.dtcsCode = QStringLiteral("023");
    c.rxDtcsCode = QStringLiteral("754");
    c.dtcsPolarity = polarity;
    QString enc, dec, problem;
    const bool ok = ToneTextsOfColumns(c, &enc, &dec, &problem);
    QCOMPARE(ok, !encode.isEmpty());
    if (ok) {
        QCOMPARE(enc, encode);
        QCOMPARE(dec, decode);
    } else {
        QVERIFY(problem.contains(QLatin1String("DtcsPolarity")));
    }
}

void TestChannelCsv::rowValues_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("texts"); // grid texts 1..9 joined by "|", or "!" + problem part

    const QString f = QStringLiteral("Location=1|Frequency=146.52|");
    QTest::newRow("defaults") << f << "146.52000|146.52000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("plus offset") << f + "Duplex=+|Offset=0.6"
                                 << "146.52000|147.12000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("minus offset") << f + "Duplex=-|Offset=0.6"
                                  << "146.52000|145.92000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("split") << f + "Duplex=split|Offset=150.000000"
                           << "146.52000|150.00000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("6.25 kHz step") << "Frequency=146.506250"
                                   << "146.50625|146.50625|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("NFM, skip, low, comment")
        << f + "Mode=NFM|Skip=S|Power=Low|Comment=busylock=qt/dqt; compand=yes"
        << "146.52000|146.52000|None|None|Low|No|QT/DQT|Narrow|Yes";
    QTest::newRow("comment among words")
        << f + "Comment=Fire dept. BUSYLOCK=Carrier;Compand = NO"
        << "146.52000|146.52000|None|None|High|Yes|Carrier|Wide|No";
    QTest::newRow("Skip P") << f + "Skip=P"
                            << "146.52000|146.52000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("5.0W high") << f + "Power=5.0W"
                               << "146.52000|146.52000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("50W high") << f + "Power=50W"
                              << "146.52000|146.52000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("2.24W high") << f + "Power=2.24W"
                                << "146.52000|146.52000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("2.2W low") << f + "Power=2.2 W"
                              << "146.52000|146.52000|None|None|Low|Yes|Off|Wide|No";
    QTest::newRow("1.0W low") << f + "Power=1.0w"
                              << "146.52000|146.52000|None|None|Low|Yes|Off|Wide|No";
    QTest::newRow("HIGH any case") << f + "Power=HIGH"
                                   << "146.52000|146.52000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("TSQL") << f + "Tone=TSQL|cToneFreq=100.0"
                          << "146.52000|146.52000|100.0|100.0|High|Yes|Off|Wide|No";
    QTest::newRow("tone without decimals") << f + "Tone=Tone|rToneFreq=100"
                                           << "146.52000|146.52000|None|100.0|High|Yes|Off|Wide|No";

    QTest::newRow("out of band")
        << "Frequency=446.00625"
        << "!receive frequency 446.00625 MHz lies outside the radio's band 136 - 174 MHz";
    QTest::newRow("off step") << "Frequency=146.502"
                              << "!on neither the 5 kHz nor the 6.25 kHz step";
    QTest::newRow("finer than 10 Hz") << "Frequency=146.5200001"
                                      << "!on neither the 5 kHz";
    QTest::newRow("not a number") << "Frequency=abc"
                                  << "!Frequency \"abc\" is not a number";
    // As a spreadsheet writes a typed number; the digits are shifted exactly.
    QTest::newRow("exponent") << "Frequency=1.4652e2"
                              << "146.52000|146.52000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("exponent and duplex") << "Frequency=1.4652E+02|Duplex=+|Offset=6E-1"
                                         << "146.52000|147.12000|None|None|High|Yes|Off|Wide|No";
    QTest::newRow("exponent off step") << "Frequency=1.465201E+02"
                                       << "!on neither the 5 kHz";
    QTest::newRow("negative") << "Frequency=-146.52"
                              << "!is not a number";
    QTest::newRow("no frequency") << "Location=1"
                                  << "!no Frequency";
    QTest::newRow("tx out of band") << f + "Duplex=+|Offset=30"
                                    << "!transmit frequency 176.520000 MHz lies outside";
    QTest::newRow("tx off step") << f + "Duplex=+|Offset=0.0021"
                                 << "!transmit frequency 146.522100 MHz lies on neither";
    QTest::newRow("tx below zero") << f + "Duplex=-|Offset=200"
                                   << "!transmit frequency";
    QTest::newRow("duplex off") << f + "Duplex=off"
                                << "!Duplex off (receive only)";
    QTest::newRow("bad duplex") << f + "Duplex=x"
                                << "!Duplex \"x\" is not one of";
    QTest::newRow("bad offset") << f + "Duplex=+|Offset=0.6MHz"
                                << "!Offset \"0.6MHz\"";
    QTest::newRow("tone not listed") << f + "Tone=Tone|rToneFreq=69.4"
                                     << "!tone \"69.4\" is not one of the radio's 50 tones";
    QTest::newRow("tone two decimals") << f + "Tone=Tone|rToneFreq=67.05"
                                       << "!tone \"67.05\"";
    QTest::newRow("code not listed") << f + "Tone=DTCS|DtcsCode=024"
                                     << "!DCS code \"024\"";
    QTest::newRow("code not octal") << f + "Tone=DTCS|DtcsCode=089"
                                    << "!DCS code \"089\"";
    QTest::newRow("bad tone mode") << f + "Tone=DTCS-R"
                                   << "!Tone \"DTCS-R\" is not one of";
    QTest::newRow("bad cross mode") << f + "Tone=Cross|CrossMode=Tone->Tone->"
                                    << "!CrossMode";
    QTest::newRow("empty cross mode") << f + "Tone=Cross|CrossMode=->"
                                      << "!CrossMode";
    QTest::newRow("AM") << f + "Mode=AM"
                        << "!Mode \"AM\" is not FM (wide) or NFM (narrow)";
    QTest::newRow("bad skip") << f + "Skip=X"
                              << "!Skip \"X\"";
    QTest::newRow("power label") << f + "Power=Mid"
                                 << "!Power \"Mid\"";
    QTest::newRow("bad busylock") << f + "Comment=busylock=maybe"
                                  << "!busylock=maybe";
    QTest::newRow("bad compand") << f + "Comment=compand=1"
                                 << "!compand=1";
}

void TestChannelCsv::rowValues()
{
    QFETCH(QString, row);
    QFETCH(QString, texts);
    const ChannelCsvImport import = Import(ListOf({ row }));
    QVERIFY2(import.error.isEmpty(), qPrintable(import.error));
    if (texts.startsWith(QLatin1Char('!'))) {
        QCOMPARE(import.channels.size(), 0);
        QCOMPARE(import.problems.size(), 1);
        QCOMPARE(import.problems.first().line, 2);
        QVERIFY2(import.problems.first().text.contains(texts.mid(1)),
            qPrintable(import.problems.first().text));
        return;
    }
    QVERIFY2(import.problems.isEmpty(), qPrintable(ProblemsOf(import)));
    QCOMPARE(import.channels.size(), 1);
    QCOMPARE(import.channels.first().texts.join(QLatin1Char('|')), texts);
}

void TestChannelCsv::spreadsheetVariants_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray comma
        = "Location,Frequency,Duplex,Offset,Tone,rToneFreq,Comment\n"
          "1,146.520000,+,0.600000,Tone,100.0,\"busylock=carrier, compand=yes\"\n"
          "2,146.506250,,0.000000,,88.5,\"say \"\"hi\"\"; compand=yes\"\n";
    QTest::newRow("plain") << comma;
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF") + comma;
    QByteArray crlf = comma;
    crlf.replace("\n", "\r\n");
    QTest::newRow("CRLF") << crlf;
    QTest::newRow("BOM and CRLF") << QByteArray("\xEF\xBB\xBF") + crlf;
    QTest::newRow("semicolons, decimal commas")
        << QByteArray("Location;Frequency;Duplex;Offset;Tone;rToneFreq;Comment\r\n"
                      "1;146,520000;+;0,600000;Tone;100,0;busylock=carrier, compand=yes\r\n"
                      "2;146,50625;;0;;88,5;\"say \"\"hi\"\"; compand=yes\"\r\n");
    QTest::newRow("tabs, decimal commas")
        << QByteArray("Location\tFrequency\tDuplex\tOffset\tTone\trToneFreq\tComment\n"
                      "1\t146,52\t+\t0,6\tTone\t100\tbusylock=carrier, compand=yes\n"
                      "2\t146,50625\t\t\t\t\tsay \"hi\"; compand=yes\n");
    QTest::newRow("columns in another order, header case and blanks")
        << QByteArray(" comment ,TONE,rtonefreq,offset,DUPLEX,frequency,location\n"
                      "\"busylock=carrier, compand=yes\",Tone,100.0,0.6,+,146.52,1\n"
                      "compand=yes,,,,,146.50625,2\n");
}

void TestChannelCsv::spreadsheetVariants()
{
    QFETCH(QByteArray, bytes);
    const ChannelCsvImport import = Import(bytes);
    QVERIFY2(import.error.isEmpty(), qPrintable(import.error));
    QVERIFY2(import.problems.isEmpty(), qPrintable(ProblemsOf(import)));
    QCOMPARE(import.placement, CsvPlacement::ByLocation);
    QCOMPARE(import.channels.size(), 2);
    QCOMPARE(import.channels.at(0).texts.join(QLatin1Char('|')),
        QStringLiteral("146.52000|147.12000|None|100.0|High|Yes|Carrier|Wide|Yes"));
    QCOMPARE(import.channels.at(1).texts.join(QLatin1Char('|')),
        QStringLiteral("146.50625|146.50625|None|None|High|Yes|Off|Wide|Yes"));
}

void TestChannelCsv::missingAndUnknownColumns()
{
    // Only Frequency: in order, every value at its default. Unknown columns do no harm.
    const ChannelCsvImport import = Import("Frequency,Remarks,Bank\n146.52,x,1\n147.0,\"y,z\",2\n");
    QVERIFY2(import.problems.isEmpty(), qPrintable(ProblemsOf(import)));
    QCOMPARE(import.placement, CsvPlacement::InOrder);
    QCOMPARE(import.channels.size(), 2);
    QCOMPARE(import.channels.at(1).channel, 2);
    QCOMPARE(import.channels.at(1).texts.join(QLatin1Char('|')),
        QStringLiteral("147.00000|147.00000|None|None|High|Yes|Off|Wide|No"));
    // A missing DtcsCode column takes 023, a missing polarity NN.
    const ChannelCsvImport dcs = Import("Frequency,Tone\n146.52,DTCS\n");
    QCOMPARE(dcs.channels.size(), 1);
    QCOMPARE(dcs.channels.first().texts.at(ColEncode - 1), QStringLiteral("D023N"));
}

void TestChannelCsv::fileErrors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << QByteArray() << "The file is empty.";
    QTest::newRow("header only") << ListOf({}) << "a header but no channel rows";
    QTest::newRow("header and blank lines") << ListOf({}) + "\n\n,,,\n"
                                            << "a header but no channel rows";
    QTest::newRow("no Frequency column")
        << QByteArray("Location,Name\n1,x\n") << "no Frequency column";
    QTest::newRow("a .dat file") << QByteArray(1024, '\xFF') << "not UTF-8";
    QTest::newRow("unterminated quote") << ListOf({ "Frequency=146.52" }) + "\"1,2\n"
                                        << "Line 3: a quoted field is not closed";
    QTest::newRow("1 MB field") << ListOf({ "Frequency=146.52" }) + "1," + QByteArray(1 << 20, '1')
                                << "Line 3 has a field longer";
    QByteArray many = ListOf({});
    for (int i = 0; i < 10000; ++i)
        many += QByteArray::number(i % 16 + 1) + ",,146.520000\n";
    QTest::newRow("10000 rows") << many << "more than 5000 rows";
}

void TestChannelCsv::fileErrors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const ChannelCsvImport import = Import(bytes);
    QVERIFY2(import.error.contains(error), qPrintable(import.error));
    QVERIFY(import.channels.isEmpty());
}

void TestChannelCsv::placement_data()
{
    QTest::addColumn<QStringList>("locations");
    QTest::addColumn<CsvPlacement>("asked");
    QTest::addColumn<int>("first");
    QTest::addColumn<CsvPlacement>("used");
    QTest::addColumn<QString>("channels"); // channel of each row, "-" when skipped
    QTest::addColumn<int>("causeLine"); // the line that ruled out Location, 0 for none

    const auto A = CsvPlacement::Automatic;
    const auto L = CsvPlacement::ByLocation;
    const auto O = CsvPlacement::InOrder;
    // "location@frequency": a row with its own frequency (146.52 otherwise).
    QTest::newRow("distinct") << QStringList { "5", "1", "16" } << A << 1 << L << "5 1 16" << 0;
    QTest::newRow("repeat: in order")
        << QStringList { "5", "5", "2" } << A << 1 << O << "1 2 3" << 3;
    QTest::newRow("zero: in order") << QStringList { "0", "1", "2" } << A << 1 << O << "1 2 3" << 2;
    QTest::newRow("17: in order") << QStringList { "1", "17" } << A << 1 << O << "1 2" << 3;
    QTest::newRow("missing: in order") << QStringList { "1", "" } << A << 1 << O << "1 2" << 3;
    QTest::newRow("17 on a row skipped anyway")
        << QStringList { "2", "17@440.5", "1" } << A << 1 << L << "2 - 1" << 0;
    QTest::newRow("5.0 and an exponent frequency")
        << QStringList { "5.0", "3@1.4652E+02", "7.00@14652e-2" } << A << 1 << L << "5 3 7" << 0;
    QTest::newRow("in order from 14")
        << QStringList { "1", "2", "3", "4" } << O << 14 << O << "14 15 16 -" << 0;
    QTest::newRow("forced by location")
        << QStringList { "3", "3", "x", "16" } << L << 1 << L << "3 - - 16" << 0;
}

void TestChannelCsv::placement()
{
    QFETCH(QStringList, locations);
    QFETCH(CsvPlacement, asked);
    QFETCH(int, first);
    QFETCH(CsvPlacement, used);
    QFETCH(QString, channels);
    QFETCH(int, causeLine);
    QStringList rows;
    for (const QString &l : locations)
        rows << QStringLiteral("Location=%1|Frequency=%2")
                    .arg(l.section('@', 0, 0), l.contains('@') ? l.section('@', 1) : "146.52");
    const ChannelCsvImport import = Import(ListOf(rows), asked, first);
    QCOMPARE(import.placement, used);
    QStringList got;
    for (int i = 0; i < locations.size(); ++i) {
        const int line = i + 2;
        QString ch = QStringLiteral("-");
        for (const ImportedChannel &c : import.channels)
            if (c.line == line)
                ch = QString::number(c.channel);
        got << ch;
    }
    QCOMPARE(got.join(QLatin1Char(' ')), channels);
    // Every row left out is told, with its line, and counted.
    QCOMPARE(import.problems.isEmpty(), !channels.contains(QLatin1Char('-')));
    QCOMPARE(import.skippedRows(), int(channels.count(QLatin1Char('-'))));
    // File order chosen on its own names the line that caused it.
    QCOMPARE(import.placementCause.line, causeLine);
    QCOMPARE(CsvPlacementText(import, first)
                 .contains(QStringLiteral("because of line %1: ").arg(causeLine)),
        causeLine > 0);
}

void TestChannelCsv::rowsBeyondSixteen()
{
    QStringList rows;
    for (int i = 0; i < 40; ++i)
        rows << (i == 2 ? QStringLiteral("Frequency=999") : QStringLiteral("Frequency=146.52"));
    const ChannelCsvImport import = Import(ListOf(rows));
    QCOMPARE(import.placement, CsvPlacement::InOrder);
    QCOMPARE(import.channels.size(), 16);
    QCOMPARE(import.channels.last().line, 18); // the failed line 4 took no channel
    QCOMPARE(import.problems.size(), 2);
    QCOMPARE(import.problems.at(0).line, 4);
    QCOMPARE(import.problems.at(1).line, 19);
    QVERIFY2(import.problems.at(1).text.contains(QLatin1String("23 row(s) up to line 41")),
        qPrintable(import.problems.at(1).text));
    // The limit is 5000 data rows, the header on top.
    QByteArray most = ListOf({});
    for (int i = 0; i < 5000; ++i)
        most += QByteArray::number(i % 16 + 1) + ",,146.520000\n";
    const ChannelCsvImport full = Import(most);
    QVERIFY2(full.error.isEmpty(), qPrintable(full.error));
    QCOMPARE(full.skippedRows(), 5000 - 16);
    QVERIFY(Import(most + "1,,146.520000\n").error.contains(QLatin1String("more than 5000")));
}

void TestChannelCsv::randomImagesRoundTrip()
{
    for (quint32 seed = 1; seed <= 200; ++seed) {
        const MemoryImage image = RandomImage(seed);
        const ChannelCsvExport out = ExportChannelCsv(image, kBand);
        QVERIFY(out.warnings.isEmpty());
        const ChannelCsvImport in = Import(out.csv);
        QVERIFY2(in.error.isEmpty(), qPrintable(in.error));
        QVERIFY2(in.problems.isEmpty(), qPrintable(ProblemsOf(in)));
        QCOMPARE(in.channels.size(), out.rows);
        // Into the image it came from: every byte as it was.
        for (const ImportScope scope : { ImportScope::ReplaceAll, ImportScope::OnlyListed }) {
            const MemoryImage back = ApplyChannelCsv(image, in, scope);
            if (back != image) {
                for (int i = 0; i < mem::ImageSize; ++i)
                    if (back.at(i) != image.at(i))
                        qWarning(
                            "seed %u: byte 0x%03X %02X -> %02X", seed, i, image.at(i), back.at(i));
                QFAIL("export then import changed the image");
            }
        }
        // And exporting the result gives the same list.
        QCOMPARE(ExportChannelCsv(ApplyChannelCsv(image, in, ImportScope::ReplaceAll), kBand).csv,
            out.csv);
    }
}

void TestChannelCsv::roundTripIntoNewImage()
{
    for (quint32 seed = 500; seed < 530; ++seed) {
        const MemoryImage image = RandomImage(seed);
        const ChannelCsvImport in = Import(ExportChannelCsv(image, kBand).csv);
        const MemoryImage fresh
            = ApplyChannelCsv(MemoryImage::defaults(), in, ImportScope::ReplaceAll);
        ChannelTable a, b;
        ChannelsToTable(image, a, Language::English);
        ChannelsToTable(fresh, b, Language::English);
        for (int n = 1; n <= mem::ChannelCount; ++n) {
            if (image.channel(n).isEmpty()) {
                QVERIFY(fresh.channel(n).isEmpty());
                continue;
            }
            for (int c = ColRx; c < ChannelTable::Cols; ++c)
                QCOMPARE(b.text(n, c), a.text(n, c));
        }
        QVERIFY(DifferencesOutsideChannels(fresh, MemoryImage::defaults()).isEmpty());
    }
}

void TestChannelCsv::applyTouchesOnlyChannels()
{
    const MemoryImage base = RandomImage(7);
    const ChannelCsvImport in
        = Import(ListOf({ "Location=2|Frequency=150|Skip=S", "Location=9|Frequency=151" }));
    QCOMPARE(in.channels.size(), 2);

    const MemoryImage only = ApplyChannelCsv(base, in, ImportScope::OnlyListed);
    QVERIFY(DifferencesOutsideChannels(only, base).isEmpty());
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        if (n == 2 || n == 9)
            continue;
        for (int i = 0; i < mem::RecordSize; ++i)
            QCOMPARE(only.at(mem::channelOffset(n) + i), base.at(mem::channelOffset(n) + i));
        QCOMPARE(only.channel(n).scanAdd(), base.channel(n).scanAdd());
    }
    QCOMPARE(only.channel(2).scanAdd(), false);
    QCOMPARE(only.channel(9).scanAdd(), true);
    QCOMPARE(FrequencyUnits(only.channel(9).rxBytes()), 15100000);
    // Bytes +14/+15 are the radio's own, whatever the list says.
    QCOMPARE(
        only.at(mem::channelOffset(2) + rec::Spare), base.at(mem::channelOffset(2) + rec::Spare));

    const MemoryImage all = ApplyChannelCsv(base, in, ImportScope::ReplaceAll);
    QVERIFY(DifferencesOutsideChannels(all, base).isEmpty());
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        QCOMPARE(all.channel(n).isEmpty(), n != 2 && n != 9);
        if (n != 2 && n != 9)
            QCOMPARE(all.channel(n).scanAdd(),
                base.channel(n).isEmpty() ? base.channel(n).scanAdd() : false);
    }
}

void TestChannelCsv::exportWarnsAboutUnlistedTones()
{
    MemoryImage image = MemoryImage::defaults();
    ChannelRecord ch = image.channel(4);
    ch.setRxBytes(EncodeFrequency(14652000));
    ch.setTxBytes(EncodeFrequency(14652000));
    ch.setDecodeTone(ToneWord { 0x34, 0x12 }); // 466.0 Hz, not a listed tone
    ch.setEncodeTone(EncodeTone(QStringLiteral("None")));
    const ChannelCsvExport out = ExportChannelCsv(image, kBand);
    QCOMPARE(out.rows, 1);
    QCOMPARE(out.warnings.size(), 1);
    QCOMPARE(out.warnings.first().line, 4);
    QVERIFY(out.warnings.first().text.contains(QLatin1String("466.0")));
    // The row is written all the same, and import then tells why it refuses it.
    const ChannelCsvImport in = Import(out.csv);
    QCOMPARE(in.channels.size(), 0);
    QCOMPARE(in.problems.size(), 1);
}

QTEST_APPLESS_MAIN(TestChannelCsv)
#include "tst_channel_csv.moc"
