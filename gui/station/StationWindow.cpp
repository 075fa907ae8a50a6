// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/station/StationWindow.h"

#include "core/app/Globals.h"
#include "core/link/PortRoutes.h"
#include "core/plan/ChannelPlanCheck.h"
#include "core/plan/PlanRegion.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/dialogs/PlanFindingsList.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MessageBox.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

QList<StationPort> FoundStationPorts()
{
    const QList<SerialAdapter> adapters = ListSerialAdapters();
    QList<StationPort> ports;
    for (const SerialAdapter &a : adapters)
        ports.append({ a.device, DescribeAdapter(a, CurrentLanguage()), true });
    // The COM routes may lead to an adapter listed above; they are offered, not chosen.
    for (int n = 1; n <= 4; ++n)
        ports.append({ QStringLiteral("COM%1").arg(n),
            DescribeComRoute(n, adapters, CurrentLanguage()), false });
    return ports;
}

CStationWindow::CStationWindow(const StationSetup &setup, const QString &imageName,
    const QList<StationPort> &ports, QWidget *parent)
    : QDialog(parent)
    , m_setup(setup)
    , m_totals(new QLabel(this))
    , m_startAll(new QPushButton(tr("Start &All"), this))
    , m_cancelAll(new QPushButton(tr("Cancel A&ll"), this))
    , m_tick(new QTimer(this))
{
    setObjectName(QStringLiteral("CStationWindow"));
    setWindowTitle(tr("Programming Station"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The bench always keeps the radio's old memory and checks what it wrote.
    m_setup.options.backup = true;
    m_setup.options.verify = true;

    auto *layout = new QVBoxLayout(this);
    auto *image = new QLabel(
        tr("Image: %1\nSHA-256: %2").arg(imageName, Sha256Hex(setup.image.toByteArray())), this);
    image->setObjectName(QStringLiteral("imageLabel"));
    image->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    image->setAccessibleName(tr("Image written"));
    layout->addWidget(image);

    // The same check as before any write: what is wrong goes into every radio of the bench.
    const WriteCheck check = CheckBeforeWrite(m_setup.image, LoadPlanRegion());
    m_planErrors = check.hasErrors;
    if (!check.findings.isEmpty()) {
        const Language lang = CurrentLanguage();
        auto *planLabel = new QLabel(check.hasErrors
                ? LanguageText(lang,
                    "The channel check found errors: the radios may not work as planned. "
                    "Correct them before writing, or confirm at the first start.",
                    "信道检查发现错误：对讲机可能无法按计划工作。请在写频前更正，或在第一次开始时确"
                    "认。")
                : LanguageText(lang, "The channel check found warnings:", "信道检查发现警告："),
            this);
        planLabel->setWordWrap(true);
        auto *findings = new CPlanFindingsList(this);
        findings->setObjectName(QStringLiteral("planFindings"));
        findings->setFindings(check.findings, lang);
        findings->setAccessibleName(LanguageText(lang, "Channel check findings", "信道检查结果"));
        findings->setMaximumHeight(120);
        planLabel->setBuddy(findings);
        layout->addWidget(planLabel);
        layout->addWidget(findings);
    }

    auto *rowsHolder = new QWidget(this);
    auto *rowsLayout = new QVBoxLayout(rowsHolder);
    for (const StationPort &p : ports) {
        auto *row = new CStationRow(p.port, p.description, p.chosen, rowsHolder);
        rowsLayout->addWidget(row);
        m_rows.append(row);
        connect(row, &CStationRow::startRequested, this, [this, row] {
            const QPointer<CStationRow> target(row);
            whenPlanAccepted([this, target] {
                if (!target || target->isRunning())
                    return;
                if (!m_elapsed.isValid())
                    m_elapsed.start();
                target->start(m_setup);
            });
        });
        connect(row, &CStationRow::runningChanged, this, &CStationWindow::updateTotals);
        connect(row, &CStationRow::radioFinished, this,
            [this](const ProgrammingRecord &, const QString &logError) {
                // The radio's result stands; the missing record is told on its own.
                if (!logError.isEmpty())
                    AfxMessageBoxAsync(this,
                        tr("The programming log could not be written (%1); the radio's result "
                           "is not affected.")
                            .arg(logError),
                        QMessageBox::Ok, MsgIcon::Exclamation, QString(), {});
                if (m_closeWhenIdle && !isRunning())
                    close();
            });
    }
    rowsLayout->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(rowsHolder);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);

    m_totals->setObjectName(QStringLiteral("totals"));
    m_totals->setAccessibleName(tr("Totals"));
    layout->addWidget(m_totals);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_startAll, QDialogButtonBox::ActionRole);
    buttons->addButton(m_cancelAll, QDialogButtonBox::ActionRole);
    QPushButton *closeButton = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(m_startAll, &QPushButton::clicked, this, &CStationWindow::startAll);
    connect(m_cancelAll, &QPushButton::clicked, this, &CStationWindow::cancelAll);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    m_tick->setInterval(1000);
    connect(m_tick, &QTimer::timeout, this, &CStationWindow::updateTotals);
    resize(720, 520);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::ProgrammingStation))->install();
    updateTotals();
}

bool CStationWindow::isRunning() const
{
    for (const CStationRow *row : m_rows)
        if (row->isRunning())
            return true;
    return false;
}

void CStationWindow::startAll()
{
    whenPlanAccepted([this] {
        for (CStationRow *row : std::as_const(m_rows)) {
            if (row->isChosen() && !row->isRunning()) {
                if (!m_elapsed.isValid())
                    m_elapsed.start();
                row->start(m_setup);
            }
        }
    });
}

void CStationWindow::whenPlanAccepted(const std::function<void()> &start)
{
    if (!m_planErrors || m_planAccepted) {
        start();
        return;
    }
    // Errors in the plan: one explicit yes for the whole bench, as Program > Write asks it.
    if (m_askingPlan)
        return;
    m_askingPlan = true;
    const QPointer<CStationWindow> self(this);
    AfxMessageBoxAsync(
        this,
        LanguageText("The channel plan has errors. Write it into the radios anyway?",
            "信道规划有错误。仍要写入对讲机吗？"),
        QMessageBox::Yes | QMessageBox::No, MsgIcon::Exclamation, QString(),
        [self, start](QMessageBox::StandardButton pressed) {
            if (!self)
                return;
            self->m_askingPlan = false;
            if (pressed != QMessageBox::Yes)
                return;
            self->m_planAccepted = true;
            start();
        },
        this);
}

void CStationWindow::cancelAll()
{
    for (CStationRow *row : std::as_const(m_rows))
        row->cancel();
}

void CStationWindow::cancelAllAndWait()
{
    for (CStationRow *row : std::as_const(m_rows))
        row->cancel();
    for (CStationRow *row : std::as_const(m_rows))
        row->cancelAndWait();
}

QString CStationWindow::totalsText() const
{
    return m_totals->text();
}

void CStationWindow::updateTotals()
{
    int done = 0;
    int failed = 0;
    for (const CStationRow *row : std::as_const(m_rows)) {
        done += row->doneCount();
        failed += row->failedCount();
    }
    const qint64 s = m_elapsed.isValid() ? m_elapsed.elapsed() / 1000 : 0;
    m_totals->setText(tr("Programmed: %1   Failed: %2   Elapsed: %3")
                          .arg(done)
                          .arg(failed)
                          .arg(QStringLiteral("%1:%2:%3")
                                   .arg(s / 3600)
                                   .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                                   .arg(s % 60, 2, 10, QLatin1Char('0'))));
    const bool running = isRunning();
    m_cancelAll->setEnabled(running);
    if (running && !m_tick->isActive())
        m_tick->start();
    else if (!running)
        m_tick->stop();
}

bool CStationWindow::askToStop()
{
    if (!isRunning())
        return true;
    return AfxMessageBox(this,
               tr("Radios are being programmed. Stop them and close the Programming Station?"),
               QMessageBox::Yes | QMessageBox::No, MsgIcon::Question)
        == QMessageBox::Yes;
}

void CStationWindow::closeEvent(QCloseEvent *event)
{
    if (!isRunning()) {
        event->accept();
        return;
    }
    // Asked without a loop of its own; on Yes every row is cancelled and the window
    // closes once the last one has ended and logged its radio.
    event->ignore();
    if (m_asking)
        return;
    m_asking = true;
    AfxMessageBoxAsync(this,
        tr("Radios are being programmed. Stop them and close the Programming Station?"),
        QMessageBox::Yes | QMessageBox::No, MsgIcon::Question, QString(),
        [this](QMessageBox::StandardButton pressed) {
            m_asking = false;
            if (pressed != QMessageBox::Yes)
                return;
            m_closeWhenIdle = true;
            cancelAll();
        });
}

void CStationWindow::reject()
{
    if (isRunning())
        close();
    else
        QDialog::reject();
}
