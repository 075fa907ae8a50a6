// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ProgramView.h"

#include "core/settings/IniFile.h"
#include "gui/dialogs/ComSetupDlg.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/dialogs/ScanInfoDlg.h"
#include "gui/shell/MainFrame.h"

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
    const QString kept = theIniFile.GetValue(QStringLiteral("Setup"), QStringLiteral("Language"));
    if (m_dlgLanguage->DoModal() != QDialog::Accepted || !m_dlgLanguage->m_bChanged)
        return;
    // The restart ends this run: unsaved changes are asked about first, and
    // Cancel (or a save that failed) keeps this run with its language.
    CMainFrame *frame = CMainFrame::instance();
    if (frame && !frame->maybeSaveAllDocuments()) {
        theIniFile.SetValue(QStringLiteral("Setup"), QStringLiteral("Language"), kept);
        return;
    }
    if (frame)
        frame->setSavePromptDone(true);
    RestartProgram();
    if (CMainFrame *still = CMainFrame::instance())
        still->setSavePromptDone(false);
}
