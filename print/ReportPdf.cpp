#include "print/ReportPdf.h"

#include "print/ReportPainter.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

QPageLayout DefaultReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
}

bool WriteReportPdf(const QString &path, const ReportInput &input, const QPageLayout &layout,
    int dpi, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // A half-written report must never replace an earlier good one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(dpi);
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("radioprog"));
        writer.setTitle(QFileInfo(path).completeBaseName());
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("cannot start the PDF"));
        PaintReport(painter, &writer, input, 1, ReportPageCount(input.table));
        if (!painter.end())
            return fail(QStringLiteral("cannot finish the PDF"));
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
