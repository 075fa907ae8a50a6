// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/print/ViewReport.h"

#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/report/ReportTexts.h"
#include "core/settings/DialogFolders.h"
#include "gui/print/PrintSetup.h"
#include "render/ReportPainter.h"
#include "render/ReportPdf.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

ReportInput ViewReportInput(const MemoryImage &image, const ChannelTable &table)
{
    ReportInput in;
    in.image = image;
    in.table = table;
    in.language = CurrentLanguage();
    in.owner = ReportOwnerText(g_strLanguage);
    return in;
}

bool PrintReportOn(QPrinter &printer, const ReportInput &input, int from, int to)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintReport(painter, &printer, input, from, to);
    return painter.end();
}

bool ExportViewReportPdf(const ReportInput &input, const QString &path, QString *error)
{
    // The paper chosen in Print Setup applies to the file as well.
    QPageLayout layout = DefaultReportPageLayout();
    const QPageLayout chosen = SharedPrinter().pageLayout();
    if (chosen.isValid()) {
        layout.setPageSize(chosen.pageSize());
        layout.setOrientation(chosen.orientation());
    }
    return WriteReportPdf(path, input, layout, ReportPdfResolution, error);
}

QString DefaultReportPdfPath(const CProgramDoc &doc)
{
    const QFileInfo opened(doc.pathName());
    QString name = opened.isAbsolute() && opened.exists() ? opened.completeBaseName() : doc.title();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("report");
    return DialogSuggestedFile(DialogFileKind::Pdf, doc.pathName(), name + QStringLiteral(".pdf"));
}
