// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/PlanFindingsList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

QIcon SeverityIcon(PlanSeverity severity, const QStyle *style)
{
    switch (severity) {
    case PlanSeverity::Error:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case PlanSeverity::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case PlanSeverity::Note:
        break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxInformation);
}

CPlanFindingsList::CPlanFindingsList(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("planFindings"));
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    setWordWrap(true);
    setUniformRowHeights(false);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::itemActivated, this,
        [this](QTreeWidgetItem *item, int) { activate(item); });
}

void CPlanFindingsList::setFindings(const QList<PlanFinding> &findings, Language lang)
{
    m_findings = findings;
    clear();
    setHeaderLabels({ LanguageText(lang, "Severity", "级别"), LanguageText(lang, "Channel", "信道"),
        LanguageText(lang, "Field", "字段"), LanguageText(lang, "Message", "说明") });
    for (int i = 0; i < findings.size(); ++i) {
        const PlanFinding &f = findings.at(i);
        auto *row = new QTreeWidgetItem(this);
        row->setIcon(0, SeverityIcon(f.severity, style()));
        row->setText(0, SeverityText(f.severity, lang));
        QStringList channels;
        for (int n : f.channels)
            channels << QString::number(n);
        row->setText(1, channels.join(QStringLiteral(", ")));
        row->setText(2, PlanFieldText(f.field, lang));
        row->setText(3, f.message(lang));
        row->setToolTip(3, f.message(lang));
        row->setData(0, Qt::UserRole, i);
    }
    for (int c = 0; c < 3; ++c)
        resizeColumnToContents(c);
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
}

void CPlanFindingsList::keyPressEvent(QKeyEvent *event)
{
    QTreeWidget::keyPressEvent(event);
    // Enter on a finding goes to its cell; it must not also press the window's default
    // button (Cancel of the write review).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem())
        event->accept();
}

void CPlanFindingsList::activate(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const PlanFinding &f = m_findings.at(item->data(0, Qt::UserRole).toInt());
    const int col = PlanFieldColumn(f.field);
    if (!f.channels.isEmpty() && col > 0)
        emit cellRequested(f.channels.constFirst(), col);
}
