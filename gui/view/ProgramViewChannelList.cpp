// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export Channels and File > Import Channels of the channel view.
#include "core/app/Globals.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/CsvReader.h"
#include "core/document/FileWrite.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/DialogFolders.h"
#include "gui/dialogs/ChannelImportDlg.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {

/// A file name next to the opened file (or in the home folder) with another suffix.
QString SuggestedPath(const CProgramDoc *doc, const QString &suffix)
{
    const QFileInfo opened(doc->pathName());
    QString name
        = opened.isAbsolute() && opened.exists() ? opened.completeBaseName() : doc->title();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return DialogSuggestedFile(DialogFileKind::ChannelList, doc->pathName(),
        (name.isEmpty() ? QStringLiteral("channels") : name) + suffix);
}

} // namespace

MemoryImage CProgramView::ImageWithGrid()
{
    // A value still being typed belongs to what the user sees.
    CommitCellEditor();
    MemoryImage image = m_pDoc->m_image;
    if (!m_bFirstUpdate)
        TableToChannels(table(), image);
    return image;
}

void CProgramView::OnExportChannels()
{
    if (!m_pDoc)
        return;
    const MemoryImage image = ImageWithGrid();
    const ChannelCsvExport list = ExportChannelCsv(image, { m_nBandLow, m_nBandHigh });
    if (list.rows == 0) {
        AfxMessageBox(this, tr("No channel is programmed: there is nothing to export."),
            QMessageBox::Ok, MsgIcon::Information);
        return;
    }
    QString path = QFileDialog::getSaveFileName(this, tr("Export Channels"),
        SuggestedPath(m_pDoc, QStringLiteral(".csv")), tr("Channel lists (*.csv)"));
    if (path.isEmpty())
        return;
    RememberDialogFolder(DialogFileKind::ChannelList, path);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    const QString shown = QDir::toNativeSeparators(path);
    QString error;
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        error = tr("it is not a regular file");
    else
        filewrite::WriteWholeFile(path, list.csv, &error);
    if (!error.isEmpty()) {
        AfxMessageBox(this,
            tr("Cannot write %1: %2.\nThe channels were not exported; choose another file.")
                .arg(shown, error),
            QMessageBox::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!list.warnings.isEmpty()) {
        QStringList lines;
        for (const ChannelCsvProblem &w : list.warnings)
            lines << w.text;
        AfxMessageBox(this,
            tr("%1 was written, but some channels hold tones this radio does not list:\n%2")
                .arg(shown, lines.join(QLatin1Char('\n'))),
            QMessageBox::Ok, MsgIcon::Exclamation);
    }
    emit statusMessage(tr("Exported %1 channel(s) to %2").arg(list.rows).arg(shown), 5000);
}

void CProgramView::OnImportChannels()
{
    if (!m_pDoc)
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Import Channels"),
        QFileInfo(SuggestedPath(m_pDoc, QStringLiteral(".csv"))).path(),
        tr("Channel lists (*.csv *.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    RememberDialogFolder(DialogFileKind::ChannelList, path);
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    QByteArray bytes;
    QString error;
    if (!QFileInfo(path).isFile())
        error = tr("it is not a regular file");
    else if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else {
        // One byte past the limit is enough to know the file is too long.
        bytes = file.read(CsvLimits().maxBytes + 1);
        if (file.error() != QFileDevice::NoError)
            error = file.errorString();
    }
    if (!error.isEmpty()) {
        AfxMessageBox(this, tr("Cannot read %1: %2.").arg(shown, error), QMessageBox::Ok,
            MsgIcon::Exclamation);
        return;
    }
    const MemoryImage base = ImageWithGrid();
    const BandLimits band { m_nBandLow, m_nBandHigh };
    CChannelImportDlg dlg(bytes, path, base, band, this);
    if (!dlg.import().error.isEmpty()) {
        AfxMessageBox(this, tr("%1 cannot be imported: %2").arg(shown, dlg.import().error),
            QMessageBox::Ok, MsgIcon::Exclamation);
        return;
    }
    if (dlg.exec() != QDialog::Accepted || dlg.import().channels.isEmpty())
        return;
    m_pDoc->applyImageChange(dlg.after(), tr("Import Channels"));
}
