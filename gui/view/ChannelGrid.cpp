// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ChannelGrid.h"

#include "core/app/Language.h"
#include "gui/shell/AccessibleNames.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>

CChannelGrid::CChannelGrid(QWidget *parent)
    : QTableWidget(parent)
{
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    // Cells show text only; editing happens in the view's editors.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Cells, ranges and whole channels (through the channel numbers) can be selected.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    NameControl(this, LanguageText("Channels", "信道"),
        LanguageText("One row per channel; Enter or F2 edits a cell, Shift+F10 opens the menu",
            "每行一个信道；回车或 F2 编辑单元格，Shift+F10 打开菜单"));
    setWordWrap(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CChannelGrid::scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CChannelGrid::scrolled);
    // Pixel scrolling, so a cell can be brought out from under the fixed column.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    m_fixedColumn = new QTableView(this);
    m_fixedColumn->setObjectName(QStringLiteral("fixedColumn"));
    m_fixedColumn->setModel(model());
    m_fixedColumn->setSelectionModel(selectionModel());
    m_fixedColumn->setFocusPolicy(Qt::NoFocus);
    NameControl(m_fixedColumn, LanguageText("Channel numbers", "信道号"));
    m_fixedColumn->setFrameShape(QFrame::NoFrame);
    m_fixedColumn->verticalHeader()->hide();
    m_fixedColumn->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_fixedColumn->horizontalHeader()->setSectionsClickable(false);
    m_fixedColumn->horizontalHeader()->setHighlightSections(false);
    m_fixedColumn->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fixedColumn->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fixedColumn->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fixedColumn->setWordWrap(false);
    m_fixedColumn->viewport()->installEventFilter(this);
    viewport()->stackUnder(m_fixedColumn);
    connect(m_fixedColumn->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
        &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_fixedColumn->verticalScrollBar(),
        &QScrollBar::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { syncFixedColumn(); });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this] { syncFixedColumn(); });
    connect(model(), &QAbstractItemModel::columnsInserted, this, [this] { syncFixedColumn(); });
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { syncFixedColumn(); });
}

void CChannelGrid::syncFixedColumn()
{
    for (int c = 1; c < columnCount(); ++c)
        m_fixedColumn->setColumnHidden(c, true);
    m_fixedColumn->setColumnHidden(0, false);
    m_fixedColumn->setColumnWidth(0, columnWidth(0));
    m_fixedColumn->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    for (int r = 0; r < rowCount(); ++r)
        m_fixedColumn->setRowHeight(r, rowHeight(r));
    m_fixedColumn->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_fixedColumn->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
        viewport()->height() + horizontalHeader()->height());
    m_fixedColumn->verticalScrollBar()->setValue(verticalScrollBar()->value());
    m_fixedColumn->setVisible(columnCount() > 0);
}

void CChannelGrid::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    syncFixedColumn();
}

bool CChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_fixedColumn->viewport() && channelNumberMouse(event))
        return true;
    return QTableWidget::eventFilter(watched, event);
}

bool CChannelGrid::channelNumberMouse(QEvent *event)
{
    // A click or drag on the channel numbers selects whole channels (Shift
    // extends from the first, Ctrl adds); the current cell goes to the Rx cell.
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (type == QEvent::MouseButtonRelease) {
        m_rowDrag = false;
        return true;
    }
    if (type == QEvent::MouseMove && !(mouse->buttons() & Qt::LeftButton))
        m_rowDrag = false; // the button came up outside the channel numbers
    if (type == QEvent::MouseMove && !m_rowDrag)
        return true;
    if (type != QEvent::MouseMove && mouse->button() != Qt::LeftButton)
        return true;
    const int row = m_fixedColumn->rowAt(mouse->position().toPoint().y());
    if (row < 0 || columnCount() < 2)
        return true;
    const bool extend = type == QEvent::MouseMove || (mouse->modifiers() & Qt::ShiftModifier);
    if (!extend || m_rowAnchor < 0)
        m_rowAnchor = row;
    const int first = qMin(m_rowAnchor, row);
    const int last = qMax(m_rowAnchor, row);
    const QItemSelection rows(model()->index(first, 1), model()->index(last, columnCount() - 1));
    const bool add = type != QEvent::MouseMove && (mouse->modifiers() & Qt::ControlModifier);
    if (currentIndex().row() != row || currentIndex().column() < 1)
        selectionModel()->setCurrentIndex(model()->index(row, 1), QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        rows, add ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
    if (type != QEvent::MouseMove) {
        m_rowDrag = true;
        Q_EMIT mouseDown();
    }
    return true;
}

void CChannelGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableWidget::scrollTo(index, hint);
    if (index.column() <= 0)
        return;
    const int hidden = columnWidth(0) - visualRect(index).left();
    if (hidden > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

QTableWidgetItem *CChannelGrid::itemAt(int row, int col)
{
    if (row == 0) {
        QTableWidgetItem *h = horizontalHeaderItem(col);
        if (!h) {
            h = new QTableWidgetItem;
            setHorizontalHeaderItem(col, h);
        }
        return h;
    }
    QTableWidgetItem *it = item(row - 1, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignCenter);
        if (col == 0) {
            // The channel number column is fixed: never current, drawn like a header.
            it->setFlags(Qt::NoItemFlags);
            it->setBackground(palette().button());
            it->setForeground(m_fixedColor);
        } else {
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
        setItem(row - 1, col, it);
    }
    return it;
}

QString CChannelGrid::TextMatrix(int row, int col) const
{
    const QTableWidgetItem *it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
    return it ? it->text() : QString();
}

void CChannelGrid::setTextMatrix(int row, int col, const QString &text)
{
    QTableWidgetItem *it = itemAt(row, col);
    if (row == 0)
        it->setForeground(m_fixedColor);
    it->setText(text);
    // A cell alone says only its value; the reader needs its column and channel too.
    if (row > 0) {
        nameCell(row, col);
    } else {
        for (int r = 1; r <= rowCount(); ++r)
            if (item(r - 1, col))
                nameCell(r, col);
    }
}

QString CChannelGrid::cellSpeech(const QString &column, int channel, const QString &value)
{
    if (value.isEmpty())
        return LanguageText("%1, channel %2: empty", "%1，信道 %2：空").arg(column).arg(channel);
    return LanguageText("%1, channel %2: %3", "%1，信道 %2：%3")
        .arg(column)
        .arg(channel)
        .arg(value);
}

QString CChannelGrid::cellSpeech(int row, int col, const QString &value) const
{
    return cellSpeech(TextMatrix(0, col), row, value);
}

void CChannelGrid::nameCell(int row, int col)
{
    QTableWidgetItem *it = item(row - 1, col);
    if (!it)
        return;
    const QString name = col == 0 ? LanguageText("Channel %1", "信道 %1").arg(row)
                                  : cellSpeech(row, col, it->text());
    it->setData(Qt::AccessibleTextRole, name);
}

void CChannelGrid::setCellMark(int row, int col, const QIcon &icon, const QString &text)
{
    if (row < 1 || col < 1)
        return;
    QTableWidgetItem *it = itemAt(row, col);
    // Unchanged marks are left alone: every edit re-marks the whole grid.
    if (it->toolTip() == text && it->icon().isNull() == icon.isNull())
        return;
    it->setIcon(icon);
    it->setToolTip(text);
    it->setData(Qt::AccessibleDescriptionRole, text.isEmpty() ? QVariant() : QVariant(text));
}

void CChannelGrid::setForeColorFixed(const QColor &color)
{
    m_fixedColor = color;
    for (int c = 0; c < columnCount(); ++c)
        if (QTableWidgetItem *h = horizontalHeaderItem(c))
            h->setForeground(color);
    for (int r = 0; r < rowCount(); ++r)
        if (QTableWidgetItem *it = item(r, 0))
            it->setForeground(color);
}

QRect CChannelGrid::cellRect(int row, int col) const
{
    return visualRect(model()->index(row - 1, col));
}

QSize CChannelGrid::contentSize() const
{
    int w = 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c)
        w += columnWidth(c);
    int h = 2 * frameWidth() + horizontalHeader()->sizeHint().height();
    for (int r = 0; r < rowCount(); ++r)
        h += rowHeight(r);
    return { w, h };
}

QSize CChannelGrid::sizeHint() const
{
    return columnCount() > 0 ? contentSize() : QTableWidget::sizeHint();
}

void CChannelGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    Q_EMIT mouseDown();
}

void CChannelGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The cell being left is committed before the grid scrolls to the new
    // one: a scroll drops the edit in progress.
    Q_EMIT leavingCell();
    QTableWidget::currentChanged(current, previous);
}

void CChannelGrid::followMovedRow(int from, int to, int col)
{
    // Setting the current cell alone would add to the selection while Ctrl is
    // held (Ctrl+Up/Down), so the next Delete would hit the rows left behind.
    QItemSelection moved;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    for (const QModelIndex &i : selected)
        if (i.row() == from - 1) {
            const QModelIndex at = model()->index(to - 1, i.column());
            moved.select(at, at);
        }
    const QModelIndex current = model()->index(to - 1, col);
    if (moved.isEmpty())
        moved.select(current, current);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
}
