// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DocumentTarget.h"

#include "core/document/ProgramDoc.h"
#include "gui/shell/MainFrame.h"
#include "gui/view/ProgramView.h"

void CDocumentTarget::setDocument(CProgramDoc *doc)
{
    m_doc = doc;
}

void CDocumentTarget::setView(CProgramView *view)
{
    m_view = view;
}

CProgramDoc *CDocumentTarget::document() const
{
    if (m_doc)
        return m_doc;
    CMainFrame *frame = CMainFrame::instance();
    return frame ? frame->activeDocument() : nullptr;
}

CProgramView *CDocumentTarget::view() const
{
    if (m_view)
        return m_view;
    CMainFrame *frame = CMainFrame::instance();
    return frame ? frame->activeView() : nullptr;
}
