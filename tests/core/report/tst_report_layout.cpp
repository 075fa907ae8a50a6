// SPDX-License-Identifier: GPL-3.0-or-later
// The report layout: pagination, page texts and positions in twips.
#include "core/report/ReportLayout.h"
#include "core/report/ReportTexts.h"

#include <QtTest>

namespace {

ReportMetrics sampleMetrics()
{
    ReportMetrics m;
    m.h = 351;
    m.w = 175;
    m.l1 = 401;
    m.l2 = 321;
    return m;
}

// A grid whose listed rows carry texts in every column, tagged with the row number.
ChannelTable tableWithRows(const QList<int> &rows)
{
    ChannelTable t;
    for (int row : rows)
        for (int col = ColRx; col <= ColCompand; ++col)
            t.setText(row, col, QStringLiteral("r%1c%2").arg(row).arg(col));
    return t;
}

ReportInput inputWithRows(const QList<int> &rows, Language lang = Language::English)
{
    ReportInput in;
    in.image = MemoryImage::defaults();
    in.table = tableWithRows(rows);
    in.owner = QStringLiteral("Owner Ltd.");
    in.language = lang;
    return in;
}

QList<int> firstRows(int n)
{
    QList<int> rows;
    for (int i = 1; i <= n; ++i)
        rows << i;
    return rows;
}

QVector<ReportOp> texts(const QVector<ReportOp> &ops)
{
    QVector<ReportOp> out;
    for (const ReportOp &op : ops)
        if (op.kind == ReportOp::Text)
            out << op;
    return out;
}

const ReportOp *findText(const QVector<ReportOp> &ops, const QString &text)
{
    for (const ReportOp &op : ops)
        if (op.kind == ReportOp::Text && op.text == text)
            return &op;
    return nullptr;
}

QStringList headings(const QVector<ReportOp> &ops, const QString &prefix)
{
    const QRegularExpression heading(
        QLatin1Char('^') + QRegularExpression::escape(prefix) + QStringLiteral("\\d+:$"));
    QStringList out;
    for (const ReportOp &op : texts(ops))
        if (heading.match(op.text).hasMatch())
            out << op.text;
    return out;
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageCount_data()
    {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 1;
        QTest::newRow("one") << 1 << 2;
        QTest::newRow("seven") << 7 << 2;
        QTest::newRow("eight") << 8 << 3;
        QTest::newRow("fourteen") << 14 << 3;
        QTest::newRow("fifteen") << 15 << 4;
        QTest::newRow("sixteen") << 16 << 4;
    }
    void pageCount()
    {
        QFETCH(int, used);
        QFETCH(int, pages);
        QCOMPARE(ReportPageCount(used), pages);
        QCOMPARE(ReportPageCount(tableWithRows(firstRows(used))), pages);
    }

    void usedRowsFollowTheRxColumnOnly()
    {
        ChannelTable t;
        t.setText(3, ColRx, QStringLiteral("145.00000"));
        t.setText(5, ColTx, QStringLiteral("146.00000")); // no Rx: not printed
        t.setText(5, ColPower, QStringLiteral("High"));
        t.setText(16, ColRx, QStringLiteral("150.00000"));
        t.setText(0, ColRx, QStringLiteral("Rx Frequency")); // header row never counts
        QCOMPARE(UsedChannelRows(t), QList<int>({ 3, 16 }));
    }

    void headingsByGridRow_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("en") << int(Language::English) << QStringLiteral("Channel ")
                            << QStringList({ "Channel 1:", "Channel 2:", "Channel 9:" });
        QTest::newRow("zh") << int(Language::Chinese) << QStringLiteral("信道")
                            << QStringList({ "信道1:", "信道2:", "信道9:" });
    }
    void headingsByGridRow()
    {
        QFETCH(int, lang);
        QFETCH(QString, prefix);
        QFETCH(QStringList, expected);
        const ReportInput in = inputWithRows({ 1, 2, 9 }, Language(lang));
        QCOMPARE(ReportPageCount(in.table), 2);
        QCOMPARE(headings(LayoutReportPage(in, 2, sampleMetrics()), prefix), expected);
    }

    void channelPagesHoldSevenEach_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("page 2") << 2
                                << QStringList({ "Channel 1:", "Channel 2:", "Channel 3:",
                                       "Channel 4:", "Channel 5:", "Channel 6:", "Channel 7:" });
        QTest::newRow("page 3") << 3
                                << QStringList(
                                       { "Channel 8:", "Channel 9:", "Channel 10:", "Channel 11:",
                                           "Channel 12:", "Channel 13:", "Channel 14:" });
        QTest::newRow("page 4") << 4 << QStringList({ "Channel 15:", "Channel 16:" });
    }
    void channelPagesHoldSevenEach()
    {
        QFETCH(int, page);
        QFETCH(QStringList, expected);
        const ReportInput in = inputWithRows(firstRows(16));
        QCOMPARE(headings(LayoutReportPage(in, page, sampleMetrics()), "Channel "), expected);
    }

    void paginationIsWorkedOutAfresh()
    {
        ReportInput in = inputWithRows(firstRows(16));
        QCOMPARE(ReportPageCount(in.table), 4);
        for (int row = 3; row <= 12; ++row)
            in.table.setText(row, ColRx, QString());
        QCOMPARE(ReportPageCount(in.table), 2);
        QCOMPARE(headings(LayoutReportPage(in, 2, sampleMetrics()), "Channel "),
            QStringList({ "Channel 1:", "Channel 2:", "Channel 13:", "Channel 14:", "Channel 15:",
                "Channel 16:" }));
        const ReportOp *footer = findText(LayoutReportPage(in, 2, sampleMetrics()), "Page 2 of 2");
        QVERIFY(footer);
    }

    void channelValuesComeFromTheGridTexts()
    {
        const ReportInput in = inputWithRows({ 4 });
        const ReportMetrics m = sampleMetrics();
        const QVector<ReportOp> ops = LayoutReportPage(in, 2, m);
        struct Expect
        {
            const char *text;
            int x;
            int line;
        };
        const Expect expected[] = {
            { "Receive Frequency:", 5, 5 },
            { "r4c1", 22, 5 },
            { "Transceive Frequency:", 36, 5 },
            { "r4c2", 55, 5 },
            { "QT/DQT Decode:", 5, 6 },
            { "r4c3", 22, 6 },
            { "QT/DQT Encode:", 36, 6 },
            { "r4c4", 55, 6 },
            { "Power:", 5, 7 },
            { "r4c5", 22, 7 },
            { "Scan:", 36, 7 },
            { "r4c6", 55, 7 },
            { "Channel Lock:", 5, 8 },
            { "r4c7", 22, 8 },
            { "W/N:", 36, 8 },
            { "r4c8", 55, 8 },
        };
        for (const Expect &e : expected) {
            const ReportOp *op = findText(ops, QString::fromUtf8(e.text));
            QVERIFY2(op, e.text);
            QCOMPARE(op->x, e.x * m.w);
            QCOMPARE(op->y, -e.line * m.l2);
            QCOMPARE(op->font, ReportFont::Small);
        }
        QVERIFY2(!findText(ops, "r4c9"), "the compander column is not printed");
    }

    void channelBlocksMoveDownByFivePointSevenLines()
    {
        const ReportInput in = inputWithRows(firstRows(7));
        const ReportMetrics m = sampleMetrics();
        const QVector<ReportOp> ops = LayoutReportPage(in, 2, m);
        for (int j = 0; j < 7; ++j) {
            const int delta = int(5.7 * j * m.l2);
            const ReportOp *heading = findText(ops, QStringLiteral("Channel %1:").arg(j + 1));
            QVERIFY(heading);
            QCOMPARE(heading->x, 4 * m.w);
            QCOMPARE(heading->y, -4 * m.l2 - delta);
            const ReportOp *w = findText(ops, QStringLiteral("r%1c8").arg(j + 1));
            QVERIFY(w);
            QCOMPARE(w->y, -8 * m.l2 - delta);
        }
        // 5.7 × 3 × 321 = 5489.1: the offset is truncated, not rounded.
        QCOMPARE(findText(ops, "Channel 4:")->y, -4 * 321 - 5489);
    }

    void frameRulesAndFooterOnEveryPage()
    {
        const ReportInput in = inputWithRows(firstRows(16));
        const ReportMetrics m = sampleMetrics();
        for (int page = 1; page <= 4; ++page) {
            const QVector<ReportOp> ops = LayoutReportPage(in, page, m);
            QVector<int> ruleYs;
            for (const ReportOp &op : ops) {
                if (op.kind != ReportOp::Line)
                    continue;
                QCOMPARE(op.x, 5 * 175);
                QCOMPARE(op.x2, 60 * 175);
                QCOMPARE(op.y2, op.y);
                ruleYs << op.y;
            }
            // L = 401: 2L + 50, 2L + 120, and 36L less half a line (401 div 2 = 200).
            QCOMPARE(ruleYs, QVector<int>({ -852, -922, -14436 + 200 }));

            const ReportOp *owner = findText(ops, "Owner Ltd.");
            QVERIFY(owner);
            QCOMPARE(owner->x, 10 * 175);
            QCOMPARE(owner->y, -36 * 401);
            QCOMPARE(owner->font, ReportFont::Small);
            const ReportOp *number = findText(ops, QStringLiteral("Page %1 of 4").arg(page));
            QVERIFY(number);
            QCOMPARE(number->x, 45 * 175);
            QCOMPARE(number->y, -36 * 401);
            QCOMPARE(number->font, ReportFont::Small);
        }
    }

    void emptyImagePrintsOnePage()
    {
        ReportInput in = inputWithRows({}, Language::Chinese);
        in.owner.clear();
        QCOMPARE(ReportPageCount(in.table), 1);
        const QVector<ReportOp> ops = LayoutReportPage(in, 1, sampleMetrics());
        QVERIFY(findText(ops, "Page 1 of 1"));
        QVERIFY(findText(ops, QString::fromUtf8("可选功能")));
    }

    void pageTitles_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("subtitle");
        QTest::newRow("options en") << int(Language::English) << 1 << "Option"
                                    << "Function";
        QTest::newRow("options zh") << int(Language::Chinese) << 1 << "可选功能"
                                    << "功能";
        QTest::newRow("channels en") << int(Language::English) << 2 << "Channel"
                                     << "";
        QTest::newRow("channels zh") << int(Language::Chinese) << 2 << "信道"
                                     << "";
    }
    void pageTitles()
    {
        QFETCH(int, lang);
        QFETCH(int, page);
        QFETCH(QString, title);
        QFETCH(QString, subtitle);
        const ReportMetrics m = sampleMetrics();
        const QVector<ReportOp> ops
            = LayoutReportPage(inputWithRows({ 1 }, Language(lang)), page, m);
        const ReportOp *t = findText(ops, title);
        QVERIFY(t);
        QCOMPARE(t->font, ReportFont::Large);
        QCOMPARE(t->x, 6 * m.w);
        QCOMPARE(t->y, -m.l1);
        if (!subtitle.isEmpty()) {
            const ReportOp *s = findText(ops, subtitle);
            QVERIFY(s);
            QCOMPARE(s->font, ReportFont::Small);
            QCOMPARE(s->x, 6 * m.w);
            QCOMPARE(s->y, -4 * m.l2);
        }
    }

    void optionRowsOfANewImage_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("en") << int(Language::English)
                            << QStringList({ "Time Out Timer:", "TOT Pre-Alert:", "Sequelch Level:",
                                   "Beep:", "Vox Gain Level:", "Vox Delay Time:", "Call Tone:",
                                   "Battery Saver:", "Voice Annunciation:", "VOX Function:",
                                   "Scan Function:" })
                            << QStringList({ "60s", "8", "4", "On", "5", "1.0", "Off", "On",
                                   "Chinese", "On", "On" });
        QTest::newRow("zh") << int(Language::Chinese)
                            << QStringList({ "超时定时器:", "超时定时器预警:", "静噪电平:",
                                   "提示音:", "声控增益电平:", "声控延时时间:", "呼叫铃音:",
                                   "电池省电:", "语音报号:", "声控功能:", "扫描功能:" })
                            << QStringList({ "60s", "8", "4", "开", "5", "1.0", "关", "开", "中文",
                                   "开", "开" });
    }
    void optionRowsOfANewImage()
    {
        QFETCH(int, lang);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, values);
        const ReportInput in = inputWithRows({}, Language(lang));
        const ReportMetrics m = sampleMetrics();
        const QVector<ReportOp> ops = LayoutReportPage(in, 1, m);
        // Rows 5..15 of the small line, label at 9W and value at 35W.
        for (int i = 0; i < labels.size(); ++i) {
            QVector<ReportOp> onRow;
            for (const ReportOp &op : texts(ops))
                if (op.y == -(5 + i) * m.l2)
                    onRow << op;
            QCOMPARE(onRow.size(), 2);
            QCOMPARE(onRow[0].x, 9 * m.w);
            QCOMPARE(onRow[0].text, labels[i]);
            QCOMPARE(onRow[1].x, 35 * m.w);
            QCOMPARE(onRow[1].text, values[i]);
        }
    }

    void optionValuesOfOddCodes_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        // Rows: 0 TOT, 1 pre-alert, 2 squelch, 3 beep, 4 vox gain, 5 vox delay, 6 call tone,
        // 7 battery saver, 8 voice, 9 VOX function, 10 scan function.
        QTest::newRow("tot six bits") << mem::TimeOutTimer << 0x48 << 0 << "120s"
                                      << "120s";
        QTest::newRow("tot 40") << mem::TimeOutTimer << 0xA8 << 0 << "600s"
                                << "600s";
        QTest::newRow("tot 0") << mem::TimeOutTimer << 0x00 << 0 << "0s"
                               << "0s";
        QTest::newRow("pre-alert 1") << mem::TotPreAlert << 0xF1 << 1 << "Off"
                                     << "关";
        QTest::newRow("pre-alert 2") << mem::TotPreAlert << 0x02 << 1 << "1"
                                     << "1";
        QTest::newRow("pre-alert 11") << mem::TotPreAlert << 0x0B << 1 << "10"
                                      << "10";
        QTest::newRow("squelch high bits") << mem::SquelchLevel << 0xA3 << 2 << "3"
                                           << "3";
        QTest::newRow("beep off") << mem::Beep << 0xFE << 3 << "Off"
                                  << "关";
        QTest::newRow("vox gain 0") << mem::VoxGainLevel << 0xE0 << 4 << "Off"
                                    << "关";
        QTest::newRow("vox gain 16") << mem::VoxGainLevel << 0x10 << 4 << "16"
                                     << "16";
        QTest::newRow("vox delay 0") << mem::VoxDelayTime << 0xF8 << 5 << "0.3"
                                     << "0.3";
        QTest::newRow("vox delay 4") << mem::VoxDelayTime << 0x04 << 5 << "2.0"
                                     << "2.0";
        QTest::newRow("vox delay 5") << mem::VoxDelayTime << 0x05 << 5 << "3.0"
                                     << "3.0";
        QTest::newRow("vox delay 6") << mem::VoxDelayTime << 0xFE << 5 << "3.0"
                                     << "3.0";
        QTest::newRow("vox delay 7") << mem::VoxDelayTime << 0x07 << 5 << "3.0"
                                     << "3.0";
        QTest::newRow("call tone 16") << mem::CallTone << 0x10 << 6 << "16"
                                      << "16";
        QTest::newRow("call tone 255") << mem::CallTone << 0xFF << 6 << "255"
                                       << "255";
        QTest::newRow("saver off") << mem::BatterySaver << 0x00 << 7 << "Off"
                                   << "关";
        QTest::newRow("voice 0") << mem::VoiceAnnunciation << 0x00 << 8 << "Off"
                                 << "关";
        QTest::newRow("voice 2") << mem::VoiceAnnunciation << 0x02 << 8 << "English"
                                 << "英文";
        QTest::newRow("voice 3") << mem::VoiceAnnunciation << 0x03 << 8 << "English"
                                 << "英文";
        QTest::newRow("voice 5") << mem::VoiceAnnunciation << 0x05 << 8 << "Chinese"
                                 << "中文";
        QTest::newRow("vox function off") << mem::FunctionSwitches << 0xFE << 9 << "Off"
                                          << "关";
        QTest::newRow("scan function off") << mem::FunctionSwitches << 0xFD << 10 << "Off"
                                           << "关";
    }
    void optionValuesOfOddCodes()
    {
        QFETCH(int, offset);
        QFETCH(int, byte);
        QFETCH(int, row);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        MemoryImage image = MemoryImage::defaults();
        image[offset] = std::uint8_t(byte);
        QCOMPARE(ReportOptionRows(image, Language::English).at(row).value, english);
        QCOMPARE(ReportOptionRows(image, Language::Chinese).at(row).value, chinese);
    }

    void channelLabelsInChinese()
    {
        const QVector<ReportOp> ops
            = LayoutReportPage(inputWithRows({ 1 }, Language::Chinese), 2, sampleMetrics());
        for (const char *label : { "接收频率:", "发射频率:", "QT/DQT解码:", "QT/DQT编码:", "功率:",
                 "扫描开关:", "信道锁定:", "宽/窄:", "信道1:" })
            QVERIFY2(findText(ops, QString::fromUtf8(label)), label);
        QVERIFY(findText(ops, "Page 2 of 2"));
    }

    void unitsFromTheDrawingRectangle_data()
    {
        QTest::addColumn<int>("widthPx");
        QTest::addColumn<int>("heightPx");
        QTest::addColumn<int>("dpiX");
        QTest::addColumn<int>("dpiY");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("smallH");
        QTest::addColumn<int>("smallW");
        // Letter at 600 dpi with a quarter-inch margin: 8 × 10.5 inches.
        QTest::newRow("letter 600") << 4800 << 6300 << 600 << 600 << 336 << 174 << 268 << 139;
        // A4 at 300 dpi with 6.35 mm margins.
        QTest::newRow("a4 300") << 2330 << 3358 << 300 << 300 << 358 << 169 << 286 << 135;
        // Unequal resolutions: each axis uses its own.
        QTest::newRow("360x180") << 2880 << 1800 << 360 << 180 << 320 << 174 << 256 << 139;
        QTest::newRow("no resolution") << 100 << 100 << 0 << 0 << 0 << 0 << 0 << 0;
    }
    void unitsFromTheDrawingRectangle()
    {
        QFETCH(int, widthPx);
        QFETCH(int, heightPx);
        QFETCH(int, dpiX);
        QFETCH(int, dpiY);
        QFETCH(int, h);
        QFETCH(int, w);
        QFETCH(int, smallH);
        QFETCH(int, smallW);
        const ReportMetrics m = ReportUnits(widthPx, heightPx, dpiX, dpiY);
        QCOMPARE(m.h, h);
        QCOMPARE(m.w, w);
        QCOMPARE(ReportFontSizeOf(ReportFont::Large, m).height, h);
        QCOMPARE(ReportFontSizeOf(ReportFont::Large, m).width, w);
        QCOMPARE(ReportFontSizeOf(ReportFont::Small, m).height, smallH);
        QCOMPARE(ReportFontSizeOf(ReportFont::Small, m).width, smallW);
    }
};

QTEST_APPLESS_MAIN(TestReportLayout)
#include "tst_report_layout.moc"
