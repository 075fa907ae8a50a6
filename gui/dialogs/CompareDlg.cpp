// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/CompareDlg.h"

#include "core/app/Globals.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/dialogs/PlanFindingsList.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MessageBox.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { ColWhere, ColItem, ColA, ColB };

QString Shown(const QString &text)
{
    return text.isEmpty() ? CCompareDlg::tr("(empty)") : text;
}

} // namespace

CCompareDlg::CCompareDlg(const QList<ImageDifference> &differences, const QString &columnA,
    const QString &columnB, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CCompareDlg"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setHeaderLabels({ tr("Channel"), tr("Item"), columnA, columnB });
    for (const ImageDifference &d : differences) {
        auto *row = new QTreeWidgetItem(m_list);
        row->setText(ColWhere, d.channel > 0 ? QString::number(d.channel) : QString());
        if (d.noEffect()) {
            // Told apart from real changes: the radio never reads these bytes.
            QStringList numbers;
            for (int n : d.channels)
                numbers << QString::number(n);
            row->setText(ColWhere, numbers.join(QLatin1String(", ")));
            for (int c = ColWhere; c <= ColB; ++c)
                row->setForeground(c, palette().brush(QPalette::Disabled, QPalette::Text));
        }
        row->setText(ColItem, d.label);
        row->setText(ColA, Shown(d.a));
        row->setText(ColB, Shown(d.b));
        // Hex bytes line up only in a fixed font.
        if (d.offset >= 0 || d.noEffect()) {
            row->setFont(ColA, QFont(QStringLiteral("monospace")));
            row->setFont(ColB, QFont(QStringLiteral("monospace")));
        }
    }
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setVisible(!differences.isEmpty());
    layout->addWidget(m_list, 1);
    resize(640, differences.isEmpty() ? 140 : 420);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::Compare))->install();
}

CCompareDlg *CCompareDlg::forWrite(
    const QList<ImageDifference> &changes, QWidget *parent, const QList<PlanFinding> &findings)
{
    auto *dlg = new CCompareDlg(changes, tr("In the radio"), tr("After the write"), parent);
    dlg->setWindowTitle(tr("Write Data - Changes"));
    // Unused bytes of empty channels change nothing the radio does.
    const int effective = RadioEffectCount(changes);
    dlg->m_summary->setText(effective == 0
            ? tr("The radio already holds this image. Nothing will change if you write it.")
            : tr("The write will change %n value(s) in the radio:", nullptr, effective));
    dlg->addFindings(findings);
    dlg->addWriteButtons(effective == 0 ? tr("Write anyway") : tr("Write"));
    return dlg;
}

CCompareDlg *CCompareDlg::forPlan(const QList<PlanFinding> &findings, QWidget *parent)
{
    auto *dlg = new CCompareDlg({}, QString(), QString(), parent);
    dlg->setWindowTitle(tr("Write Data - Channel Check"));
    dlg->m_summary->setText(tr("The radio is not read before this write (Setup > Options), so "
                               "the changes it makes are not listed."));
    dlg->addFindings(findings);
    dlg->addWriteButtons(tr("Write"));
    return dlg;
}

void CCompareDlg::addFindings(const QList<PlanFinding> &findings)
{
    if (findings.isEmpty())
        return;
    const Language lang = CurrentLanguage();
    m_planErrors = HasSeverity(findings, PlanSeverity::Error);
    auto *label = new QLabel(m_planErrors
            ? LanguageText(lang,
                "The channel check found errors: the radio may not work as "
                "planned. Correct them before writing.",
                "信道检查发现错误：对讲机可能无法按计划工作。请在写频前更正。")
            : LanguageText(lang, "The channel check found warnings:", "信道检查发现警告："),
        this);
    label->setWordWrap(true);
    m_findings = new CPlanFindingsList(this);
    m_findings->setFindings(findings, lang);
    m_findings->setAccessibleName(LanguageText(lang, "Channel check findings", "信道检查结果"));
    label->setBuddy(m_findings);
    auto *box = static_cast<QVBoxLayout *>(layout());
    box->insertWidget(0, label);
    box->insertWidget(1, m_findings, 1);
    resize(width(), height() + 200);
}

void CCompareDlg::addWriteButtons(const QString &writeText)
{
    auto *buttons = new QDialogButtonBox(this);
    m_write = buttons->addButton(writeText, QDialogButtonBox::AcceptRole);
    m_close = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    // Cancel is the safe choice for a stray Enter.
    m_close->setDefault(true);
    m_close->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &CCompareDlg::onWrite);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
}

void CCompareDlg::onWrite()
{
    if (!m_planErrors) {
        accept();
        return;
    }
    // Errors in the plan: one more, explicit yes before they reach a radio.
    const QPointer<CCompareDlg> self(this);
    AfxMessageBoxAsync(
        this,
        LanguageText("The channel plan has errors. Write it into the radio anyway?",
            "信道规划有错误。仍要写入对讲机吗？"),
        QMessageBox::Yes | QMessageBox::No, MsgIcon::Exclamation, QString(),
        [self](QMessageBox::StandardButton pressed) {
            if (self && pressed == QMessageBox::Yes)
                self->accept();
        },
        this);
}

CCompareDlg *CCompareDlg::forFiles(const QList<ImageDifference> &differences,
    const QString &docName, const QString &otherName, QWidget *parent)
{
    auto *dlg = new CCompareDlg(differences, docName, otherName, parent);
    dlg->setWindowTitle(tr("Compare With %1").arg(otherName));
    dlg->m_summary->setText(differences.isEmpty()
            ? tr("%1 and %2 hold the same image.").arg(docName, otherName)
            : tr("%n value(s) differ between %1 and %2:", nullptr, int(differences.size()))
                  .arg(docName, otherName));
    auto *buttons = new QDialogButtonBox(dlg);
    dlg->m_close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    dlg->layout()->addWidget(buttons);
    return dlg;
}
