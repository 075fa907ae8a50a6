// SPDX-License-Identifier: GPL-3.0-or-later
// Program > Check Channels... and the grid's finding marks: the plan check
// runs on every change of the image, so the marks never lag behind an edit.
#include "core/document/ProgramDoc.h"
#include "core/plan/ChannelPlanCheck.h"
#include "gui/dialogs/PlanCheckDlg.h"
#include "gui/dialogs/PlanFindingsList.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include <QStyle>

void CProgramView::RefreshPlanFindings()
{
    if (m_bFirstUpdate || !m_pDoc)
        return;
    const PlanRegion region = LoadPlanRegion();
    const QList<PlanFinding> findings
        = CheckChannelPlan(m_pDoc->m_image, RadioTypeOfImage(m_pDoc->m_image), region);
    for (int r = 1; r < ChannelTable::Rows; ++r)
        for (int c = ColRx; c < ChannelTable::Cols; ++c) {
            const QList<PlanFinding> here = FindingsOfCell(findings, r, c);
            QStringList lines;
            PlanSeverity worst = PlanSeverity::Note;
            for (const PlanFinding &f : here) {
                lines << SeverityText(f.severity, m_lang) + QStringLiteral(": ")
                        + f.message(m_lang);
                worst = qMin(worst, f.severity);
            }
            m_grid->setCellMark(r, c, here.isEmpty() ? QIcon() : SeverityIcon(worst, style()),
                lines.join(QLatin1Char('\n')));
        }
    if (m_dlgPlanCheck)
        m_dlgPlanCheck->setFindings(findings, region);
}

void CProgramView::OnCheckChannels()
{
    // What is still being typed belongs to the plan the user wants checked.
    CommitCellEditor();
    if (!m_dlgPlanCheck) {
        m_dlgPlanCheck = new CPlanCheckDlg(this);
        m_dlgPlanCheck->setWindowFlag(Qt::Window);
        connect(m_dlgPlanCheck, &CPlanCheckDlg::cellRequested, this, &CProgramView::GoToCell);
    }
    RefreshPlanFindings();
    m_dlgPlanCheck->show();
    m_dlgPlanCheck->raise();
    m_dlgPlanCheck->activateWindow();
}

void CProgramView::GoToCell(int channel, int col)
{
    if (m_bFirstUpdate || channel < 1 || channel >= ChannelTable::Rows || col < ColRx)
        return;
    window()->activateWindow();
    m_grid->setFocus();
    m_grid->setCurrentGridCell(channel, col);
}
