// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChannelSheetPdf.h"

#include "core/document/FileWrite.h"

#include "render/ReportPainter.h"
#include "render/ReportPdf.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr double TwipsPerInch = 1440.0;

QFont SheetFont(int points)
{
    QFont font;
    font.setFamilies(ReportFontFamilies());
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    return font;
}
} // namespace

void PaintChannelSheet(
    QPainter &painter, const QPaintDevice *device, const ChannelSheetInput &input)
{
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    const int width = int(device->width() * TwipsPerInch / dpiX);
    const int height = int(device->height() * TwipsPerInch / dpiY);
    const QFont large = SheetFont(ChannelSheetTitlePt);
    const QFont small = SheetFont(ChannelSheetTextPt);
    const double largeAscent = QFontMetricsF(large, device).ascent();
    const double smallAscent = QFontMetricsF(small, device).ascent();
    const auto toDevice
        = [&](int x, int y) { return QPointF(x * dpiX / TwipsPerInch, -y * dpiY / TwipsPerInch); };
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    for (const ReportOp &op : LayoutChannelSheet(input, width, height)) {
        if (op.kind == ReportOp::Line) {
            painter.drawLine(toDevice(op.x, op.y), toDevice(op.x2, op.y2));
            continue;
        }
        const bool isLarge = op.font == ReportFont::Large;
        painter.setFont(isLarge ? large : small);
        painter.drawText(
            toDevice(op.x, op.y) + QPointF(0, isLarge ? largeAscent : smallAscent), op.text);
    }
    painter.restore();
}

bool WriteChannelSheetPdf(
    const QString &path, const ChannelSheetInput &input, const QPageLayout &layout, QString *error)
{
    return WritePdfFile(
        path, layout, ReportPdfResolution, ChannelSheetTitle(input.language),
        [&](QPainter &painter, QPagedPaintDevice *device) {
            PaintChannelSheet(painter, device, input);
        },
        error);
}
