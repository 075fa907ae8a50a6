// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ReportPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QList>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPair>
#include <QPen>

namespace {

constexpr double TwipsPerInch = 1440.0;

// Share, per thousand, of each lowercase letter and of the space in running
// English text: the weights of the classic average character width. Times New
// Roman's stated average width (821/2048 em) is this average of its own advances,
// which is what the report's "average width W" scales to.
struct LetterWeight
{
    char letter;
    int weight;
};
constexpr LetterWeight kLetterWeights[] = {
    { 'a', 64 },
    { 'b', 14 },
    { 'c', 27 },
    { 'd', 35 },
    { 'e', 100 },
    { 'f', 20 },
    { 'g', 14 },
    { 'h', 42 },
    { 'i', 63 },
    { 'j', 3 },
    { 'k', 6 },
    { 'l', 35 },
    { 'm', 20 },
    { 'n', 56 },
    { 'o', 56 },
    { 'p', 17 },
    { 'q', 4 },
    { 'r', 49 },
    { 's', 56 },
    { 't', 71 },
    { 'u', 31 },
    { 'v', 10 },
    { 'w', 18 },
    { 'x', 3 },
    { 'y', 18 },
    { 'z', 2 },
    { ' ', 166 },
};

/// The weighted average advance of the font's first family, in ems, measured
/// on its glyphs: a substitute font's own stated average may differ widely
/// (Liberation Serif states 0.568 em for the advances of Times New Roman).
double MeasuredAverageWidthEm(const QFont &font)
{
    QFont probe(font);
    probe.setPixelSize(1000);
    const QFontMetricsF fm(probe);
    double sum = 0;
    for (const LetterWeight &w : kLetterWeights)
        sum += w.weight * fm.horizontalAdvance(QLatin1Char(w.letter));
    return sum / 1000.0 / 1000.0;
}

/// Advance of a CJK ideograph in ems, measured on the font's CJK family.
double MeasuredIdeographWidthEm(const QFont &font)
{
    QFont probe(font);
    probe.setPixelSize(1000);
    const double width = QFontMetricsF(probe).horizontalAdvance(QChar(0x4E2D)); // 中
    return width > 0 ? width / 1000.0 : 1.0;
}

/// True for a character set in full width: CJK ideographs, kana, hangul,
/// full-width forms. A surrogate pair counts by its code point.
bool IsWideCodePoint(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF)
        || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

/// The text cut into runs of narrow and of wide characters, in order.
QList<QPair<QString, bool>> WidthRuns(const QString &text)
{
    QList<QPair<QString, bool>> runs;
    for (int i = 0; i < text.size();) {
        int n = 1;
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()
            && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            n = 2;
        }
        const bool wide = IsWideCodePoint(c);
        if (runs.isEmpty() || runs.last().second != wide)
            runs.append({ QString(), wide });
        runs.last().first += text.mid(i, n);
        i += n;
    }
    return runs;
}

QString firstInstalled(const QStringList &candidates)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &name : candidates)
        if (installed.contains(name, Qt::CaseInsensitive))
            return name;
    return QString();
}

} // namespace

QStringList ReportFontFamilies()
{
    QStringList families;
    // Liberation Serif has the same metrics as Times New Roman, so pages lay out alike.
    const QString latin
        = firstInstalled({ QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
            QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif") });
    families << (latin.isEmpty() ? QStringLiteral("serif") : latin);
    const QString cjk = firstInstalled({ QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("AR PL UMing CN"), QStringLiteral("Droid Sans Fallback") });
    if (!cjk.isEmpty())
        families << cjk;
    return families;
}

ReportRenderer::ReportRenderer(const QPaintDevice *device)
    : m_dpiX(device->logicalDpiX())
    , m_dpiY(device->logicalDpiY())
    , m_device(device)
{
    m_metrics = ReportUnits(device->width(), device->height(), m_dpiX, m_dpiY);
    m_large = makeFont(ReportFont::Large);
    m_small = makeFont(ReportFont::Small);
    const auto lineTwips = [this](const QFont &f) {
        const QFontMetricsF fm(f, m_device);
        return qRound((fm.height() + fm.leading()) * TwipsPerInch / m_dpiY);
    };
    m_metrics.l1 = lineTwips(m_large.font);
    m_metrics.l2 = lineTwips(m_small.font);
}

ReportRenderer::FontSetup ReportRenderer::makeFont(ReportFont kind) const
{
    const ReportFontSize size = ReportFontSizeOf(kind, m_metrics);
    FontSetup s;
    s.font.setFamilies(ReportFontFamilies());
    s.font.setStyleHint(QFont::Serif);
    // A point is 20 twips; the device turns points into pixels at its own resolution.
    s.font.setPointSizeF(qMax(1, size.height) / 20.0);
    s.font.setWeight(QFont::Normal);
    s.font.setItalic(false);
    s.font.setKerning(false);
    s.font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF fm(s.font, m_device);
    s.ascentPx = fm.ascent();
    // The stretch that gives the font the asked average width, measured on the
    // glyphs rather than taken from the font's table.
    const double wantedPx = size.width * m_dpiX / TwipsPerInch;
    const double emPx = s.font.pointSizeF() * m_dpiY / 72.0;
    const double naturalPx = MeasuredAverageWidthEm(s.font) * emPx;
    if (wantedPx > 0 && naturalPx > 0)
        s.scaleX = qBound(0.25, wantedPx / naturalPx, 4.0);
    // A Chinese font's average width is that of its half-width characters: an
    // ideograph is twice the asked width.
    const QStringList families = ReportFontFamilies();
    if (families.size() > 1 && wantedPx > 0) {
        QFont cjk(s.font);
        cjk.setFamilies({ families.at(1) });
        const double ideographPx = MeasuredIdeographWidthEm(cjk) * emPx;
        if (ideographPx > 0)
            s.wideScaleX = qBound(0.25, 2 * wantedPx / ideographPx, 4.0);
    } else {
        s.wideScaleX = s.scaleX;
    }
    return s;
}

QFont ReportRenderer::font(ReportFont kind) const
{
    return kind == ReportFont::Large ? m_large.font : m_small.font;
}

QPointF ReportRenderer::toDevice(int x, int y) const
{
    return QPointF(x * m_dpiX / TwipsPerInch, -y * m_dpiY / TwipsPerInch);
}

void ReportRenderer::drawPage(QPainter &painter, const QVector<ReportOp> &ops) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    for (const ReportOp &op : ops) {
        if (op.kind == ReportOp::Line) {
            painter.drawLine(toDevice(op.x, op.y), toDevice(op.x2, op.y2));
            continue;
        }
        if (op.text.isEmpty())
            continue;
        const FontSetup &f = op.font == ReportFont::Large ? m_large : m_small;
        const QFontMetricsF fm(f.font, m_device);
        QPointF at = toDevice(op.x, op.y);
        // Latin and Chinese characters each get their own stretch.
        for (const auto &[run, wide] : WidthRuns(op.text)) {
            const double scaleX = wide ? f.wideScaleX : f.scaleX;
            painter.save();
            painter.setFont(f.font);
            painter.translate(at);
            painter.scale(scaleX, 1.0);
            painter.drawText(QPointF(0, f.ascentPx), run);
            painter.restore();
            at.rx() += fm.horizontalAdvance(run) * scaleX;
        }
    }
    painter.restore();
}

double ReportRenderer::textWidthTwips(ReportFont kind, const QString &text) const
{
    const FontSetup &f = kind == ReportFont::Large ? m_large : m_small;
    const QFontMetricsF fm(f.font, m_device);
    double px = 0;
    for (const auto &[run, wide] : WidthRuns(text))
        px += fm.horizontalAdvance(run) * (wide ? f.wideScaleX : f.scaleX);
    return px * TwipsPerInch / m_dpiX;
}

int PaintReport(
    QPainter &painter, QPagedPaintDevice *device, const ReportInput &input, int from, int to)
{
    const int total = ReportPageCount(input.table);
    from = qBound(1, from, total);
    to = qBound(from, to, total);
    const ReportRenderer renderer(device);
    int painted = 0;
    for (int page = from; page <= to; ++page) {
        if (painted > 0 && !device->newPage())
            break;
        renderer.drawPage(painter, LayoutReportPage(input, page, renderer.metrics()));
        ++painted;
    }
    return painted;
}
