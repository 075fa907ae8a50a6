// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/ChildFrame.h"

#include "core/document/ProgramDoc.h"
#include "gui/view/ProgramView.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

CChildFrame::CChildFrame(CProgramDoc *doc, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_pDoc(doc)
{
    // The document lives exactly as long as its window.
    m_pDoc->setParent(this);
    m_pView = new CProgramView(m_pDoc, this);
    setWidget(m_pView);
    updateTitle();
    connect(m_pDoc, &CProgramDoc::modifiedChanged, this, &QWidget::setWindowModified);
    setWindowIcon(QIcon(QStringLiteral(":/icons/document.png")));
    setGeometry(0, 0, 1600, 1200);
    // The window menu's own keys (Close is Ctrl+W here) would shadow the frame's
    // accelerators while the focus is inside the window: Ctrl+W is Write. The window
    // still closes by its close box and File > Close.
    for (QAction *act : systemMenu()->actions())
        act->setShortcuts({});
}

CChildFrame::~CChildFrame()
{
    // A transfer runs inside the view; it must never outlive it.
    if (m_pView)
        m_pView->cancelTransferAndWait();
    if (m_pDoc)
        m_pDoc->setSaveHook({});
}

void CChildFrame::updateTitle()
{
    // "[*]" shows as "*" while there are unsaved changes.
    setWindowTitle(m_pDoc->title() + QStringLiteral("[*]"));
    setWindowModified(m_pDoc->isModified());
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    // The close box only hides the window; Channel Information shows it again.
    event->ignore();
    hide();
}
