// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's commands around writing the radio: File > Compare With...,
// Setup > Options, Program > Backups...
#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "gui/dialogs/BackupsDlg.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/dialogs/WriteOptionsDlg.h"
#include "gui/shell/MainFrame.h"

#include "core/settings/DialogFolders.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>

void CMainFrame::OnCompareWith()
{
    CProgramView *view = activeView();
    CProgramDoc *doc = activeDocument();
    if (!view || !doc)
        return;
    view->CommitCellEditor();
    const QStringList type = LoadString(ids::DocumentType).split(QLatin1Char('\n'));
    const QString pattern = type.value(3, QStringLiteral("*.dat"));
    const QString path = QFileDialog::getOpenFileName(this,
        QCoreApplication::translate("CCompareDlg", "Compare With"),
        DialogStartFolder(DialogFileKind::Image, doc->pathName()),
        QStringLiteral("%1 (%1)").arg(pattern) + QStringLiteral(";;")
            + QCoreApplication::translate("CMainFrame", "All Files (*)"));
    if (path.isEmpty())
        return;
    RememberDialogFolder(DialogFileKind::Image, path);
    CompareWithFile(path);
}

void CMainFrame::CompareWithFile(const QString &path)
{
    CProgramView *view = activeView();
    CProgramDoc *doc = activeDocument();
    if (!view || !doc)
        return;
    CProgramDoc other;
    QString error;
    if (!other.OnOpenDocument(path, &error)) {
        AfxMessageBox(this, error, QMessageBox::Ok, MsgIcon::Exclamation);
        return;
    }
    // The channels as the grid shows them now, edits not yet saved included.
    const MemoryImage current = WithGridEdits(doc->m_image, view->table(), CurrentLanguage());
    const QList<ImageDifference> differences
        = CompareImages(current, other.m_image, CurrentLanguage(), WholeImageScope());
    std::unique_ptr<CCompareDlg> dlg(
        CCompareDlg::forFiles(differences, doc->title(), QFileInfo(path).fileName(), this));
    dlg->exec();
}

void CMainFrame::OnWriteOptions()
{
    CWriteOptionsDlg dlg(this);
    // A new region changes the findings every open grid marks.
    if (dlg.exec() == QDialog::Accepted)
        for (CProgramView *view : findChildren<CProgramView *>())
            view->RefreshPlanFindings();
}

void CMainFrame::OnBackups()
{
    CBackupsDlg dlg(DefaultBackupFolder(), this);
    connect(&dlg, &CBackupsDlg::openBackupRequested, this, [this, &dlg](const QString &path) {
        // A backup that cannot be read leaves the list open, so that another can be chosen.
        if (openBackupDocument(path))
            dlg.accept();
    });
    dlg.exec();
}
