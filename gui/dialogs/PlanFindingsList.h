// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list of channel plan findings, one row each (severity icon, channel,
// field, message), as the check window, the write review and the import
// preview show it. Enter or a double-click on a row asks for its cell.

#include "core/plan/PlanFinding.h"

#include <QIcon>
#include <QTreeWidget>

class QStyle;

/// The icon of a severity in style (the message box icons).
QIcon SeverityIcon(PlanSeverity severity, const QStyle *style);

/// Findings as a list; reports the cell of the row the user activates.
class CPlanFindingsList : public QTreeWidget
{
    Q_OBJECT
public:
    /// An empty list.
    explicit CPlanFindingsList(QWidget *parent = nullptr);
    /// Shows findings with the texts of lang.
    void setFindings(const QList<PlanFinding> &findings, Language lang);
    /// The findings shown, in row order.
    const QList<PlanFinding> &findings() const { return m_findings; }

Q_SIGNALS:
    /// The user activated a finding that lies in grid cell (channel, col).
    void cellRequested(int channel, int col);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void activate(QTreeWidgetItem *item);

    QList<PlanFinding> m_findings;
};
