// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/station/StationRow.h"

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/TransferJob.h"
#include "core/station/RadioProgramming.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

/// What the row's worker leaves for it: written by the worker, read once the job finished.
struct CStationRow::Run
{
    ProgrammingRecord record;
    QString logError;
};

CStationRow::CStationRow(
    const QString &port, const QString &description, bool chosen, QWidget *parent)
    : QFrame(parent)
    , m_port(port)
    , m_chosen(new QCheckBox(description, this))
    , m_state(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_counts(new QLabel(this))
    , m_backup(new QLabel(this))
    , m_start(new QPushButton(tr("&Start"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("stationRow"));
    setFrameShape(QFrame::StyledPanel);
    // The row itself takes no Tab stop, so that its check box stays reachable; Space on its
    // Start button programs the next radio.
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(tr("Port %1").arg(port));
    m_chosen->setChecked(chosen);
    m_chosen->setAccessibleName(tr("Use port %1").arg(port));
    m_state->setWordWrap(true);
    m_state->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progress->setRange(0, RadioWriteProgressSteps(RadioWriteOptions()));
    m_progress->setValue(0);
    m_progress->setAccessibleName(tr("Progress on %1").arg(port));
    m_counts->setAccessibleName(tr("Radios on %1").arg(port));
    m_backup->setWordWrap(true);
    m_backup->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_start->setAccessibleName(tr("Start on %1").arg(port));
    m_cancel->setAccessibleName(tr("Cancel on %1").arg(port));
    m_cancel->setEnabled(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_chosen, 0, 0, 1, 2);
    grid->addWidget(m_counts, 0, 2);
    grid->addWidget(m_start, 0, 3);
    grid->addWidget(m_state, 1, 0);
    grid->addWidget(m_progress, 1, 1, 1, 2);
    grid->addWidget(m_cancel, 1, 3);
    grid->addWidget(m_backup, 2, 0, 1, 4);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 2);

    connect(m_start, &QPushButton::clicked, this, &CStationRow::startRequested);
    connect(m_cancel, &QPushButton::clicked, this, &CStationRow::cancel);
    setState(tr("Waiting for a radio"));
    m_counts->setText(tr("Done: %1  Failed: %2").arg(0).arg(0));
}

CStationRow::~CStationRow()
{
    // The job is a child and goes with the row; its record is still logged by its worker.
    cancel();
}

bool CStationRow::isRunning() const
{
    return !m_job.isNull();
}

bool CStationRow::isChosen() const
{
    return m_chosen->isChecked();
}

QString CStationRow::stateText() const
{
    return m_state->text();
}

void CStationRow::setState(const QString &text)
{
    m_state->setText(text);
    m_state->setToolTip(text);
    m_state->setAccessibleName(tr("State of %1: %2").arg(m_port, text));
}

void CStationRow::start(const StationSetup &setup)
{
    if (m_job)
        return;
    auto run = std::make_shared<Run>();
    m_run = run;
    // Program.ini and the adapter list are read here, on the window's thread.
    run->record = BeginProgrammingRecord(m_port, setup.imagePath, setup.image, setup.operatorName);
    const MemoryImage image = setup.image;
    const RadioWriteOptions options = setup.options;
    const QString logPath = setup.logPath;
    const Language language = CurrentLanguage();
    auto *job = new CTransferJob(
        [run, image, options, logPath, language](CTransferUi &ui) {
            CPosixSerialLine line;
            const RadioProgramming done
                = ProgramRadio(line, run->record, image, options, ui, language);
            run->record = done.record;
            AppendProgrammingRecord(logPath, run->record, &run->logError);
        },
        this);
    m_job = job;
    connect(job, &CTransferJob::progressStepped, this,
        [this] { m_progress->setValue(m_progress->value() + 1); });
    connect(job, &CTransferJob::stepBegun, this, [this](const QString &label) { setState(label); });
    // Nobody sits at each row: a radio that does not answer fails its row, and the
    // changes are not asked about, since the bench writes the same image into every radio.
    connect(job, &CTransferJob::messageAsked, this, [job](int stringId, const QString &) {
        job->answer(stringId == ids::CommError ? MessageAnswer::Cancel : MessageAnswer::Ok);
    });
    connect(job, &CTransferJob::writeConfirmAsked, this,
        [job](const QList<ImageDifference> &) { job->answerConfirm(true); });
    connect(job, &CTransferJob::finished, this, &CStationRow::onFinished);
    m_progress->setRange(0, RadioWriteProgressSteps(options));
    m_progress->setValue(0);
    m_backup->clear();
    m_start->setEnabled(false);
    m_cancel->setEnabled(true);
    m_chosen->setEnabled(false);
    setState(tr("Connecting"));
    job->start();
    emit runningChanged();
}

void CStationRow::cancel()
{
    if (m_job)
        m_job->cancel();
}

void CStationRow::cancelAndWait()
{
    if (!m_job)
        return;
    m_job->cancel();
    // The worker ends within milliseconds; waiting here keeps its record complete.
    delete m_job.data();
    onFinished();
}

void CStationRow::onFinished()
{
    if (m_job)
        m_job->deleteLater();
    m_job = nullptr;
    if (!m_run)
        return;
    const std::shared_ptr<Run> run = std::move(m_run);
    m_last = run->record;
    const bool ok = m_last.result == QLatin1String(logresult::Ok);
    (ok ? m_done : m_failed) += 1;
    m_counts->setText(tr("Done: %1  Failed: %2").arg(m_done).arg(m_failed));
    if (ok)
        setState(tr("Done. Connect the next radio and press Start."));
    else if (m_last.result == QLatin1String(logresult::Cancelled))
        setState(tr("Failed: cancelled"));
    else
        setState(tr("Failed: %1").arg(m_last.error));
    m_backup->setText(m_last.backupFile.isEmpty()
            ? QString()
            : tr("Backup: %1").arg(QDir::toNativeSeparators(m_last.backupFile)));
    m_start->setEnabled(true);
    m_cancel->setEnabled(false);
    m_chosen->setEnabled(true);
    emit radioFinished(m_last, run->logError);
    emit runningChanged();
}

void CStationRow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !m_job) {
        emit startRequested();
        return;
    }
    QFrame::keyPressEvent(event);
}
