// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid widget of the channel view, addressed like the original grid:
// row 0 is the header row (kept in place as the horizontal header) and column
// 0 the channel numbers, both drawn as fixed cells that never become current.

#include <QTableWidget>

/// 17 × 10 channel grid with fixed header row and column.
class CChannelGrid : public QTableWidget
{
    Q_OBJECT
public:
    /// An empty grid; the view sets its size and texts.
    explicit CChannelGrid(QWidget *parent = nullptr);

    /// Number of grid rows, header row included.
    int Rows() const { return rowCount() + 1; }
    /// Sets the number of grid rows, header row included.
    void setRows(int rows) { setRowCount(rows - 1); }
    /// Number of grid columns, header column included.
    int Cols() const { return columnCount(); }
    /// Sets the number of grid columns, header column included.
    void setCols(int cols) { setColumnCount(cols); }

    /// Current grid row (1..Rows-1), 0 when there is none.
    int Row() const { return currentRow() + 1; }
    /// Current grid column, 0 when there is none.
    int Col() const { return currentColumn() < 0 ? 0 : currentColumn(); }
    /// Makes (row, col) the current cell.
    void setCurrentGridCell(int row, int col) { setCurrentCell(row - 1, col); }

    /// Makes (to, col) current after a channel moved from row `from`: the cells selected in
    /// that row go with it and every other selection is let go.
    void followMovedRow(int from, int to, int col);

    /// Text of grid cell (row, col); row 0 is the header.
    QString TextMatrix(int row, int col) const;
    /// Sets the text of grid cell (row, col); row 0 and column 0 are drawn as fixed cells.
    void setTextMatrix(int row, int col, const QString &text);
    /// Marks cell (row, col) with icon and explains the mark in its tooltip and accessible
    /// description; a null icon and an empty text take the mark away.
    void setCellMark(int row, int col, const QIcon &icon, const QString &text);

    /// Width of a column in pixels.
    int ColWidth(int col) const { return columnWidth(col); }
    /// Sets the width of a column in pixels.
    void setColWidth(int col, int width) { setColumnWidth(col, width); }
    /// Text colour of the fixed cells.
    void setForeColorFixed(const QColor &color);

    /// Rectangle of grid cell (row, col) in viewport coordinates.
    QRect cellRect(int row, int col) const;
    /// Size that shows every row and column without scrolling.
    QSize contentSize() const;
    /// The content size, so that the form fits the whole grid.
    QSize sizeHint() const override;

    /// Typing into the grid itself selects nothing: values are typed into the editors.
    void keyboardSearch(const QString &) override { }

    /// What a screen reader says for a value cell: its column, its channel and its value
    /// ("Rx Frequency, channel 3: 145.25000"), or that the cell is empty.
    static QString cellSpeech(const QString &column, int channel, const QString &value);
    /// cellSpeech for grid cell (row, col) with value in place of the cell's text.
    QString cellSpeech(int row, int col, const QString &value) const;

    /// Keeps a cell out from under the fixed column when it scrolls into view.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

Q_SIGNALS:
    /// The current cell changed; emitted before the grid scrolls to the new cell.
    void leavingCell();
    /// A mouse button went down on the grid (after the grid handled it).
    void mouseDown();
    /// The grid scrolled.
    void scrolled();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableWidgetItem *itemAt(int row, int col);
    bool channelNumberMouse(QEvent *event);
    void syncFixedColumn();
    void nameCell(int row, int col);

    QColor m_fixedColor = QColor(0, 0, 0);
    // Column 0 drawn again over the left edge, so the channel numbers stay in
    // place while the other columns scroll sideways.
    QTableView *m_fixedColumn = nullptr;
    int m_rowAnchor = -1; // row a click on the channel numbers started from (0-based)
    bool m_rowDrag = false;
};
