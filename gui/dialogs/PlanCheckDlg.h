// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program > Check Channels...: the findings of the channel plan check of the
// document, kept up to date by its view while the window is open.

#include "core/plan/PlanFinding.h"
#include "core/plan/PlanRegion.h"

#include <QDialog>

class CPlanFindingsList;
class QLabel;

/// The modeless Check Channels window of one view.
class CPlanCheckDlg : public QDialog
{
    Q_OBJECT
public:
    /// An empty window; the view fills it with setFindings.
    explicit CPlanCheckDlg(QWidget *parent);
    /// Shows findings, checked with the rules of region.
    void setFindings(const QList<PlanFinding> &findings, PlanRegion region);
    /// The list of findings.
    CPlanFindingsList *list() const { return m_list; }
    /// The count line above the list.
    QLabel *summary() const { return m_summary; }

Q_SIGNALS:
    /// The user asked to go to grid cell (channel, col).
    void cellRequested(int channel, int col);

private:
    QLabel *m_summary = nullptr;
    CPlanFindingsList *m_list = nullptr;
};
