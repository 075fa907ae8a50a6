// SPDX-License-Identifier: GPL-3.0-or-later
// What a document window's view tells the frame (the caption, status-bar
// messages, a backup to open, a restart for the language) and the Edit menu's
// commands that the view's grid menu offers.
#include "core/document/ProgramDoc.h"
#include "core/settings/IniFile.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"

#include "gui/shell/AccessibleNames.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"

#include <QStatusBar>
#include <memory>

void CMainFrame::connectView(CProgramView *view)
{
    connect(view, &CProgramView::captionChanged, this, &CMainFrame::setCaption);
    connect(view, &CProgramView::statusMessage, this, [this](const QString &text, int timeoutMs) {
        statusBar()->showMessage(text, timeoutMs);
        // What a command or a transfer reports is spoken as well as shown.
        AnnounceValue(statusBar(), text);
    });
    connect(view, &CProgramView::statusMessageWithdrawn, this, [this](const QString &text) {
        // Another message may have taken its place since; that one stays.
        if (statusBar()->currentMessage() == text)
            statusBar()->clearMessage();
    });
    connect(view, &CProgramView::openBackupRequested, this, &CMainFrame::openBackupDocument);
    connect(view, &CProgramView::restartRequested, this, &CMainFrame::restartForLanguage);
    view->setGridMenuActions({ action(cmd::Undo), action(cmd::Redo), nullptr, action(cmd::Cut),
        action(cmd::Copy), action(cmd::Paste), action(cmd::Clear), nullptr,
        action(cmd::InsertChannel), action(cmd::DeleteChannel), action(cmd::MoveUp),
        action(cmd::MoveDown), action(cmd::ClearChannel) });
}

bool CMainFrame::openBackupDocument(const QString &path)
{
    auto doc = std::make_unique<CProgramDoc>();
    QString error;
    if (!doc->OnOpenDocument(path, &error)) {
        AfxMessageBox(this, error, QMessageBox::Ok, MsgIcon::Exclamation);
        return false;
    }
    // A window of its own: the document being edited stays open as it is.
    createChildFrame(doc.release());
    return true;
}

void CMainFrame::restartForLanguage(const QString &languageBefore)
{
    // The restart ends this run: unsaved changes are asked about first, and
    // Cancel (or a save that failed) keeps this run with its language.
    if (!maybeSaveAllDocuments()) {
        theIniFile.SetValue(QStringLiteral("Setup"), QStringLiteral("Language"), languageBefore);
        return;
    }
    setSavePromptDone(true);
    RestartProgram(this);
    setSavePromptDone(false);
}
