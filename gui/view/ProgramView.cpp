// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid view: grid set-up, image <-> grid and the cell editors.
// Every decision is taken by CellRules / GridRefresh; this file only shows
// the editors over the current cell and forwards events to those rules.
#include "gui/view/ProgramView.h"

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/channels/CellRules.h"
#include "core/channels/EditorHints.h"
#include "core/channels/GridRefresh.h"
#include "core/document/ProgramDoc.h"
#include "core/image/Codecs.h"
#include "core/settings/UserSettings.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/Help.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ChannelGrid.h"
#include "ui_programview.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

namespace {

// Column width the grid starts from, sized so that a frequency and the tone
// headers of either language fit their columns in the grid's font.
int DefaultColumnWidth(const QFontMetrics &fm)
{
    const int pad = 12;
    double w = (fm.horizontalAdvance(QStringLiteral("145.12500")) + pad) / 1.2;
    for (const QString &header : { QStringLiteral("QT/DQT Dec"), QStringLiteral("QT/DQT解码") })
        w = qMax(w, (fm.horizontalAdvance(header) + pad) / 1.1);
    return qMax(64, static_cast<int>(w) + 1);
}

// A key that types a character (not a shortcut or a control key).
bool StartsTyping(const QKeyEvent &key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

CProgramView::CProgramView(CProgramDoc *doc, QWidget *parent)
    : QWidget(parent)
    , m_pDoc(doc)
{
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    // Form 101: the grid is its only control.
    Ui::ProgramViewForm form;
    form.setupUi(this);
    m_grid = form.grid;
    const QFontMetrics fm(font());
    m_grid->horizontalHeader()->setDefaultSectionSize(DefaultColumnWidth(fm));
    m_grid->verticalHeader()->setDefaultSectionSize(fm.height() + 6);

    // The form's margins in dialog units (grid at 16, 15), converted with the form's font.
    const int dx = qRound(16 * fm.averageCharWidth() / 4.0);
    const int dy = qRound(15 * fm.height() / 8.0);
    QGridLayout *layout = form.formLayout;
    layout->setContentsMargins(dx, dy, dx, dy);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(1, 1);

    connect(m_grid, &QTableWidget::currentCellChanged, this,
        [this](int row, int col, int, int) { OnCurrentCellChanged(row + 1, col); });
    connect(m_grid, &CChannelGrid::leavingCell, this, [this] { CommitCellEditor(); });
    connect(m_grid, &CChannelGrid::mouseDown, this, [this] { OnMouseDownGrid(); });
    // A scroll drops the edit in progress without storing it.
    connect(m_grid, &CChannelGrid::scrolled, this, [this] { HideCellEditors(); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
        [this] { HideCellEditors(); });
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &CProgramView::ShowGridMenu);

    // Saving this document stores this view's grid, whichever view is active.
    // A value still being typed is committed first: the file must hold what
    // the user sees.
    if (doc) {
        QPointer<CProgramView> self(this);
        // Every change of the image (a commit, an undo, a redo, a dialog, a read) shows here.
        connect(doc, &CProgramDoc::imageChanged, this, &CProgramView::RefreshFromDocument);
        connect(doc, &CProgramDoc::imageChanged, this, &CProgramView::RefreshPlanFindings);
        doc->setSaveHook([self] {
            if (!self)
                return;
            self->CommitCellEditor();
            self->GridToImage();
        });
    }
}

CProgramView::~CProgramView() = default;

CChannelGrid *CProgramView::grid() const
{
    return m_grid;
}

void CProgramView::OnInitialUpdate()
{
    if (m_bFirstUpdate) {
        m_lang = CurrentLanguage();
        m_toneList = BuildToneList(m_lang);
        {
            const QSignalBlocker block(m_grid);
            m_grid->setRows(ChannelTable::Rows);
            m_grid->setCols(ChannelTable::Cols);
            m_grid->setForeColorFixed(QColor(0, 50, 240));
            CreateCellEditors();
            const ChannelTable blank = ChannelTable::withHeaders(m_lang);
            for (int r = 0; r < ChannelTable::Rows; ++r)
                for (int c = 0; c < ChannelTable::Cols; ++c)
                    m_grid->setTextMatrix(r, c, blank.text(r, c));
            const int w = m_grid->ColWidth(0);
            for (int c = 0; c < ChannelTable::Cols; ++c)
                m_grid->setColWidth(c, static_cast<int>(w * GridColumnWidthFactor(c)));
            m_grid->setCurrentGridCell(1, 1);
        }
        m_grid->setMinimumSize(m_grid->contentSize() / 3);
        m_grid->setMaximumSize(m_grid->contentSize());
        m_bFirstUpdate = false;
        updateGeometry();
        // Shrink the document window to fit the form.
        if (QWidget *frame = parentWidget())
            frame->adjustSize();
    }

    // title.ico is the document window's icon. Without a readable one the window
    // keeps the program's own document icon: an empty icon would make the toolkit
    // draw its own logo there.
    const QString iconPath = g_strAppDir + QStringLiteral("title.ico");
    QWidget *frame = parentWidget() ? parentWidget() : this;
    const QIcon icon = QFileInfo::exists(iconPath) ? QIcon(iconPath) : QIcon();
    frame->setWindowIcon(
        icon.availableSizes().isEmpty() ? QIcon(QStringLiteral(":/icons/document.png")) : icon);

    ImageToGrid();
}

void CProgramView::ImageToGrid()
{
    if (m_bFirstUpdate) {
        OnInitialUpdate();
        return;
    }
    if (!m_pDoc)
        return;
    // The editor would otherwise show, and later store, a value of the old image.
    HideCellEditors();
    ChannelTable t = ChannelTable::withHeaders(m_lang);
    UserSettings store = UserSettings::forApplication();
    const GridRefresh refresh
        = RefreshGridFromImage(m_pDoc->m_image, t, m_lang, g_bNewImage == 1, store);
    for (int r = 1; r < ChannelTable::Rows; ++r)
        for (int c = 1; c < ChannelTable::Cols; ++c)
            m_grid->setTextMatrix(r, c, t.text(r, c));
    m_nBandLow = refresh.band.low;
    m_nBandHigh = refresh.band.high;
    g_strTitle = refresh.title;
    emit captionChanged(g_strTitle);
    RefreshPlanFindings();
}

void CProgramView::GridToImage()
{
    // Before set-up the grid holds nothing; writing it would empty every channel.
    if (!m_pDoc || m_bFirstUpdate)
        return;
    TableToChannels(table(), m_pDoc->m_image);
}

ChannelTable CProgramView::table() const
{
    ChannelTable t;
    if (m_bFirstUpdate)
        return t;
    for (int r = 0; r < ChannelTable::Rows; ++r)
        for (int c = 0; c < ChannelTable::Cols; ++c)
            t.setText(r, c, m_grid->TextMatrix(r, c));
    return t;
}

bool CProgramView::CommitCellEditor()
{
    if (m_bFirstUpdate || m_editRow < 1 || m_editCol < 1)
        return false;
    const int row = m_editRow;
    const int col = m_editCol;
    QWidget *editor = ExistingCellEditor(col);
    if (!editor || editor->isHidden())
        return false;

    QString text;
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        text = edit->text();
    } else {
        auto *combo = static_cast<QComboBox *>(editor);
        const QStringList items = EditorItems(EditorKindOfColumn(col), m_toneList, m_lang);
        text = ListCommitText(items, combo->currentIndex(), m_grid->TextMatrix(row, col));
    }
    const ChannelTable before = table();
    ChannelTable t = before;
    const int message
        = CommitCell(t, row, col, text, BandLimits { m_nBandLow, m_nBandHigh }, m_lang);
    for (int c = 1; c < ChannelTable::Cols; ++c)
        m_grid->setTextMatrix(row, c, t.text(row, c));
    HideCellEditors();
    // The image follows at once, as one undo step; a commit that changed no text changes no byte.
    if (m_pDoc) {
        MemoryImage after = m_pDoc->m_image;
        if (!StoreChangedRows(before, t, after).isEmpty()) {
            m_bStoringCommit = true;
            m_pDoc->applyImageChange(after, CellUndoText(row, col, m_lang));
            m_bStoringCommit = false;
        }
    }
    if (message == 0)
        return false;
    AfxMessageBox(
        this, LoadString(message), QMessageBox::Ok, MsgIcon::Exclamation, LoadString(ids::Caution));
    return true;
}

void CProgramView::CreateCellEditors()
{
    // The nine editors, two of them holding the 265 tones, are made when their column
    // is first edited (GetCellEditor): the window need not wait for them to appear.
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
}

QWidget *CProgramView::GetCellEditor(int col)
{
    if (QWidget *made = ExistingCellEditor(col); made || m_bFirstUpdate)
        return made;
    QWidget *host = m_grid->viewport();
    auto makeEdit = [&](const char *name, int id) {
        auto *e = new QLineEdit(host);
        e->setObjectName(QLatin1String(name));
        e->setProperty("ctrlId", id);
        e->setFrame(false);
        e->setAlignment(Qt::AlignCenter);
        e->setFont(font());
        e->hide();
        e->installEventFilter(this);
        return e;
    };
    auto makeCombo = [&](const char *name, int id, const QStringList &items) {
        auto *c = new QComboBox(host);
        c->setObjectName(QLatin1String(name));
        c->setProperty("ctrlId", id);
        c->setFont(font());
        c->addItems(items);
        c->hide();
        c->installEventFilter(this);
        c->view()->installEventFilter(this);
        // Up and Down change the value in place: say the new value with its cell.
        connect(c, &QComboBox::currentIndexChanged, this, [this, c] {
            if (!c->isHidden() && m_editRow >= 1 && m_editCol >= 1)
                AnnounceName(c, m_grid->cellSpeech(m_editRow, m_editCol, c->currentText()));
        });
        return c;
    };
    // The 265 tones drop down as a short list with a scroll bar; some styles
    // would otherwise open them as one column the height of the screen.
    auto makeTones = [&](const char *name, int id) {
        QComboBox *tones = makeCombo(name, id, m_toneList);
        tones->setMaxVisibleItems(12);
        tones->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        tones->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return tones;
    };
    switch (EditorKindOfColumn(col)) {
    case CellEditorKind::Rx:
        return m_editRx = makeEdit("editRx", 2127);
    case CellEditorKind::Tx:
        return m_editTx = makeEdit("editTx", 2128);
    case CellEditorKind::Decode:
        return m_comboDecode = makeTones("comboDecode", 2132);
    case CellEditorKind::Encode:
        return m_comboEncode = makeTones("comboEncode", 2133);
    case CellEditorKind::Power:
        return m_comboPower = makeCombo("comboPower", 1129, OptionTexts(OptionKind::Power, m_lang));
    case CellEditorKind::ScanAdd:
        return m_comboScanAdd
            = makeCombo("comboScanAdd", 1134, OptionTexts(OptionKind::ScanAdd, m_lang));
    case CellEditorKind::BusyLock:
        return m_comboBusyLock
            = makeCombo("comboBusyLock", 1139, OptionTexts(OptionKind::BusyLock, m_lang));
    case CellEditorKind::Width:
        return m_comboWidth
            = makeCombo("comboWidth", 1128, OptionTexts(OptionKind::Bandwidth, m_lang));
    case CellEditorKind::Compand:
        return m_comboCompand
            = makeCombo("comboCompand", 2134, OptionTexts(OptionKind::Compand, m_lang));
    }
    return nullptr;
}

QWidget *CProgramView::ExistingCellEditor(int col) const
{
    switch (EditorKindOfColumn(col)) {
    case CellEditorKind::Rx:
        return m_editRx;
    case CellEditorKind::Tx:
        return m_editTx;
    case CellEditorKind::Decode:
        return m_comboDecode;
    case CellEditorKind::Encode:
        return m_comboEncode;
    case CellEditorKind::Power:
        return m_comboPower;
    case CellEditorKind::ScanAdd:
        return m_comboScanAdd;
    case CellEditorKind::BusyLock:
        return m_comboBusyLock;
    case CellEditorKind::Width:
        return m_comboWidth;
    case CellEditorKind::Compand:
        return m_comboCompand;
    }
    return nullptr;
}

void CProgramView::OpenCellEditor()
{
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    if (m_bFirstUpdate || row < 1 || col < 1)
        return;
    HideCellEditors();
    QWidget *editor = GetCellEditor(col);
    const QString text = m_grid->TextMatrix(row, col);
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const QStringList items = EditorItems(EditorKindOfColumn(col), m_toneList, m_lang);
        const int index = ListIndexForCellText(items, text);
        // A value outside the list stays on show (and in the cell) until an entry is picked.
        combo->setPlaceholderText(index < 0 ? text : QString());
        combo->setCurrentIndex(index);
    } else {
        static_cast<QLineEdit *>(editor)->setText(text);
    }
    m_editRow = row;
    m_editCol = col;
    ShowCellEditor(editor);
}

void CProgramView::ShowCellEditor(QWidget *editor)
{
    editor->setGeometry(m_grid->cellRect(m_editRow, m_editCol));
    QString value = m_grid->TextMatrix(m_editRow, m_editCol);
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(value);
        edit->selectAll();
    } else if (auto *combo = qobject_cast<QComboBox *>(editor); combo->currentIndex() >= 0) {
        value = combo->currentText();
    }
    // The editor stands for its cell: named as the cell is, the band and steps as
    // its description (the status bar's hint, which a reader does not follow).
    NameControl(editor, m_grid->cellSpeech(m_editRow, m_editCol, value),
        (m_editCol == ColRx || m_editCol == ColTx)
            ? FrequencyHint(BandLimits { m_nBandLow, m_nBandHigh }, m_lang)
            : QString());
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    m_grid->viewport()->update();
    m_typeAhead.clear();
    ShowFrequencyHint();
}

void CProgramView::HideCellEditors()
{
    if (m_bFirstUpdate)
        return;
    for (int c = 1; c < ChannelTable::Cols; ++c) {
        QWidget *e = ExistingCellEditor(c);
        if (!e || e->isHidden())
            continue;
        // Hand the focus to the grid first: a focused widget that disappears
        // passes it on, and the grid would take that as Tab and move the cell.
        if (e->hasFocus() || e->isAncestorOf(QApplication::focusWidget()))
            m_grid->setFocus(Qt::OtherFocusReason);
        e->hide();
    }
    m_grid->viewport()->update();
}

void CProgramView::OnCurrentCellChanged(int row, int col)
{
    // Leave-cell: the editor still names the cell being left.
    CommitCellEditor();
    if (row < 1)
        return;
    if (col < 1) {
        m_grid->setCurrentGridCell(row, 1); // the channel number column is fixed
        return;
    }
    OpenCellEditor();
}

void CProgramView::FocusCurrentCell()
{
    if (m_bFirstUpdate)
        return;
    QWidget *editor = GetCellEditor(m_grid->Col());
    if (editor && !editor->isHidden() && m_editRow == m_grid->Row() && m_editCol == m_grid->Col())
        editor->setFocus(Qt::OtherFocusReason);
    else if (m_grid->Row() >= 1 && m_grid->Col() >= 1)
        OpenCellEditor();
    else
        m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::OnMouseDownGrid()
{
    // Re-opening an editor that is already open over the current cell would
    // throw away what the user typed into it.
    QWidget *editor = ExistingCellEditor(m_grid->Col());
    if (editor && !editor->isHidden() && m_editRow == m_grid->Row() && m_editCol == m_grid->Col()) {
        editor->setFocus(Qt::MouseFocusReason);
        return;
    }
    OpenCellEditor();
}

void CProgramView::OnEnterKey()
{
    if (CommitCellEditor())
        return; // the rejected cell stays current
    GridCell next { 1, 1 };
    if (m_grid->Row() >= 1 && m_grid->Col() >= 1)
        next = NextCellAfterEnter({ m_grid->Row(), m_grid->Col() }, m_grid->Rows(), m_grid->Cols());
    if (next == GridCell { m_grid->Row(), m_grid->Col() })
        OpenCellEditor();
    else
        m_grid->setCurrentGridCell(next.row, next.col);
}

void CProgramView::MoveByTab(bool backward)
{
    int row = qMax(1, m_grid->Row());
    int col = qMax(1, m_grid->Col());
    if (!backward) {
        const GridCell next = NextCellAfterEnter({ row, col }, m_grid->Rows(), m_grid->Cols());
        row = next.row;
        col = next.col;
    } else if (col > 1) {
        --col;
    } else {
        row = row > 1 ? row - 1 : m_grid->Rows() - 1;
        col = m_grid->Cols() - 1;
    }
    m_grid->setCurrentGridCell(row, col); // leave-cell commits, enter-cell opens
}

void CProgramView::LeaveGrid(bool backward)
{
    if (CommitCellEditor())
        return; // the rejected value keeps the user in its cell
    HideCellEditors();
    // The next (or previous) control of the window that takes Tab and is not the grid's.
    QWidget *w = m_grid;
    for (int guard = 0; guard < 1000; ++guard) {
        w = backward ? w->previousInFocusChain() : w->nextInFocusChain();
        if (!w || w == m_grid)
            return;
        // The document window itself would hand the focus straight back to the grid.
        if (m_grid->isAncestorOf(w) || w->isAncestorOf(m_grid) || !w->isVisible() || !w->isEnabled()
            || !(w->focusPolicy() & Qt::TabFocus) || w->window() != window())
            continue;
        w->setFocus(backward ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return;
    }
}

void CProgramView::OpenGridMenuAtCell()
{
    if (m_grid->Row() < 1 || m_grid->Col() < 1)
        return;
    ShowGridMenu(m_grid->cellRect(m_grid->Row(), m_grid->Col()).center());
}

void CProgramView::ShowHelpForFocus()
{
    // Inside its document window the view's window is the main window.
    ShowHelp(window(), ControlIdOf(QApplication::focusWidget()));
}

bool CProgramView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && !m_bFirstUpdate) {
        // Ctrl+Tab leaves the grid. The document area would take it first to cycle its
        // windows (it eats the key press), so it is acted on here, where it comes first.
        auto *key = static_cast<QKeyEvent *>(event);
        const bool ctrlTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && (key->modifiers() & Qt::ControlModifier);
        const bool inPopup = qobject_cast<QAbstractItemView *>(watched) && watched != m_grid;
        if (ctrlTab && !inPopup) {
            LeaveGrid(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            event->accept();
            return true;
        }
    }
    if (!m_bFirstUpdate && FilterEditorKey(watched, event))
        return true;
    if (event->type() != QEvent::KeyPress || m_bFirstUpdate)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool inPopup = qobject_cast<QAbstractItemView *>(watched) && watched != m_grid;
    switch (key->key()) {
    case Qt::Key_F1:
        ShowHelpForFocus();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (inPopup)
            break; // the open list takes Enter as the choice of its entry
        OnEnterKey();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (inPopup)
            break;
        const bool backward
            = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        // Tab past the last cell leaves the grid instead of wrapping to the first, so
        // the keyboard is never held in it (Shift+Tab still wraps back to the last).
        const bool atEnd = !backward && m_grid->Row() >= m_grid->Rows() - 1
            && m_grid->Col() >= m_grid->Cols() - 1;
        if (atEnd) {
            LeaveGrid(backward);
            return true;
        }
        if (watched == m_grid || watched == m_grid->viewport())
            break;
        MoveByTab(backward);
        return true;
    }
    case Qt::Key_Menu:
    case Qt::Key_F10:
        // The Menu key, and Shift+F10, open the grid's menu at the current cell.
        if (inPopup || (key->key() == Qt::Key_F10 && key->modifiers() != Qt::ShiftModifier))
            break;
        OpenGridMenuAtCell();
        return true;
    default:
        // Typing on the bare grid (at start-up, or after a rejected value) edits
        // the current cell, instead of letting the keys fall on nothing.
        if ((watched == m_grid || watched == m_grid->viewport()) && StartsTyping(*key)) {
            OpenCellEditor();
            QWidget *editor = GetCellEditor(m_grid->Col());
            if (editor && !editor->isHidden()) {
                QCoreApplication::sendEvent(editor, event);
                return true;
            }
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}
