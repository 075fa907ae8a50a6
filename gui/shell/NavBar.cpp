// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/NavBar.h"

#include "core/app/Language.h"
#include "gui/shell/AccessibleNames.h"
#include "ui_navbar.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>
#include <QTreeWidget>

CNavBar::CNavBar(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_strCaption(caption)
{
    // Template 130 is empty: the bar draws its caption and holds the tree itself.
    Ui::NavBarForm form;
    form.setupUi(this);
    setObjectName(QStringLiteral("IE Control Bar"));
    setWindowTitle(QStringLiteral("IE Control Bar"));
    setProperty("ctrlId", 100);
    // The face name is spelled as the installation always had it; a missing
    // face falls back to the default family at the same size.
    m_font = QFont(QStringLiteral("Time New Roman"));
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::Normal);
    setFont(m_font);
    setMouseTracking(true);

    m_pTree = new QTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("navTree"));
    m_pTree->setProperty("ctrlId", 1032);
    m_pTree->setFont(m_font);
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(true);
    m_pTree->setItemsExpandable(true);
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTree->setFrameShape(QFrame::NoFrame);
    NameControl(m_pTree, LanguageText("Navigation", "导航"),
        LanguageText("Enter or Space opens the selected item; F6 goes to the channel window",
            "回车或空格打开所选项目；F6 转到信道窗口"));
    // A click chooses the item it selects; the arrow keys only move, so that a
    // keyboard user can hear the items before choosing one with Enter or Space.
    m_pTree->installEventFilter(this);
    m_pTree->viewport()->installEventFilter(this);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        if (!m_bTreePress || !current)
            return;
        // One choice per press: the release may land in a dialog the choice opened.
        m_bTreePress = false;
        Q_EMIT itemChosen(true);
    });
    setFixedWidth(m_nWidth);
}

bool CNavBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pTree->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            m_bTreePress = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        else if (event->type() == QEvent::MouseButtonRelease && m_bTreePress) {
            m_bTreePress = false;
            // A click on the item the keyboard had already selected changes no
            // selection, but is a choice all the same.
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            QTreeWidgetItem *item = m_pTree->itemAt(pos);
            if (item && item == m_pTree->currentItem())
                Q_EMIT itemChosen(true);
        }
    } else if (watched == m_pTree && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool choose = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || key->key() == Qt::Key_Space;
        if (choose && key->modifiers() == Qt::NoModifier && m_pTree->currentItem()) {
            Q_EMIT itemChosen(false);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QTreeWidgetItem *CNavBar::rootItem() const
{
    return m_pTree->topLevelItemCount() ? m_pTree->topLevelItem(0) : nullptr;
}

void CNavBar::setBarWidth(int width)
{
    m_nWidth = width;
    setFixedWidth(width);
    layoutTree();
    update();
}

QRect CNavBar::closeButtonRect() const
{
    return QRect(width() - kSizingStrip - 2 - 16, (m_nCaptionHeight - 16) / 2, 16, 16);
}

int CNavBar::frameClientWidth() const
{
    return window() ? window()->width() : width();
}

int CNavBar::clampTrack(int x) const
{
    return qMax(kMinTrack, qMin(x, frameClientWidth() / 2));
}

int CNavBar::widthOnRelease(int x) const
{
    return qMax(kMinWidth, qMin(x, frameClientWidth() / 2));
}

bool CNavBar::inSizingStrip(const QPoint &pos) const
{
    return pos.x() >= width() - kSizingStrip && pos.x() < width();
}

void CNavBar::layoutTree()
{
    // The tree fills the bar below the caption, leaving a small margin above
    // the status bar as the original 51-pixel offset from the frame's client
    // height (toolbar and status bar included) did.
    const int top = m_nCaptionHeight + 9;
    const int bottom = qMax(top, height() - 3);
    const int right = qMax(5, m_nWidth - 8);
    m_pTree->setGeometry(QRect(QPoint(5, top), QPoint(right - 1, bottom - 1)));
}

void CNavBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutTree();
}

void CNavBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);

    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(5, 0, closeButtonRect().left() - 5, m_nCaptionHeight),
        Qt::AlignLeft | Qt::AlignVCenter, m_strCaption);
    painter.setPen(grey);
    painter.drawLine(0, m_nCaptionHeight - 1, width() - kSizingStrip, m_nCaptionHeight - 1);
    painter.drawRect(m_pTree->geometry().adjusted(-1, -1, 0, 0));

    const QRect button = closeButtonRect();
    if (m_bOverClose || m_bClosePressed) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = button.adjusted(-2, -2, 2, 2);
        frame.lineWidth = 1;
        frame.state
            |= (m_bOverClose && m_bClosePressed) ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    }
    const QPixmap icon = QPixmap(QStringLiteral(":/icons/navclose.png"));
    const QPoint shift = (m_bOverClose && m_bClosePressed) ? QPoint(1, 1) : QPoint(0, 0);
    painter.drawPixmap(button.topLeft() + shift, icon);

    // The sizing strip reads as a thin raised edge.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(width() - kSizingStrip + 1, 0, width() - kSizingStrip + 1, height());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(width() - 2, 0, width() - 2, height());
}

void CNavBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (closeButtonRect().contains(pos)) {
        m_bClosePressed = true;
        m_bOverClose = true;
        update(closeButtonRect().adjusted(-3, -3, 3, 3));
        return;
    }
    if (inSizingStrip(pos)) {
        m_bSizing = true;
        QWidget *top = window();
        if (!m_pTrackLine)
            m_pTrackLine = new QRubberBand(QRubberBand::Line, top);
        m_nTrackX = clampTrack(pos.x());
        const QPoint origin = mapTo(top, QPoint(0, 0));
        m_pTrackLine->setGeometry(origin.x() + m_nTrackX, origin.y(), 2, height());
        m_pTrackLine->show();
    }
}

void CNavBar::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_bSizing) {
        m_nTrackX = clampTrack(pos.x());
        if (m_pTrackLine) {
            const QPoint origin = mapTo(window(), QPoint(0, 0));
            m_pTrackLine->move(origin.x() + m_nTrackX, origin.y());
        }
        return;
    }
    const bool over = closeButtonRect().contains(pos);
    if (over != m_bOverClose) {
        m_bOverClose = over;
        update(closeButtonRect().adjusted(-3, -3, 3, 3));
    }
    setCursor(inSizingStrip(pos) ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void CNavBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (m_bSizing) {
        m_bSizing = false;
        if (m_pTrackLine)
            m_pTrackLine->hide();
        setBarWidth(widthOnRelease(pos.x()));
        return;
    }
    if (m_bClosePressed) {
        m_bClosePressed = false;
        const bool onButton = closeButtonRect().contains(pos);
        m_bOverClose = onButton;
        update(closeButtonRect().adjusted(-3, -3, 3, 3));
        if (onButton)
            Q_EMIT closeClicked();
    }
}

void CNavBar::mouseDoubleClickEvent(QMouseEvent *)
{
    // The bar is fixed in its dock; a double click must not float it.
}

void CNavBar::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (m_bOverClose && !m_bClosePressed) {
        m_bOverClose = false;
        update(closeButtonRect().adjusted(-3, -3, 3, 3));
    }
}

bool CNavBar::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (closeButtonRect().contains(help->pos()))
            QToolTip::showText(help->globalPos(), QStringLiteral("Close"), this, closeButtonRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
