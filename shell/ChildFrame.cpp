#include "shell/ChildFrame.h"

#include "doc/ProgramDoc.h"
#include "editor/ProgramView.h"

#include <QCloseEvent>

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
