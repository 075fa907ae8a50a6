// SPDX-License-Identifier: GPL-3.0-or-later
// The one-page channel sheet: what it shows and that it stays on the page.
#include "core/report/ChannelSheet.h"

#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "tests/common/ProgramRun.h"
#include "tests/common/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(Language)

namespace {

QStringList TextsOf(const QVector<ReportOp> &ops)
{
    QStringList texts;
    for (const ReportOp &op : ops)
        if (op.kind == ReportOp::Text)
            texts << op.text;
    return texts;
}

ChannelSheetInput Sample(Language lang)
{
    MemoryImage image = MemoryImage::defaults();
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        ChannelRecord ch = image.channel(n);
        ch.setRxBytes(EncodeFrequency(14500000 + 12500 * n));
        ch.setTxBytes(EncodeFrequency(14500000 + 12500 * n));
        ch.setDecodeTone(EncodeTone(QStringLiteral("D754I")));
        ch.setEncodeTone(EncodeTone(QStringLiteral("254.1")));
    }
    ChannelSheetInput in;
    in.image = image;
    in.language = lang;
    in.table = ChannelTable::withHeaders(lang);
    ChannelsToTable(image, in.table, lang);
    in.typeText = QStringLiteral("ZL-260");
    in.bandText = QStringLiteral("130 - 160MHz");
    in.fileName = QStringLiteral("customer.dat");
    in.date = QDate(2026, 12, 7);
    return in;
}

} // namespace

class TestChannelSheet : public QObject
{
    Q_OBJECT
private slots:
    void showsEverything_data();
    void showsEverything();
    void staysOnThePage_data();
    void staysOnThePage();
    void settingsAndFileLine_data();
    void settingsAndFileLine();
    void cliWritesOnePage();
};

void TestChannelSheet::showsEverything_data()
{
    QTest::addColumn<Language>("lang");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("English") << Language::English
                             << QStringList { "Channel Sheet",
                                    "Radio type: ZL-260    Band: 130 - 160MHz",
                                    "File: customer.dat    Date: 2026-12-07", "CH", "Rx Frequency",
                                    "Compand", "16", "147.00000", "D754I", "254.1",
                                    "Optional Features",
                                    "Time-Out Timer:", "Scan Function:", "Scan Information",
                                    "Priority:", "Tx Dwell Time:" };
    QTest::newRow("Chinese") << Language::Chinese
                             << QStringList { QString::fromUtf8("信道一览表"),
                                    QString::fromUtf8("机型：ZL-260    频段：130 - 160MHz"),
                                    QString::fromUtf8("接收频率"), QString::fromUtf8("压扩"),
                                    QString::fromUtf8("可选功能"), QString::fromUtf8("扫描信息"),
                                    QString::fromUtf8("发射驻留时间:") };
}

void TestChannelSheet::showsEverything()
{
    QFETCH(Language, lang);
    QFETCH(QStringList, expected);
    const QStringList texts = TextsOf(LayoutChannelSheet(Sample(lang), 11186, 16118));
    for (const QString &e : expected)
        QVERIFY2(texts.contains(e), qPrintable(e));
    // Sixteen channel rows.
    QCOMPARE(texts.count(QStringLiteral("254.1")), 16);
}

void TestChannelSheet::staysOnThePage_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("A4") << 11186 << 16118;
    QTest::newRow("Letter") << 11520 << 15120;
    QTest::newRow("A5") << 7650 << 11186;
}

void TestChannelSheet::staysOnThePage()
{
    QFETCH(int, width);
    QFETCH(int, height);
    for (const ReportOp &op : LayoutChannelSheet(Sample(Language::English), width, height)) {
        QVERIFY(op.x >= 0 && op.x <= width);
        QVERIFY(op.y <= 0 && op.y > -height + 400);
        if (op.kind == ReportOp::Line) {
            QVERIFY(op.x2 >= 0 && op.x2 <= width);
            QVERIFY(op.y2 <= 0 && op.y2 > -height);
        }
    }
}

void TestChannelSheet::settingsAndFileLine_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<int>("priorityChannel");
    QTest::addColumn<int>("revert");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("expected"); // texts that must be on the sheet
    const QString date = QStringLiteral("2026-12-07");
    QTest::newRow("new image's codes print as show gives them")
        << 0 << 0x11 << 0xFF << "customer.dat"
        << QStringList { "Priority Channel:", "", "None", "File: customer.dat    Date: " + date };
    QTest::newRow("fixed priority and a revert code")
        << 1 << 5 << 3 << "customer.dat" << QStringList { "5", "Priority+Talk back" };
    const QString longName = QStringLiteral("/srv/fleet/") + QString(300, QLatin1Char('x'))
        + QStringLiteral("/truck-17.dat");
    QTest::newRow("long file name")
        << 0 << 0x11 << 0xFF << longName
        << QStringList { "File: /srv/fleet/xxx", "\u2026", "xxx/truck-17.dat    Date: " + date };
}

void TestChannelSheet::settingsAndFileLine()
{
    QFETCH(int, priority);
    QFETCH(int, priorityChannel);
    QFETCH(int, revert);
    QFETCH(QString, fileName);
    QFETCH(QStringList, expected);
    ChannelSheetInput in = Sample(Language::English);
    in.image[mem::Priority] = static_cast<std::uint8_t>(priority);
    in.image[mem::PriorityChannel] = static_cast<std::uint8_t>(priorityChannel);
    in.image[mem::RevertChannel] = static_cast<std::uint8_t>(revert);
    in.fileName = fileName;
    const int width = 7650; // A5: the narrowest page
    const QStringList texts = TextsOf(LayoutChannelSheet(in, width, 11186));
    for (const QString &e : expected) {
        bool found = false;
        for (const QString &t : texts)
            found = found || (e.isEmpty() ? t.isEmpty() : t.contains(e));
        QVERIFY2(found, qPrintable(e));
    }
    for (const QString &t : texts) {
        QVERIFY2(!t.contains(QLatin1String("code ")), qPrintable(t));
        if (t.startsWith(QLatin1String("File: ")))
            QVERIFY(SheetTextWidth(t) <= width - 2 * 360);
    }
}

void TestChannelSheet::cliWritesOnePage()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    const auto r = testing::RunRadioprogCli(
        { "report", RADIOPROG_TEST_DATA "/report-16ch.dat", "-o", pdf, "--sheet", "--lang", "zh" });
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("channel sheet"));
    const auto info = testing::RunProgram(QStringLiteral("pdfinfo"), { pdf });
    if (info.exitCode < 0)
        QSKIP("pdfinfo is not installed");
    QVERIFY(info.out.contains("Pages:           1"));
    const auto text = testing::RunProgram(QStringLiteral("pdftotext"), { pdf, "-" });
    QVERIFY(text.out.contains("145.20000"));
    QVERIFY(text.out.contains("customer") || text.out.contains("report-16ch.dat"));
    // The report without --sheet is still the report of several pages.
    const auto report = testing::RunRadioprogCli(
        { "report", RADIOPROG_TEST_DATA "/report-16ch.dat", "-o", dir.filePath("r.pdf") });
    QVERIFY(report.out.contains("Wrote 4 page(s)"));
}

QTEST_GUILESS_MAIN(TestChannelSheet)
#include "tst_channel_sheet.moc"
