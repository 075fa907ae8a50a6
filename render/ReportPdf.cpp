// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ReportPdf.h"

#include "core/document/FileWrite.h"
#include "render/ReportPainter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

QPageLayout DefaultReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
}

bool WritePdfFile(const QString &path, const QPageLayout &layout, int dpi, const QString &title,
    const std::function<void(QPainter &, QPagedPaintDevice *)> &paint, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // Rendered in memory, then written as a whole: a half-written file (a full disk)
    // must never replace an earlier good one.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(dpi);
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("radioprog"));
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("cannot start the PDF"));
        paint(painter, &writer);
        if (!painter.end())
            return fail(QStringLiteral("cannot finish the PDF"));
    }
    QString reason;
    if (!filewrite::WriteWholeFile(path, pdf.data(), &reason))
        return fail(reason);
    return true;
}

bool WriteReportPdf(const QString &path, const ReportInput &input, const QPageLayout &layout,
    int dpi, QString *error)
{
    return WritePdfFile(
        path, layout, dpi, QFileInfo(path).completeBaseName(),
        [&](QPainter &painter, QPagedPaintDevice *device) {
            PaintReport(painter, device, input, 1, ReportPageCount(input.table));
        },
        error);
}
