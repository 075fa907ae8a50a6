// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compare window: what differs between two images, field by field, in
// the user's language. Before a write it asks Write / Cancel; for
// File > Compare With... it only shows.

#include "core/document/ImageCompare.h"
#include "core/plan/PlanFinding.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTreeWidget;
class CPlanFindingsList;

/// Lists differences; in the write mode its Write button accepts.
class CCompareDlg : public QDialog
{
    Q_OBJECT
public:
    /// Before a write: the radio's values against what the write puts there, with the plan
    /// check's findings above them. With an error among them, Write asks once more.
    static CCompareDlg *forWrite(const QList<ImageDifference> &changes, QWidget *parent,
        const QList<PlanFinding> &findings = {});
    /// Before a write that reads no backup: only the plan check's findings.
    static CCompareDlg *forPlan(const QList<PlanFinding> &findings, QWidget *parent);
    /// Between the document (titled docName) and another file (otherName).
    static CCompareDlg *forFiles(const QList<ImageDifference> &differences, const QString &docName,
        const QString &otherName, QWidget *parent);

    /// The list shown.
    QTreeWidget *list() const { return m_list; }
    /// The text above the list.
    QLabel *summary() const { return m_summary; }
    /// Write / Write anyway (write mode), or nullptr.
    QPushButton *writeButton() const { return m_write; }
    /// The plan check's findings, or nullptr when there are none.
    CPlanFindingsList *findingsList() const { return m_findings; }

private:
    CCompareDlg(const QList<ImageDifference> &differences, const QString &columnA,
        const QString &columnB, QWidget *parent);

    QLabel *m_summary = nullptr;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_write = nullptr;
    QPushButton *m_close = nullptr;
    CPlanFindingsList *m_findings = nullptr;
    bool m_planErrors = false;

    void addFindings(const QList<PlanFinding> &findings);
    void addWriteButtons(const QString &writeText);
    void onWrite();
};
