// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/PlanCheckDlg.h"

#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/dialogs/PlanFindingsList.h"
#include "gui/shell/CommandIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CPlanCheckDlg::CPlanCheckDlg(QWidget *parent)
    : QDialog(parent)
{
    const Language lang = CurrentLanguage();
    setObjectName(QStringLiteral("CPlanCheckDlg"));
    setWindowTitle(LanguageText(lang, "Check Channels", "检查信道"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_list = new CPlanFindingsList(this);
    m_list->setAccessibleName(LanguageText(lang, "Findings", "检查结果"));
    m_list->setAccessibleDescription(
        LanguageText(lang, "Press Enter on a finding to go to its cell in the grid.",
            "在检查结果上按回车键可转到表格中的相应单元格。"));
    m_summary->setBuddy(m_list);
    layout->addWidget(m_list, 1);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close
        = buttons->addButton(LanguageText(lang, "Close", "关闭"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_list, &CPlanFindingsList::cellRequested, this, &CPlanCheckDlg::cellRequested);
    resize(720, 360);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::CheckChannels))->install();
}

void CPlanCheckDlg::setFindings(const QList<PlanFinding> &findings, PlanRegion region)
{
    const Language lang = CurrentLanguage();
    int counts[3] = {};
    for (const PlanFinding &f : findings)
        ++counts[static_cast<int>(f.severity)];
    const QString regionName = RegionNames(lang).value(static_cast<int>(region));
    m_summary->setText(findings.isEmpty()
            ? LanguageText(lang, "No findings: the channel plan looks consistent (region: %1).",
                "未发现问题：信道规划一致（地区：%1）。")
                  .arg(regionName)
            : LanguageText(lang,
                "%1 error(s), %2 warning(s), %3 note(s) (region: %4). Press "
                "Enter or double-click a finding to go to its cell.",
                "错误 %1 个，警告 %2 个，提示 %3 个（地区：%4）。按回车键或双击一条结果可"
                "转到其单元格。")
                  .arg(counts[0])
                  .arg(counts[1])
                  .arg(counts[2])
                  .arg(regionName));
    m_list->setFindings(findings, lang);
    m_list->setVisible(!findings.isEmpty());
}
