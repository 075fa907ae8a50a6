#include "print/ReportPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

namespace {

constexpr double TwipsPerInch = 1440.0;

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
    const double wantedPx = size.width * m_dpiX / TwipsPerInch;
    const double naturalPx = fm.averageCharWidth();
    if (wantedPx > 0 && naturalPx > 0)
        s.scaleX = qBound(0.25, wantedPx / naturalPx, 4.0);
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
        painter.save();
        painter.setFont(f.font);
        painter.translate(toDevice(op.x, op.y));
        painter.scale(f.scaleX, 1.0);
        painter.drawText(QPointF(0, f.ascentPx), op.text);
        painter.restore();
    }
    painter.restore();
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
