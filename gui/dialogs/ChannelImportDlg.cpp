// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/ChannelImportDlg.h"

#include "core/app/Globals.h"
#include "core/plan/ChannelPlanCheck.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/dialogs/PlanFindingsList.h"
#include "gui/shell/CommandIds.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

CChannelImportDlg::CChannelImportDlg(const QByteArray &bytes, const QString &fileName,
    const MemoryImage &base, const BandLimits &band, QWidget *parent)
    : QDialog(parent)
    , m_bytes(bytes)
    , m_base(base)
    , m_band(band)
{
    setObjectName(QStringLiteral("ChannelImportDlg"));
    setWindowTitle(tr("Import Channels"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Channel list: %1").arg(QFileInfo(fileName).fileName()), this));

    auto *placementRow = new QHBoxLayout;
    placementRow->addWidget(new QLabel(tr("Place the rows:"), this));
    m_placement = new QComboBox(this);
    m_placement->setObjectName(QStringLiteral("placement"));
    m_placement->addItems({ tr("Automatically"), tr("By Location"), tr("In file order") });
    placementRow->addWidget(m_placement);
    placementRow->addWidget(new QLabel(tr("from channel"), this));
    m_first = new QSpinBox(this);
    m_first->setObjectName(QStringLiteral("firstChannel"));
    m_first->setRange(1, mem::ChannelCount);
    placementRow->addWidget(m_first);
    placementRow->addStretch(1);
    layout->addLayout(placementRow);
    m_rule = new QLabel(this);
    m_rule->setObjectName(QStringLiteral("rule"));
    layout->addWidget(m_rule);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("preview"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    layout->addWidget(m_table, 1);

    m_problemsLabel = new QLabel(this);
    layout->addWidget(m_problemsLabel);
    m_problems = new QPlainTextEdit(this);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setReadOnly(true);
    m_problems->setMaximumHeight(fontMetrics().height() * 6);
    layout->addWidget(m_problems);

    m_replaceAll = new QRadioButton(tr("Replace all channels"), this);
    m_replaceAll->setObjectName(QStringLiteral("replaceAll"));
    m_replaceAll->setToolTip(tr("Channels the list does not name become empty"));
    m_onlyListed = new QRadioButton(tr("Only the channels in the file"), this);
    m_onlyListed->setObjectName(QStringLiteral("onlyListed"));
    m_onlyListed->setToolTip(tr("Channels the list does not name stay as they are"));
    m_replaceAll->setChecked(true);
    layout->addWidget(m_replaceAll);
    layout->addWidget(m_onlyListed);

    m_findingsLabel = new QLabel(this);
    m_findingsLabel->setWordWrap(true);
    layout->addWidget(m_findingsLabel);
    m_findings = new CPlanFindingsList(this);
    m_findings->setAccessibleName(
        LanguageText("Channel check of the result", "导入结果的信道检查"));
    m_findings->setMaximumHeight(fontMetrics().height() * 8);
    m_findingsLabel->setBuddy(m_findings);
    layout->addWidget(m_findings);
    connect(m_replaceAll, &QRadioButton::toggled, this, [this] { fillFindings(); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(tr("Import"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_placement, &QComboBox::currentIndexChanged, this, [this] { reread(); });
    connect(m_first, &QSpinBox::valueChanged, this, [this] { reread(); });
    reread();
    resize(760, 520);
    // F1 anywhere in the preview opens the manual at Import Channels.
    auto *keys = new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::ImportChannels);
    keys->install();
}

ImportScope CChannelImportDlg::scope() const
{
    return m_onlyListed->isChecked() ? ImportScope::OnlyListed : ImportScope::ReplaceAll;
}

MemoryImage CChannelImportDlg::after() const
{
    return ApplyChannelCsv(m_base, m_import, scope());
}

void CChannelImportDlg::reread()
{
    ChannelCsvImportOptions options;
    options.band = m_band;
    options.placement = m_placement->currentIndex() == 1 ? CsvPlacement::ByLocation
        : m_placement->currentIndex() == 2               ? CsvPlacement::InOrder
                                                         : CsvPlacement::Automatic;
    options.firstChannel = m_first->value();
    m_import = ReadChannelCsv(m_bytes, options);
    // The first channel only means something when the rows go in file order.
    m_first->setEnabled(m_import.placement == CsvPlacement::InOrder);
    fillPreview();
}

void CChannelImportDlg::fillPreview()
{
    const Language lang = CurrentLanguage();
    m_rule->setText(
        m_import.error.isEmpty() ? CsvPlacementText(m_import, m_first->value()) : m_import.error);
    // The rows as the grid will show them: decoded from the image the import makes.
    const MemoryImage image = ApplyChannelCsv(m_base, m_import, ImportScope::OnlyListed);
    ChannelTable texts;
    ChannelsToTable(image, texts, lang);
    QStringList headers { tr("Line") };
    headers << GridHeaderTexts(lang);
    m_table->clear();
    m_table->setColumnCount(headers.size());
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setRowCount(m_import.channels.size());
    for (int i = 0; i < m_import.channels.size(); ++i) {
        const ImportedChannel &c = m_import.channels.at(i);
        m_table->setItem(i, 0, new QTableWidgetItem(QString::number(c.line)));
        m_table->setItem(i, 1, new QTableWidgetItem(QString::number(c.channel)));
        for (int col = ColRx; col < ChannelTable::Cols; ++col)
            m_table->setItem(i, col + 1, new QTableWidgetItem(texts.text(c.channel, col)));
    }
    m_table->resizeColumnsToContents();

    QStringList problems;
    for (const ChannelCsvProblem &p : m_import.problems)
        problems << ChannelCsvProblemText(p);
    m_problems->setPlainText(problems.join(QLatin1Char('\n')));
    m_problemsLabel->setText(problems.isEmpty()
            ? tr("Every row of the list can be imported.")
            : tr("%n row(s) will not be imported:", nullptr, m_import.skippedRows()));
    m_problems->setVisible(!problems.isEmpty());
    m_ok->setEnabled(!m_import.channels.isEmpty());
    fillFindings();
}

void CChannelImportDlg::fillFindings()
{
    // Constructed before the scope buttons exist: the first preview comes back here later.
    if (!m_findings || !m_onlyListed)
        return;
    const MemoryImage image = after();
    const QList<PlanFinding> findings
        = CheckChannelPlan(image, RadioTypeOfImage(image), LoadPlanRegion());
    m_findingsLabel->setText(findings.isEmpty()
            ? LanguageText("The channel check finds nothing in the result.",
                "信道检查未在导入结果中发现问题。")
            : LanguageText("The channel check of the result:", "导入结果的信道检查："));
    m_findings->setFindings(findings, CurrentLanguage());
    m_findings->setVisible(!findings.isEmpty());
}
