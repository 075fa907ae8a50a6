// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's editing commands (undo and redo, clipboard, channel
// operations) and the unsaved-changes question.
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MdiClient.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"

#include <QAction>
#include <QFileInfo>
#include <QUndoStack>

void CMainFrame::createEditActions()
{
    QAction *undo = addCommand(cmd::Undo, tr("&Undo\tCtrl+Z"));
    undo->setShortcuts(QKeySequence::Undo);
    undo->setStatusTip(tr("Undo the last change"));
    QAction *redo = addCommand(cmd::Redo, tr("&Redo\tCtrl+Y"));
    redo->setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) });
    redo->setStatusTip(tr("Redo the change last undone"));
    addCommand(cmd::Cut, tr("Cu&t\tCtrl+X"), QKeySequence(Qt::CTRL | Qt::Key_X))
        ->setStatusTip(tr("Copy the selected cells and clear them"));
    addCommand(cmd::Copy, tr("Cop&y\tCtrl+C"), QKeySequence(Qt::CTRL | Qt::Key_C))
        ->setStatusTip(tr("Copy the selected cells (whole channels exactly)"));
    addCommand(cmd::Paste, tr("P&aste\tCtrl+V"), QKeySequence(Qt::CTRL | Qt::Key_V))
        ->setStatusTip(tr("Paste channels or cells at the selected cell"));
    // Delete is handled by the grid itself, so the key keeps its meaning elsewhere.
    QAction *clear = addCommand(cmd::Clear, tr("&Delete\tDel"));
    clear->setStatusTip(tr("Clear the selected cells"));
    // The menu shows Del beside the item; the key itself stays the grid's, so it is
    // bound only to widgets that never hold the focus.
    clear->setShortcut(QKeySequence(Qt::Key_Delete));
    clear->setShortcutContext(Qt::WidgetShortcut);
    addCommand(cmd::InsertChannel, tr("&Insert Channel"))
        ->setStatusTip(tr("Insert an empty channel; the channels below move down"));
    addCommand(cmd::DeleteChannel, tr("D&elete Channel"))
        ->setStatusTip(tr("Delete the channel; the channels below move up"));
    addCommand(cmd::MoveUp, tr("Mo&ve Up\tCtrl+Up"), QKeySequence(Qt::CTRL | Qt::Key_Up))
        ->setStatusTip(tr("Swap the channel with the one above"));
    addCommand(cmd::MoveDown, tr("Move Do&wn\tCtrl+Down"), QKeySequence(Qt::CTRL | Qt::Key_Down))
        ->setStatusTip(tr("Swap the channel with the one below"));
    addCommand(cmd::ClearChannel, tr("C&lear Channel"))
        ->setStatusTip(tr("Empty the channel where it is"));

    forwardToView(cmd::Undo, &CProgramView::OnEditUndo);
    forwardToView(cmd::Redo, &CProgramView::OnEditRedo);
    forwardToView(cmd::Cut, &CProgramView::OnEditCut);
    forwardToView(cmd::Copy, &CProgramView::OnEditCopy);
    forwardToView(cmd::Paste, &CProgramView::OnEditPaste);
    forwardToView(cmd::Clear, &CProgramView::OnEditClear);
    forwardToView(cmd::InsertChannel, &CProgramView::OnInsertChannel);
    forwardToView(cmd::DeleteChannel, &CProgramView::OnDeleteChannel);
    forwardToView(cmd::MoveUp, &CProgramView::OnMoveChannelUp);
    forwardToView(cmd::MoveDown, &CProgramView::OnMoveChannelDown);
    forwardToView(cmd::ClearChannel, &CProgramView::OnClearChannel);
}

void CMainFrame::updateEditActions()
{
    for (const QMetaObject::Connection &c : std::as_const(m_editConnections))
        disconnect(c);
    m_editConnections.clear();
    const bool hasView = activeView() != nullptr;
    for (int id : { cmd::Cut, cmd::Copy, cmd::Paste, cmd::Clear, cmd::InsertChannel,
             cmd::DeleteChannel, cmd::MoveUp, cmd::MoveDown, cmd::ClearChannel })
        action(id)->setEnabled(hasView);
    if (CProgramDoc *doc = activeDocument()) {
        QUndoStack *stack = doc->undoStack();
        m_editConnections << connect(
            stack, &QUndoStack::indexChanged, this, [this] { updateUndoTexts(); });
        m_editConnections << connect(
            stack, &QUndoStack::cleanChanged, this, [this] { updateUndoTexts(); });
    }
    updateUndoTexts();
}

void CMainFrame::updateUndoTexts()
{
    CProgramDoc *doc = activeView() ? activeDocument() : nullptr;
    const QUndoStack *stack = doc ? doc->undoStack() : nullptr;
    const bool canUndo = stack && stack->canUndo();
    const bool canRedo = stack && stack->canRedo();
    action(cmd::Undo)->setEnabled(canUndo);
    SetCommandText(action(cmd::Undo),
        canUndo ? tr("&Undo %1\tCtrl+Z").arg(stack->undoText()) : tr("&Undo\tCtrl+Z"));
    action(cmd::Redo)->setEnabled(canRedo);
    SetCommandText(action(cmd::Redo),
        canRedo ? tr("&Redo %1\tCtrl+Y").arg(stack->redoText()) : tr("&Redo\tCtrl+Y"));
}

bool CMainFrame::maybeSaveDocument(CProgramDoc *doc)
{
    if (!doc || !doc->isModified())
        return true;
    // The document in question is shown while the user decides.
    for (CChildFrame *frame : std::as_const(m_childFrames)) {
        if (frame->document() == doc) {
            frame->showNormal();
            m_pMDIClient->setActiveSubWindow(frame);
        }
    }
    const QMessageBox::StandardButton answer = AfxMessageBox(this,
        LanguageText("Save changes to %1?", "是否保存对 %1 的更改？").arg(doc->title()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, MsgIcon::Question);
    if (answer == QMessageBox::Discard)
        return true;
    if (answer != QMessageBox::Save)
        return false;
    // As File > Save: a document without a writable file of its own asks for a name.
    const QFileInfo target(doc->pathName());
    return saveDocument(doc, !(target.isFile() && target.isWritable()));
}

bool CMainFrame::maybeSaveAllDocuments()
{
    const QList<CChildFrame *> frames = m_childFrames;
    for (CChildFrame *frame : frames)
        if (!maybeSaveDocument(frame->document()))
            return false;
    return true;
}
