// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/station/ProgrammingLogDlg.h"

#include "core/document/FileWrite.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MessageBox.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace {

/// The columns of the table, the print and nothing else: the export keeps every field.
QStringList RowTexts(const ProgrammingRecord &r)
{
    return { QLocale().toString(r.time, QStringLiteral("yyyy-MM-dd HH:mm:ss")), r.port, r.result,
        r.imageFile, r.radioType, r.band, QFileInfo(r.backupFile).fileName(), r.operatorName,
        QString::number(r.durationMs / 1000.0, 'f', 1), r.error };
}

} // namespace

CProgrammingLogDlg::CProgrammingLogDlg(const QString &path, QWidget *parent)
    : QDialog(parent)
    , m_path(path)
    , m_find(new QLineEdit(this))
    , m_fromOn(new QCheckBox(tr("&From"), this))
    , m_from(new QDateEdit(QDate::currentDate(), this))
    , m_table(new QTableWidget(this))
    , m_notes(new QLabel(this))
    , m_openBackup(new QPushButton(tr("Open &Backup"), this))
{
    setObjectName(QStringLiteral("CProgrammingLogDlg"));
    setWindowTitle(tr("Programming Log"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    auto *filters = new QHBoxLayout;
    auto *findLabel = new QLabel(tr("F&ind:"), this);
    findLabel->setBuddy(m_find);
    m_find->setAccessibleName(tr("Find"));
    m_from->setCalendarPopup(true);
    m_from->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_from->setEnabled(false);
    m_from->setAccessibleName(tr("From date"));
    m_fromOn->setAccessibleName(tr("Only records from a date on"));
    filters->addWidget(findLabel);
    filters->addWidget(m_find, 1);
    filters->addWidget(m_fromOn);
    filters->addWidget(m_from);
    layout->addLayout(filters);

    const QStringList headers { tr("Time"), tr("Port"), tr("Result"), tr("Image"), tr("Radio type"),
        tr("Band"), tr("Backup"), tr("Operator"), tr("Seconds"), tr("Error") };
    m_table->setColumnCount(headers.size());
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAccessibleName(tr("Programming log records"));
    layout->addWidget(m_table, 1);
    m_notes->setWordWrap(true);
    layout->addWidget(m_notes);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_openBackup, QDialogButtonBox::ActionRole);
    QPushButton *exportButton
        = buttons->addButton(tr("&Export CSV..."), QDialogButtonBox::ActionRole);
    QPushButton *printButton = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(m_find, &QLineEdit::textChanged, this, &CProgrammingLogDlg::applyFilter);
    connect(m_fromOn, &QCheckBox::toggled, this, [this](bool on) {
        m_from->setEnabled(on);
        applyFilter();
    });
    connect(m_from, &QDateEdit::dateChanged, this, &CProgrammingLogDlg::applyFilter);
    connect(m_openBackup, &QPushButton::clicked, this, &CProgrammingLogDlg::openBackup);
    connect(m_table, &QTableWidget::cellActivated, this, &CProgrammingLogDlg::openBackup);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        m_openBackup->setEnabled(
            row >= 0 && row < m_shown.size() && !m_shown.at(row).backupFile.isEmpty());
    });
    connect(exportButton, &QPushButton::clicked, this, &CProgrammingLogDlg::exportAsked);
    connect(printButton, &QPushButton::clicked, this, &CProgrammingLogDlg::printAsked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(900, 480);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::ProgrammingLog))->install();
    reload();
}

void CProgrammingLogDlg::reload()
{
    const ProgrammingLogRead read = ReadProgrammingLog(m_path);
    m_all = read.records;
    std::stable_sort(m_all.begin(), m_all.end(),
        [](const ProgrammingRecord &a, const ProgrammingRecord &b) { return a.time > b.time; });
    QStringList notes = read.notes;
    if (!read.error.isEmpty())
        notes.prepend(read.error);
    m_notes->setText(notes.join(QLatin1Char('\n')));
    m_notes->setVisible(!notes.isEmpty());
    applyFilter();
}

void CProgrammingLogDlg::setFilterText(const QString &text)
{
    m_find->setText(text);
}

void CProgrammingLogDlg::setFromDate(const QDate &day)
{
    if (day.isValid())
        m_from->setDate(day);
    m_fromOn->setChecked(day.isValid());
}

void CProgrammingLogDlg::applyFilter()
{
    m_shown.clear();
    const QDateTime from = m_fromOn->isChecked() ? m_from->date().startOfDay() : QDateTime();
    for (const ProgrammingRecord &r : std::as_const(m_all)) {
        if (r.matches(m_find->text()) && (!from.isValid() || r.time >= from))
            m_shown.append(r);
    }
    m_table->setRowCount(m_shown.size());
    for (int row = 0; row < m_shown.size(); ++row) {
        const QStringList texts = RowTexts(m_shown.at(row));
        for (int col = 0; col < texts.size(); ++col) {
            auto *item = new QTableWidgetItem(texts.at(col));
            item->setToolTip(
                col == 6 ? QDir::toNativeSeparators(m_shown.at(row).backupFile) : texts.at(col));
            m_table->setItem(row, col, item);
        }
    }
    m_table->resizeColumnsToContents();
    if (!m_shown.isEmpty())
        m_table->setCurrentCell(0, 0);
    m_openBackup->setEnabled(!m_shown.isEmpty() && !m_shown.first().backupFile.isEmpty());
}

void CProgrammingLogDlg::openBackup()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_shown.size() || m_shown.at(row).backupFile.isEmpty())
        return;
    emit openBackupRequested(m_shown.at(row).backupFile);
}

bool CProgrammingLogDlg::exportCsv(const QString &path, QString *error)
{
    return filewrite::WriteWholeFile(path, ProgrammingRecordsCsv(m_shown), error);
}

void CProgrammingLogDlg::exportAsked()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export CSV"), QStringLiteral("programming-log.csv"), tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportCsv(path, &error))
        AfxMessageBoxAsync(this, tr("The log could not be exported: %1").arg(error),
            QMessageBox::Ok, MsgIcon::Exclamation, QString(), {});
}

void CProgrammingLogDlg::printAsked()
{
    auto printer = std::make_shared<QPrinter>();
    auto *dlg = new QPrintDialog(printer.get(), this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, qOverload<>(&QDialog::accepted), this, [this, printer] {
        QString html = QStringLiteral("<h3>%1</h3><table border=1 cellspacing=0 cellpadding=2><tr>")
                           .arg(windowTitle().toHtmlEscaped());
        for (int c = 0; c < m_table->columnCount(); ++c)
            html += QStringLiteral("<th>%1</th>")
                        .arg(m_table->horizontalHeaderItem(c)->text().toHtmlEscaped());
        html += QStringLiteral("</tr>");
        for (const ProgrammingRecord &r : std::as_const(m_shown)) {
            html += QStringLiteral("<tr>");
            for (const QString &t : RowTexts(r))
                html += QStringLiteral("<td>%1</td>").arg(t.toHtmlEscaped());
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table>");
        QTextDocument doc;
        doc.setHtml(html);
        doc.print(printer.get());
    });
    dlg->open();
}
