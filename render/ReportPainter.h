// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Renders the report's twip operations onto a QPainter: PDF, printer or preview.

#include "core/report/ReportLayout.h"

#include <QFont>
#include <QStringList>

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

/// Font families of the report: the Times face (or its metric twin) first,
/// then a CJK family for the glyphs it lacks.
QStringList ReportFontFamilies();

/// Fonts and units of the report on one paint device.
class ReportRenderer
{
public:
    /// Sizes the fonts from device's drawing area and resolution and measures L1 and L2 on it.
    explicit ReportRenderer(const QPaintDevice *device);

    /// H, W, L1 and L2 of the device, in twips.
    const ReportMetrics &metrics() const { return m_metrics; }
    /// The font of a kind, sized for the device.
    QFont font(ReportFont kind) const;

    /// Width of text as drawn in a font, in twips.
    double textWidthTwips(ReportFont kind, const QString &text) const;

    /// Draws one page of operations; painter must be active on the device.
    void drawPage(QPainter &painter, const QVector<ReportOp> &ops) const;

private:
    struct FontSetup
    {
        QFont font;
        double ascentPx = 0; // top of the character cell to the baseline
        double scaleX = 1; // brings the measured average character width to the asked one
        double wideScaleX = 1; // makes a Chinese character twice the asked width
    };
    FontSetup makeFont(ReportFont kind) const;
    QPointF toDevice(int x, int y) const;

    int m_dpiX;
    int m_dpiY;
    ReportMetrics m_metrics;
    FontSetup m_large;
    FontSetup m_small;
    const QPaintDevice *m_device;
};

/// Paints pages from..to (1-based, clamped to the report) on painter, a new page between
/// two; returns the number of pages painted.
int PaintReport(
    QPainter &painter, QPagedPaintDevice *device, const ReportInput &input, int from, int to);
