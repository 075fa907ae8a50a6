// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's keyboard walks: F6 between the navigation tree and the
// document windows, F10 to the menu bar, and a visible home for the focus when
// a document window goes.
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MdiClient.h"
#include "gui/shell/NavBar.h"
#include "gui/view/ProgramView.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTreeWidget>

void CMainFrame::createKeyboardActions()
{
    // F10 opens the menu bar, as on other desktops; the bar's own arrows and Escape follow.
    auto *menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("menuBarKey"));
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuKey, &QAction::triggered, this, [this] {
        const QList<QAction *> menus = menuBar()->actions();
        if (menus.isEmpty())
            return;
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(menus.first());
    });
    addAction(menuKey);
}

void CMainFrame::OnNextPane(bool backward)
{
    QList<QWidget *> panes;
    if (m_pNavBar->isVisible())
        panes << m_pNavBar->tree();
    for (QMdiSubWindow *w : m_pMDIClient->subWindowList())
        if (w->isVisible())
            panes << w;
    if (panes.isEmpty())
        return;
    const QWidget *focus = QApplication::focusWidget();
    int current = -1;
    for (int i = 0; i < panes.size(); ++i)
        if (focus && (panes[i] == focus || panes[i]->isAncestorOf(focus)))
            current = i;
    const int n = int(panes.size());
    const int next = current < 0 ? (backward ? n - 1 : 0) : (current + (backward ? n - 1 : 1)) % n;
    if (auto *frame = qobject_cast<CChildFrame *>(panes[next])) {
        m_pMDIClient->setActiveSubWindow(frame);
        if (frame->view())
            frame->view()->FocusCurrentCell();
        return;
    }
    panes[next]->setFocus(backward ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

void CMainFrame::focusVisiblePane()
{
    for (QMdiSubWindow *w : m_pMDIClient->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        auto *frame = qobject_cast<CChildFrame *>(w);
        if (frame && frame->isVisible() && frame->view()) {
            m_pMDIClient->setActiveSubWindow(frame);
            frame->view()->FocusCurrentCell();
            return;
        }
    }
    if (m_pNavBar->isVisible())
        m_pNavBar->tree()->setFocus(Qt::OtherFocusReason);
    else
        m_pMDIClient->setFocus(Qt::OtherFocusReason);
}
