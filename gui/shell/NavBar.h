// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The navigation bar docked at the left of the main window: a caption with a
// close button, the tree of the image's editors, and a sizing strip.

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;
class QRubberBand;

/// The navigation bar; the main frame reacts to its tree and close button.
class CNavBar : public QWidget
{
    Q_OBJECT
public:
    /// Caption height in pixels.
    static constexpr int kCaptionHeight = 22;
    /// Width of the sizing strip along the right edge.
    static constexpr int kSizingStrip = 6;
    /// Narrowest tracking line position while dragging.
    static constexpr int kMinTrack = 80;
    /// Narrowest bar after a drag.
    static constexpr int kMinWidth = 11;

    /// An empty bar 220 pixels wide with caption (the [language] "company" text).
    explicit CNavBar(const QString &caption, QWidget *parent = nullptr);

    /// The tree control (id 1032): root and the three items of the running language.
    QTreeWidget *tree() const { return m_pTree; }
    /// The root item.
    QTreeWidgetItem *rootItem() const;
    /// The bar's width as last set.
    int barWidth() const { return m_nWidth; }
    /// Sets the width and lays the bar out again.
    void setBarWidth(int width);
    /// Rectangle of the close button in bar coordinates.
    QRect closeButtonRect() const;
    /// Clamps a tracking-line position during a drag (80 .. half the frame's client width).
    int clampTrack(int x) const;
    /// Width after releasing the drag at x (11 .. half the frame's client width).
    int widthOnRelease(int x) const;

Q_SIGNALS:
    /// The close button was pressed and released on it.
    void closeClicked();
    /// The user chose the tree's current item: by a click (byMouse) or by Enter or Space.
    void itemChosen(bool byMouse);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int frameClientWidth() const;
    bool inSizingStrip(const QPoint &pos) const;
    void layoutTree();

    QFont m_font;
    QString m_strCaption;
    int m_nCaptionHeight = kCaptionHeight;
    int m_nWidth = 220;
    QTreeWidget *m_pTree = nullptr;
    bool m_bOverClose = false;
    bool m_bClosePressed = false;
    bool m_bSizing = false;
    bool m_bTreePress = false; // a mouse press on the tree is being handled
    int m_nTrackX = 0;
    QPointer<QRubberBand> m_pTrackLine;
};
