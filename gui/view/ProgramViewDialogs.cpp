// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ProgramView.h"

#include "core/settings/IniFile.h"
#include "gui/dialogs/ComSetupDlg.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/dialogs/ScanInfoDlg.h"

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
    if (!m_dlgComSetup) {
        m_dlgComSetup = new CComSetupDlg(this);
        connect(m_dlgComSetup, &CComSetupDlg::portChosen, this,
            [this](const QString &port) { m_strPort = port; });
    }
    m_dlgComSetup->DoModal();
}

void CProgramView::OnLanguage()
{
    if (!m_dlgLanguage)
        m_dlgLanguage = new CLanguageDlg(this);
    const QString kept = theIniFile.GetValue(QStringLiteral("Setup"), QStringLiteral("Language"));
    if (m_dlgLanguage->DoModal() != QDialog::Accepted || !m_dlgLanguage->m_bChanged)
        return;
    // The main window settles unsaved changes before the restart, or puts kept back.
    emit restartRequested(kept);
}
