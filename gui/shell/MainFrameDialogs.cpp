// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MainFrame.h"

#include "gui/dialogs/OptionalFeaturesDlg.h"
#include "gui/dialogs/ProductInfoDlg.h"

void CMainFrame::OnProductInfo()
{
    // Without an open document there is no image or view to store the choice into.
    if (!activeDocument() || !activeView())
        return;
    if (!m_dlgProductInfo)
        m_dlgProductInfo = new CProductInfoDlg(this);
    m_dlgProductInfo->DoModal();
}

void CMainFrame::OnOptionalFeatures()
{
    if (!activeDocument())
        return;
    if (!m_dlgOptionalFeatures)
        m_dlgOptionalFeatures = new COptionalFeaturesDlg(this);
    m_dlgOptionalFeatures->DoModal();
}
