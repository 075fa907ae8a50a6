// SPDX-License-Identifier: GPL-3.0-or-later
// Edit commands of the channel view: undo and redo, the clipboard, clearing
// cells, the channel operations, and the keys that make editing comfortable.
// Every decision is made by the core (GridEditing, ChannelOps, EditorHints);
// this file only gathers the selection and shows the outcome.
#include "core/app/Globals.h"
#include "core/channels/ChannelOps.h"
#include "core/channels/EditorHints.h"
#include "core/channels/GridEditing.h"
#include "core/channels/GridRefresh.h"
#include "core/document/ProgramDoc.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>

namespace {

// Keys that belong to the document while an editor shows the cell unchanged.
bool IsDocumentKey(const QKeyEvent &key)
{
    const QKeySequence::StandardKey keys[] = { QKeySequence::Undo, QKeySequence::Redo,
        QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Delete };
    for (QKeySequence::StandardKey k : keys)
        if (key.matches(k))
            return true;
    const auto mods = key.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier
        && (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down || key.key() == Qt::Key_Y))
        return true;
    return mods == (Qt::ControlModifier | Qt::ShiftModifier) && key.key() == Qt::Key_Z;
}

bool TypesCharacter(const QKeyEvent &key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

void CProgramView::RefreshFromDocument()
{
    // A commit's own texts stay: a channel with an Rx but no Tx shows its
    // attributes in the grid, though the image would show them empty.
    if (m_bFirstUpdate || !m_pDoc || m_bStoringCommit)
        return;
    // An editor would otherwise show, and later store, a value the image no longer has.
    HideCellEditors();
    ChannelTable t = ChannelTable::withHeaders(m_lang);
    ChannelsToTable(m_pDoc->m_image, t, m_lang);
    for (int r = 1; r < ChannelTable::Rows; ++r)
        for (int c = 1; c < ChannelTable::Cols; ++c)
            if (m_grid->TextMatrix(r, c) != t.text(r, c))
                m_grid->setTextMatrix(r, c, t.text(r, c));
    // The product choice may have been undone or redone with the rest.
    const BandLimits band = BandLimitsOfProduct(
        m_pDoc->m_image[mem::ProductType], m_pDoc->m_image[mem::FrequencyBand]);
    m_nBandLow = band.low;
    m_nBandHigh = band.high;
}

QList<GridCell> CProgramView::selectedCells() const
{
    QList<GridCell> cells;
    if (m_bFirstUpdate)
        return cells;
    const QModelIndexList indexes = m_grid->selectionModel()->selectedIndexes();
    for (const QModelIndex &i : indexes)
        if (i.column() >= ColRx && i.row() >= 0 && i.row() < mem::ChannelCount)
            cells << GridCell { i.row() + 1, i.column() };
    if (cells.isEmpty() && m_grid->Row() >= 1 && m_grid->Col() >= ColRx)
        cells << GridCell { m_grid->Row(), m_grid->Col() };
    return cells;
}

CellRange CProgramView::selectedRange() const
{
    const QList<GridCell> cells = selectedCells();
    if (cells.isEmpty())
        return CellRange { 1, 1, 1, 1 };
    CellRange r { cells.first().row, cells.first().col, cells.first().row, cells.first().col };
    for (const GridCell &c : cells) {
        r.top = qMin(r.top, c.row);
        r.bottom = qMax(r.bottom, c.row);
        r.left = qMin(r.left, c.col);
        r.right = qMax(r.right, c.col);
    }
    return r;
}

void CProgramView::setGridMenuActions(const QList<QAction *> &actions)
{
    m_gridMenuActions.clear();
    for (QAction *act : actions)
        m_gridMenuActions.append(act);
}

void CProgramView::ShowGridMenu(const QPoint &pos)
{
    if (m_gridMenuActions.isEmpty() || m_bFirstUpdate)
        return;
    // The Edit menu's own commands, so texts, shortcuts and states are the same.
    QMenu menu(this);
    for (const QPointer<QAction> &act : std::as_const(m_gridMenuActions)) {
        if (act.isNull())
            menu.addSeparator();
        else
            menu.addAction(act);
    }
    menu.exec(m_grid->viewport()->mapToGlobal(pos));
}

void CProgramView::ShowStatus(const QString &text)
{
    emit statusMessage(text, text.isEmpty() ? 0 : 15000);
}

void CProgramView::ShowFrequencyHint()
{
    const QString hint = FrequencyHint(BandLimits { m_nBandLow, m_nBandHigh }, m_lang);
    if (m_editCol == ColRx || m_editCol == ColTx) {
        ShowStatus(hint);
        return;
    }
    // The hint belongs to the frequency cells only.
    emit statusMessageWithdrawn(hint);
}

void CProgramView::CancelCellEdit()
{
    // Nothing reached the cell yet: hiding the editor is the whole cancel.
    HideCellEditors();
    ShowStatus(QString());
}

void CProgramView::OnEditUndo()
{
    if (!m_pDoc)
        return;
    // Text being typed is the latest change: Undo drops it and nothing more.
    auto *edit = qobject_cast<QLineEdit *>(ExistingCellEditor(m_editCol));
    const bool typing = m_editCol >= ColRx && edit && !edit->isHidden()
        && edit->text() != m_grid->TextMatrix(m_editRow, m_editCol);
    CancelCellEdit();
    if (!typing)
        m_pDoc->undoStack()->undo();
}

void CProgramView::OnEditRedo()
{
    if (!m_pDoc)
        return;
    CancelCellEdit();
    m_pDoc->undoStack()->redo();
}

void CProgramView::OnEditCopy()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    const CellRange range = selectedRange();
    auto *mime = new QMimeData;
    // Whole channels go out as a spreadsheet wants them: titled, with their numbers.
    mime->setText(range.wholeRows() ? ChannelsToTsv(table(), range.top, range.bottom, m_lang)
                                    : CellsToTsv(table(), range));
    if (range.wholeRows())
        mime->setData(QLatin1String(kChannelRecordsMime),
            EncodeChannelRecords(m_pDoc->m_image, range.top, range.bottom));
    QApplication::clipboard()->setMimeData(mime);
}

void CProgramView::OnEditCut()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    OnEditCopy();
    ApplyGridEdit(ClearCells(m_pDoc->m_image, selectedCells(), m_lang, true), false);
}

void CProgramView::OnEditClear()
{
    if (m_bFirstUpdate || !m_pDoc)
        return;
    CancelCellEdit();
    ApplyGridEdit(ClearCells(m_pDoc->m_image, selectedCells(), m_lang), false);
}

void CProgramView::OnEditPaste()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return;
    const CellRange at = selectedRange();
    const BandLimits band { m_nBandLow, m_nBandHigh };
    QList<RawChannel> records;
    if (mime->hasFormat(QLatin1String(kChannelRecordsMime))
        && DecodeChannelRecords(mime->data(QLatin1String(kChannelRecordsMime)), &records)) {
        ApplyGridEdit(PasteRecords(m_pDoc->m_image, records, at.top, band, m_lang), true);
        return;
    }
    if (!mime->hasText())
        return;
    QList<QStringList> block = ParseTsv(mime->text());
    SkipHeaderRow(&block);
    if (block.isEmpty())
        return;
    ApplyGridEdit(
        PasteTexts(m_pDoc->m_image, block, GridCell { at.top, at.left }, band, m_toneList, m_lang),
        true);
}

void CProgramView::ApplyGridEdit(const GridEditResult &result, bool report)
{
    if (!result.channels.isEmpty())
        m_pDoc->applyImageChange(result.image, result.undoText);
    const QString text = report ? GridEditReport(result, m_lang) : QString();
    if (text.isEmpty()) {
        ShowStatus(result.channels.isEmpty() ? QString()
                : result.message.isEmpty()   ? result.undoText
                                             : result.message);
        return;
    }
    ShowStatus(text.section(QLatin1Char('\n'), 0, 0));
    AfxMessageBox(this, text, QMessageBox::Ok, MsgIcon::Exclamation);
}

void CProgramView::ApplyChannelOp(const ChannelOpResult &result)
{
    if (!result.done) {
        if (!result.message.isEmpty()) {
            ShowStatus(result.message);
            AfxMessageBox(this, result.message, QMessageBox::Ok, MsgIcon::Exclamation);
        }
        return;
    }
    m_pDoc->applyImageChange(result.image, result.undoText);
    ShowStatus(result.message.isEmpty() ? result.undoText : result.message);
}

void CProgramView::OnInsertChannel()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    const int n = m_grid->Row();
    ApplyChannelOp(InsertChannel(m_pDoc->m_image, n, m_lang));
}

void CProgramView::OnDeleteChannel()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    ApplyChannelOp(DeleteChannel(m_pDoc->m_image, m_grid->Row(), m_lang));
}

void CProgramView::OnClearChannel()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    ApplyChannelOp(ClearChannel(m_pDoc->m_image, m_grid->Row(), m_lang));
}

void CProgramView::OnMoveChannelUp()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    const int n = m_grid->Row();
    const int col = qMax(1, m_grid->Col());
    const ChannelOpResult r = MoveChannel(m_pDoc->m_image, n, -1, m_lang);
    ApplyChannelOp(r);
    if (r.done) // the current cell and the selection go with the channel
        m_grid->followMovedRow(n, n - 1, col);
}

void CProgramView::OnMoveChannelDown()
{
    if (m_bFirstUpdate || !m_pDoc || CommitCellEditor())
        return;
    const int n = m_grid->Row();
    const int col = qMax(1, m_grid->Col());
    const ChannelOpResult r = MoveChannel(m_pDoc->m_image, n, 1, m_lang);
    ApplyChannelOp(r);
    if (r.done)
        m_grid->followMovedRow(n, n + 1, col);
}

bool CProgramView::FilterEditorKey(QObject *watched, QEvent *event)
{
    const bool onGrid = watched == m_grid || watched == m_grid->viewport();
    auto *edit = qobject_cast<QLineEdit *>(watched);
    auto *combo = qobject_cast<QComboBox *>(watched);
    auto *popup = qobject_cast<QAbstractItemView *>(watched);
    if (popup == m_grid)
        popup = nullptr;
    const bool isEditor = (edit || combo) && watched->property("ctrlId").isValid();

    if (event->type() == QEvent::ShortcutOverride && isEditor) {
        // An editor that still shows the cell's own text lets the Edit menu have
        // its keys (undo, clipboard, Delete, moves); once the user typed, they
        // are the editor's own.
        auto *key = static_cast<QKeyEvent *>(event);
        const bool untouched = !edit || edit->text() == m_grid->TextMatrix(m_editRow, m_editCol);
        return untouched && IsDocumentKey(*key);
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);

    if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier && (onGrid || isEditor)) {
        QWidget *editor = ExistingCellEditor(m_grid->Col());
        if (!editor || editor->isHidden())
            OpenCellEditor();
        else if (auto *open = qobject_cast<QLineEdit *>(editor))
            open->deselect(), open->end(false); // F2 in an open field: go on typing at the end
        return true;
    }
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier
        && (onGrid || combo
            || (edit && isEditor && edit->text() == m_grid->TextMatrix(m_editRow, m_editCol)))) {
        OnEditClear();
        return true;
    }
    if (key->key() == Qt::Key_Escape && isEditor) {
        CancelCellEdit();
        return true;
    }
    // Type-ahead in the lists: the letters typed so far choose the entry.
    QComboBox *list = combo;
    if (!list && popup) {
        for (int c = ColDecode; c < ChannelTable::Cols && !list; ++c)
            if (auto *cb = qobject_cast<QComboBox *>(ExistingCellEditor(c));
                cb && cb->view() == popup)
                list = cb;
    }
    if (list && TypesCharacter(*key)) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (now - m_typeAheadAt > QApplication::keyboardInputInterval())
            m_typeAhead.clear();
        m_typeAheadAt = now;
        const QStringList items = EditorItems(EditorKindOfColumn(m_editCol), m_toneList, m_lang);
        m_typeAhead += key->text();
        int index = TypeAheadIndex(items, m_typeAhead);
        if (index < 0) { // a fresh start with this key
            m_typeAhead = key->text();
            index = TypeAheadIndex(items, m_typeAhead);
        }
        if (index >= 0) {
            list->setCurrentIndex(index);
            if (popup)
                popup->setCurrentIndex(popup->model()->index(index, 0));
        }
        return true;
    }
    return false;
}
