// SPDX-License-Identifier: GPL-3.0-or-later
// The report on real devices: fonts and units measured on a page, rules drawn
// where the layout puts them, and the PDF written by radioprog-cli read back
// with pdftotext in both languages.
#include "core/settings/IniFile.h"
#include "render/ReportPainter.h"
#include "render/ReportPdf.h"

#include "tests/common/ProgramRun.h"
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QtTest>

namespace {

const QString kFixture = QStringLiteral(RADIOPROG_TEST_DATA "/report-16ch.dat");

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runTool(const QString &program, const QStringList &args)
{
    const testing::ProgramRun run = testing::RunProgram(program, args);
    return { run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err) };
}

Run runCli(const QStringList &args)
{
    return runTool(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli"), args);
}

QString pageText(const QString &pdf, int page)
{
    return runTool(QStringLiteral("pdftotext"),
        { "-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-" })
        .out;
}

// The owner text the installation data gives for a language section.
QString ownerOf(const QString &section)
{
    CIniFile ini;
    ini.Open(QStringLiteral(RADIOPROG_BUILD_DIR "/Program.ini"), false, true, false);
    return ini.GetValue(section, QStringLiteral("Copyrights Owner"));
}

struct PdfWord
{
    QString text;
    double xMin = 0, yMin = 0, xMax = 0;
};

// The words of a page with their boxes, in points, as pdftotext -bbox gives them.
QList<PdfWord> pageWords(const QString &pdf, int page)
{
    const QString html = runTool(QStringLiteral("pdftotext"),
        { "-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-" })
                             .out;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"[0-9.]+\">([^<]*)</word>"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({ m.captured(4), m.captured(2).toDouble(), m.captured(2).toDouble(),
            m.captured(3).toDouble() });
        words.last().xMin = m.captured(1).toDouble();
    }
    return words;
}

// Width in inches of the first place where text's words stand in a row; -1 when absent.
double textWidthInches(const QList<PdfWord> &words, const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '));
    for (int i = 0; i + parts.size() <= words.size(); ++i) {
        bool match = true;
        for (int k = 0; k < parts.size() && match; ++k)
            match = words[i + k].text == parts[k] && words[i + k].yMin == words[i].yMin;
        if (match)
            return (words[i + parts.size() - 1].xMax - words[i].xMin) / 72.0;
    }
    return -1;
}

bool darkPixelAt(const QImage &img, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        if (qGray(img.pixel(x, y + dy)) < 128)
            return true;
    return false;
}

} // namespace

class TestReportPdf : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(QFile::exists(kFixture));
        QVERIFY(QFile::exists(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli")));
    }

    void fontsResolveToTheTimesMetrics()
    {
        const QStringList families = ReportFontFamilies();
        QVERIFY(!families.isEmpty());
        QFont f;
        f.setFamilies(families);
        f.setPointSize(12);
        const QString resolved = QFontInfo(f).family();
        QVERIFY2(resolved == QLatin1String("Times New Roman")
                || resolved == QLatin1String("Liberation Serif"),
            qPrintable(resolved));
        // Chinese needs a second family with CJK glyphs.
        QVERIFY2(families.size() >= 2, qPrintable(families.join(',')));
        QFont cjk(families.at(1));
        QVERIFY(QFontMetrics(cjk).inFont(QChar(0x4FE1))); // 信
    }

    // The labels have the width the report's fonts give with Times New Roman's
    // metrics on A4: the small font's average width W (0.8 × a 66th of the
    // printable width, 135 twips) is 821/2048 em of Times New Roman, so a text
    // is 135 twips × (sum of its Times advances in 2048ths) / 821; a Chinese
    // character, whose font's average is a half-width character, is 2 × 135 twips.
    void labelsHaveTheTimesWidth_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("inches");
        QTest::newRow("Receive Frequency:") << "en"
                                            << "Receive Frequency:" << 1.864;
        QTest::newRow("Transceive Frequency:") << "en"
                                               << "Transceive Frequency:" << 2.137;
        QTest::newRow("QT/DQT Decode:") << "en"
                                        << "QT/DQT Decode:" << 1.695;
        QTest::newRow("接收频率:") << "zh" << QString::fromUtf8("接收频率:") << 0.815;
        QTest::newRow("QT/DQT解码:") << "zh" << QString::fromUtf8("QT/DQT解码:") << 1.297;
    }

    void labelsHaveTheTimesWidth()
    {
        QFETCH(QString, lang);
        QFETCH(QString, label);
        QFETCH(double, inches);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        const Run run = runCli({ "report", kFixture, "-o", pdf, "--lang", lang });
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QList<PdfWord> words = pageWords(pdf, 2);
        const double width = textWidthInches(words, label);
        QVERIFY2(width > 0, qPrintable(label));
        QVERIFY2(qAbs(width - inches) < 0.03,
            qPrintable(
                QStringLiteral("%1 is %2 in wide, not %3").arg(label).arg(width).arg(inches)));
    }

    void unitsMeasuredOnTheDevice()
    {
        QImage page(850, 1100, QImage::Format_RGB32); // Letter at 100 dpi
        page.setDotsPerMeterX(3937);
        page.setDotsPerMeterY(3937);
        const ReportRenderer r(&page);
        const ReportMetrics m = r.metrics();
        QCOMPARE(m.h, 1100 * 1440 / 100 / 45);
        QCOMPARE(m.w, 850 * 1440 / 100 / 66);
        // A line of a font is taller than its em, and less than one and a half ems.
        QVERIFY2(m.l1 > m.h && m.l1 < m.h * 3 / 2, qPrintable(QString::number(m.l1)));
        const int smallEm = ReportFontSizeOf(ReportFont::Small, m).height;
        QVERIFY2(m.l2 > smallEm && m.l2 < m.l1, qPrintable(QString::number(m.l2)));
    }

    void stretchComesFromTheGlyphs()
    {
        // The same width on any device, whatever the font states as its average.
        QImage page(827, 1169, QImage::Format_RGB32); // A4 at 100 dpi
        page.setDotsPerMeterX(3937);
        page.setDotsPerMeterY(3937);
        const ReportRenderer r(&page);
        const int w = ReportFontSizeOf(ReportFont::Small, r.metrics()).width;
        // "e" is 909/2048 em in Times New Roman, the space 512.
        const double e = r.textWidthTwips(ReportFont::Small, QStringLiteral("eeeeeeeeee")) / 10;
        QVERIFY2(qAbs(e - w * 909.0 / 821) < w * 0.03, qPrintable(QString::number(e)));
        // A Chinese character is twice the average width.
        const double han = r.textWidthTwips(ReportFont::Small, QString::fromUtf8("信道信道"));
        QVERIFY2(qAbs(han - 8.0 * w) < w * 0.1, qPrintable(QString::number(han)));
    }

    void rulesAndTextLandWhereTheLayoutPutsThem()
    {
        QImage page(850, 1100, QImage::Format_RGB32);
        page.setDotsPerMeterX(3937);
        page.setDotsPerMeterY(3937);
        page.fill(Qt::white);
        const ReportRenderer r(&page);
        const ReportMetrics m = r.metrics();
        ReportInput in;
        in.image = MemoryImage::defaults();
        in.owner = QStringLiteral("Owner");
        {
            QPainter p(&page);
            r.drawPage(p, LayoutReportPage(in, 1, m));
        }
        const auto px = [](int twips) { return qRound(twips * 100 / 1440.0); };
        const int L = m.l1;
        for (int y : { 2 * L + 50, 2 * L + 120, 36 * L - L / 2 }) {
            QVERIFY2(darkPixelAt(page, px(5 * m.w) + 2, px(y)), qPrintable(QString::number(y)));
            QVERIFY(darkPixelAt(page, px(30 * m.w), px(y)));
            QVERIFY(darkPixelAt(page, px(60 * m.w) - 2, px(y)));
            QVERIFY(!darkPixelAt(page, px(62 * m.w), px(y)));
            QVERIFY(!darkPixelAt(page, px(3 * m.w), px(y)));
        }
        // Ink of the title starts just right of 6W, inside its first line.
        bool inked = false;
        for (int y = px(m.l1); y < px(2 * m.l1) && !inked; ++y)
            for (int x = px(6 * m.w); x < px(8 * m.w) && !inked; ++x)
                inked = qGray(page.pixel(x, y)) < 128;
        QVERIFY(inked);
        for (int y = 0; y < px(2 * m.l1); ++y)
            for (int x = 0; x < px(6 * m.w) - 1; ++x)
                QVERIFY2(qGray(page.pixel(x, y)) > 200, "no ink left of the title");
    }

    void cliWritesEveryPage_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QStringList>("page1");
        QTest::addColumn<QStringList>("page2");
        QTest::addColumn<QStringList>("page4");
        QTest::newRow("en")
            << "en"
            << "English"
            << QStringList({ "Option", "Function", "Time Out Timer:", "120s", "TOT Pre-Alert:",
                   "Sequelch Level:", "Beep:", "Vox Gain Level:", "Vox Delay Time:", "3.0",
                   "Call Tone:", "Battery Saver:", "Voice Annunciation:", "English",
                   "VOX Function:", "Scan Function:" })
            << QStringList({ "Channel 1:", "Channel 7:", "Receive Frequency:", "145.01250",
                   "Transceive Frequency:", "145.61250", "QT/DQT Decode:", "67.0", "QT/DQT Encode:",
                   "D754I", "Power:", "High", "Scan:", "Channel Lock:", "Carrier", "W/N:", "Wide" })
            << QStringList({ "Channel 15:", "Channel 16:", "145.20000", "Narrow" });
        QTest::newRow("zh") << "zh"
                            << "Chinese"
                            << QStringList({ "可选功能", "功能", "超时定时器:", "超时定时器预警:",
                                   "静噪电平:", "提示音:", "声控增益电平:", "声控延时时间:",
                                   "呼叫铃音:", "电池省电:", "语音报号:", "英文",
                                   "声控功能:", "扫描功能:", "关", "开" })
                            << QStringList({ "信道", "信道1:", "接收频率:", "发射频率:",
                                   "QT/DQT解码:", "QT/DQT编码:", "功率:", "高",
                                   "扫描开关:", "信道锁定:", "载波", "宽/窄:", "宽" })
                            << QStringList({ "信道15:", "信道16:", "145.20000", "窄" });
    }
    void cliWritesEveryPage()
    {
        QFETCH(QString, lang);
        QFETCH(QString, section);
        QFETCH(QStringList, page1);
        QFETCH(QStringList, page2);
        QFETCH(QStringList, page4);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        const Run run = runCli({ "report", kFixture, "-o", pdf, "--lang", lang });
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(QFile::exists(pdf));

        const QString info = runTool(QStringLiteral("pdfinfo"), { pdf }).out;
        QVERIFY2(
            info.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\b"))), qPrintable(info));

        const QString owner = ownerOf(section);
        const QStringList pages
            = { pageText(pdf, 1), pageText(pdf, 2), pageText(pdf, 3), pageText(pdf, 4) };
        for (int p = 1; p <= 4; ++p) {
            QVERIFY2(pages[p - 1].contains(QStringLiteral("Page %1 of 4").arg(p)),
                qPrintable(pages[p - 1]));
            if (!owner.isEmpty())
                QVERIFY2(pages[p - 1].contains(owner), qPrintable(owner));
        }
        for (const QString &s : page1)
            QVERIFY2(pages[0].contains(s), qPrintable(s + QLatin1String(" on page 1")));
        for (const QString &s : page2)
            QVERIFY2(pages[1].contains(s), qPrintable(s + QLatin1String(" on page 2")));
        for (const QString &s : page4)
            QVERIFY2(pages[3].contains(s), qPrintable(s + QLatin1String(" on page 4")));
        // Page 3 holds rows 8 to 14 and nothing else.
        QVERIFY(pages[2].contains(
            lang == "en" ? QStringLiteral("Channel 14:") : QStringLiteral("信道14:")));
        QVERIFY(!pages[2].contains(
            lang == "en" ? QStringLiteral("Channel 7:") : QStringLiteral("信道7:")));
        QVERIFY(!pages[2].contains(
            lang == "en" ? QStringLiteral("Channel 15:") : QStringLiteral("信道15:")));

        // Every font the page uses travels inside the file.
        const QString fonts = runTool(QStringLiteral("pdffonts"), { pdf }).out;
        const QStringList lines = fonts.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!lines.isEmpty());
        for (const QString &l : lines)
            QVERIFY2(l.contains(QLatin1String(" yes ")), qPrintable(l));
        if (lang == "zh")
            QVERIFY2(fonts.contains(QLatin1String("WenQuanYi")), qPrintable(fonts));
    }

    void cliRefusesBadRequests_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList({ "report" });
        QTest::newRow("no output") << QStringList({ "report", kFixture });
        QTest::newRow("no value for -o") << QStringList({ "report", kFixture, "-o" });
        QTest::newRow("bad lang") << QStringList(
            { "report", kFixture, "-o", "@OUT@", "--lang", "fr" });
        QTest::newRow("unknown option") << QStringList({ "report", kFixture, "-o", "@OUT@", "-x" });
        QTest::newRow("two files") << QStringList({ "report", kFixture, kFixture, "-o", "@OUT@" });
        QTest::newRow("missing file")
            << QStringList({ "report", "/nonexistent/x.dat", "-o", "@OUT@" });
        QTest::newRow("short file") << QStringList({ "report", "@SHORT@", "-o", "@OUT@" });
        QTest::newRow("folder as file") << QStringList({ "report", "@DIR@", "-o", "@OUT@" });
        QTest::newRow("unwritable output")
            << QStringList({ "report", kFixture, "-o", "/nonexistent/dir/report.pdf" });
    }
    void cliRefusesBadRequests()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        const QString shortFile = dir.filePath(QStringLiteral("short.dat"));
        {
            QFile f(shortFile);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(100, '\xFF'));
        }
        for (QString &a : args) {
            a.replace(QLatin1String("@OUT@"), out);
            a.replace(QLatin1String("@SHORT@"), shortFile);
            a.replace(QLatin1String("@DIR@"), dir.path());
        }
        const Run run = runCli(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
        QVERIFY2(!QFile::exists(out), "no PDF is left behind by a failed request");
    }

    void cliNeverOverwritesItsOwnImage()
    {
        QTemporaryDir dir;
        const QString dat = dir.filePath(QStringLiteral("radio.dat"));
        QVERIFY(QFile::copy(kFixture, dat));
        QFile original(kFixture);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        // The same file by another spelling of its path.
        const QString sameFile = dir.path() + QStringLiteral("/./radio.dat");
        const Run run = runCli({ "report", dat, "-o", sameFile });
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
        QFile after(dat);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
    }

    void failedExportKeepsTheEarlierFile()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        ReportInput in;
        in.image = MemoryImage::defaults();
        QString error;
        QVERIFY(WriteReportPdf(pdf, in, DefaultReportPageLayout(), 72, &error));
        const QByteArray first = [&] {
            QFile f(pdf);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(first.startsWith("%PDF"));
        QVERIFY(!WriteReportPdf(dir.filePath(QStringLiteral("missing/report.pdf")), in,
            DefaultReportPageLayout(), 72, &error));
        QVERIFY(!error.isEmpty());
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), first);
    }
};

QTEST_MAIN(TestReportPdf)
#include "tst_report_pdf.moc"
