// SPDX-License-Identifier: GPL-3.0-or-later
// Edit > Product Information and Edit > Optional Features: the frame's own
// dialogs, pointed at the active document each time they open.
#include "gui/shell/MainFrame.h"

#include "gui/dialogs/OptionalFeaturesDlg.h"
#include "gui/dialogs/ProductInfoDlg.h"
#include "gui/view/ProgramView.h"

void CMainFrame::OnProductInfo()
{
    // Without an open document there is no image or view to store the choice into.
    if (!activeDocument() || !activeView())
        return;
    if (!m_dlgProductInfo) {
        m_dlgProductInfo = new CProductInfoDlg(this);
        connect(m_dlgProductInfo, &CProductInfoDlg::captionChanged, this, &CMainFrame::setCaption);
        // The dialog is modal: the active view is the one it was opened over.
        connect(m_dlgProductInfo, &CProductInfoDlg::bandChosen, this, [this](int low, int high) {
            if (CProgramView *view = activeView()) {
                view->m_nBandLow = low;
                view->m_nBandHigh = high;
            }
        });
    }
    m_dlgProductInfo->setDocument(activeDocument());
    m_dlgProductInfo->DoModal();
}

void CMainFrame::OnOptionalFeatures()
{
    if (!activeDocument())
        return;
    if (!m_dlgOptionalFeatures)
        m_dlgOptionalFeatures = new COptionalFeaturesDlg(this);
    m_dlgOptionalFeatures->setDocument(activeDocument());
    m_dlgOptionalFeatures->DoModal();
}
