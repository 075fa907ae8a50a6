// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/WriteCommands.h"

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "gui/dialogs/BackupsDlg.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/dialogs/WriteOptionsDlg.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>

void OnCompareWith(CMainFrame *frame)
{
    CProgramView *view = frame ? frame->activeView() : nullptr;
    CProgramDoc *doc = frame ? frame->activeDocument() : nullptr;
    if (!view || !doc)
        return;
    view->CommitCellEditor();
    const QStringList type = LoadString(ids::DocumentType).split(QLatin1Char('\n'));
    const QString pattern = type.value(3, QStringLiteral("*.dat"));
    const QString path = QFileDialog::getOpenFileName(frame,
        QCoreApplication::translate("CCompareDlg", "Compare With"), QString(),
        QStringLiteral("%1 (%1)").arg(pattern) + QStringLiteral(";;")
            + QCoreApplication::translate("CMainFrame", "All Files (*)"));
    if (!path.isEmpty())
        CompareWithFile(frame, path);
}

void CompareWithFile(CMainFrame *frame, const QString &path)
{
    CProgramView *view = frame ? frame->activeView() : nullptr;
    CProgramDoc *doc = frame ? frame->activeDocument() : nullptr;
    if (!view || !doc)
        return;
    CProgramDoc other;
    QString error;
    if (!other.OnOpenDocument(path, &error)) {
        AfxMessageBox(frame, error, QMessageBox::Ok, MsgIcon::Exclamation);
        return;
    }
    // The channels as the grid shows them now, edits not yet saved included.
    const MemoryImage current = WithGridEdits(doc->m_image, view->table(), CurrentLanguage());
    const QList<ImageDifference> differences
        = CompareImages(current, other.m_image, CurrentLanguage(), WholeImageScope());
    std::unique_ptr<CCompareDlg> dlg(
        CCompareDlg::forFiles(differences, doc->title(), QFileInfo(path).fileName(), frame));
    dlg->exec();
}

void OnWriteOptions(CMainFrame *frame)
{
    CWriteOptionsDlg dlg(frame);
    dlg.exec();
}

void OnBackups(CMainFrame *frame)
{
    CBackupsDlg dlg(DefaultBackupFolder(), frame);
    QObject::connect(
        &dlg, &CBackupsDlg::openBackupRequested, frame, [frame, &dlg](const QString &path) {
            // A backup that cannot be read leaves the list open, so that another can be chosen.
            if (frame->openBackupDocument(path))
                dlg.accept();
        });
    dlg.exec();
}

bool OpenBackupDocument(const QString &path)
{
    CMainFrame *frame = CMainFrame::instance();
    return frame && frame->openBackupDocument(path);
}
