#include "editor/ProgramView.h"

#include "dialogs/ComSetupDlg.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/ScanInfoDlg.h"

void CProgramView::OnScanInfo()
{
    // The channel check looks at the image; channels typed but not yet stored must be there.
    GridToImage();
    if (!m_dlgScanInfo)
        m_dlgScanInfo = new CScanInfoDlg(this);
    m_dlgScanInfo->setDocument(GetDocument());
    m_dlgScanInfo->DoModal();
}

void CProgramView::OnComSetup()
{
    if (!m_dlgComSetup)
        m_dlgComSetup = new CComSetupDlg(this);
    m_dlgComSetup->setView(this);
    m_dlgComSetup->DoModal();
}

void CProgramView::OnLanguage()
{
    if (!m_dlgLanguage)
        m_dlgLanguage = new CLanguageDlg(this);
    if (m_dlgLanguage->DoModal() == QDialog::Accepted && m_dlgLanguage->m_bChanged)
        RestartProgram();
}
