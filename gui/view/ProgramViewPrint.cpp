// SPDX-License-Identifier: GPL-3.0-or-later
// File > Print, Print Preview and Export PDF of the channel view.
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/DialogFolders.h"
#include "gui/print/PrintJob.h"
#include "gui/print/PrintSetup.h"
#include "gui/print/ViewReport.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"
#include "render/ReportPainter.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

ReportInput CProgramView::ReportOfGrid()
{
    const ReportInput in = ViewReportInput(m_pDoc->m_image, table());
    m_nUsedChannels = UsedChannelRows(in.table).size();
    return in;
}

void CProgramView::OnFilePrint()
{
    const ReportInput input = ReportOfGrid();
    const int total = ReportPageCount(m_nUsedChannels);
    QPrinter &printer = SharedPrinter();
    // Every printing starts from the whole report; a range left from an earlier one may not fit.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, total);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PreparePrintJob(printer, m_pDoc->title());
    int from = 1;
    int to = total;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = printer.toPage() > 0 ? printer.toPage() : total;
    }
    const PrintJobWatch watch(printer);
    QString why;
    if (!PrintReportOn(printer, input, from, to) || !(why = watch.failure()).isEmpty()) {
        QString text = LanguageText("The report could not be printed.", "无法打印报告。");
        if (!why.isEmpty())
            text += QLatin1Char('\n') + why;
        AfxMessageBox(this, text, QMessageBox::Ok, MsgIcon::Exclamation);
    }
}

void CProgramView::OnFilePrintPreview()
{
    QPrintPreviewDialog dialog(&SharedPrinter(), this);
    // Asked again whenever the preview is redrawn (page set-up, printing from
    // the preview), so each drawing takes the grid as it is then.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        const ReportInput input = ReportOfGrid();
        QPainter painter;
        if (painter.begin(printer))
            PaintReport(painter, printer, input, 1, ReportPageCount(m_nUsedChannels));
    });
    dialog.exec();
}

void CProgramView::OnExportPdf()
{
    QString path = QFileDialog::getSaveFileName(this, LanguageText("Export PDF", "导出 PDF"),
        DefaultReportPdfPath(*m_pDoc), LanguageText("PDF Files (*.pdf)", "PDF 文件 (*.pdf)"));
    if (path.isEmpty())
        return;
    RememberDialogFolder(DialogFileKind::Pdf, path);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!ExportViewReportPdf(ReportOfGrid(), path, &error))
        AfxMessageBox(this,
            LanguageText("Cannot write %1: %2", "无法写入 %1：%2")
                .arg(QDir::toNativeSeparators(path), error),
            QMessageBox::Ok, MsgIcon::Exclamation);
}
