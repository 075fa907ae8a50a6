// SPDX-License-Identifier: GPL-3.0-or-later
// File > Print Channel Sheet and Export Channel Sheet as PDF of the channel view.
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/DialogFolders.h"
#include "gui/print/PrintJob.h"
#include "gui/print/PrintSetup.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"
#include "render/ChannelSheetPdf.h"
#include "render/ReportPdf.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

ChannelSheetInput SheetInput(CProgramView *view, const MemoryImage &image)
{
    const CProgramDoc *doc = view->GetDocument();
    const QFileInfo opened(doc->pathName());
    const QString name = opened.isAbsolute() && opened.exists() ? opened.fileName() : doc->title();
    return MakeChannelSheetInput(image, name, CurrentLanguage(), QDate::currentDate());
}

} // namespace

void CProgramView::OnPrintChannelSheet()
{
    if (!m_pDoc)
        return;
    const ChannelSheetInput input = SheetInput(this, ImageWithGrid());
    QPrinter &printer = SharedPrinter();
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print Channel Sheet"));
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PreparePrintJob(printer, m_pDoc->title());
    const PrintJobWatch watch(printer);
    QPainter painter;
    bool ok = painter.begin(&printer);
    if (ok) {
        PaintChannelSheet(painter, &printer, input);
        ok = painter.end();
    }
    const QString why = ok ? watch.failure() : QString();
    if (!ok || !why.isEmpty()) {
        QString text = tr("The channel sheet could not be printed.");
        if (!why.isEmpty())
            text += QLatin1Char('\n') + why;
        AfxMessageBox(this, text, QMessageBox::Ok, MsgIcon::Exclamation);
    }
}

void CProgramView::OnExportChannelSheetPdf()
{
    if (!m_pDoc)
        return;
    const ChannelSheetInput input = SheetInput(this, ImageWithGrid());
    const QFileInfo opened(m_pDoc->pathName());
    const QString suggested = DialogSuggestedFile(DialogFileKind::Pdf, m_pDoc->pathName(),
        opened.isAbsolute() && opened.exists()
            ? opened.completeBaseName() + QStringLiteral("-sheet.pdf")
            : QStringLiteral("channel-sheet.pdf"));
    QString path = QFileDialog::getSaveFileName(
        this, tr("Export Channel Sheet as PDF"), suggested, tr("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    RememberDialogFolder(DialogFileKind::Pdf, path);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    // The paper chosen in Print Setup applies to the file as well.
    QPageLayout layout = DefaultReportPageLayout();
    const QPageLayout chosen = SharedPrinter().pageLayout();
    if (chosen.isValid()) {
        layout.setPageSize(chosen.pageSize());
        layout.setOrientation(chosen.orientation());
    }
    QString error;
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        error = tr("it is not a regular file");
    else
        WriteChannelSheetPdf(path, input, layout, &error);
    if (!error.isEmpty())
        AfxMessageBox(this, tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), error),
            QMessageBox::Ok, MsgIcon::Exclamation);
}
