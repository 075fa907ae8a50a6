// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One cable of the Programming Station: its state, progress and counts, and
// the transfer job that programs the radio on it. A row that fails, or whose
// radio goes silent, fails alone; the others go on.

#include "core/link/RadioWrite.h"
#include "core/log/ProgrammingLog.h"

#include <QFrame>
#include <QPointer>

class CTransferJob;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

/// What every row of a station writes and where it logs it.
struct StationSetup
{
    MemoryImage image; ///< The image written into every radio.
    QString imagePath; ///< Its file ("" for an unsaved document).
    RadioWriteOptions options; ///< Backup and verify, always on at the station.
    QString logPath; ///< The programming log.
    QString operatorName; ///< Who runs the bench.
};

/// One port of the station, with its own Start and Cancel.
class CStationRow : public QFrame
{
    Q_OBJECT
public:
    /// A row for port, described as description (adapter, serial number or route).
    CStationRow(const QString &port, const QString &description, bool chosen, QWidget *parent);
    ~CStationRow() override;

    /// The port as the user names it.
    QString port() const { return m_port; }
    /// True when the row takes part in Start All.
    bool isChosen() const;
    /// True while a radio is being programmed on this row.
    bool isRunning() const;
    /// Radios programmed and verified on this row.
    int doneCount() const { return m_done; }
    /// Radios that failed on this row.
    int failedCount() const { return m_failed; }
    /// The state as shown ("Waiting for a radio", "Write 2/3", "Done", "Failed: ...").
    QString stateText() const;
    /// The last record of this row (empty result before the first radio).
    const ProgrammingRecord &lastRecord() const { return m_last; }

    /// Programs the radio now connected, as setup says; nothing while one runs.
    void start(const StationSetup &setup);
    /// Asks the running radio to stop; it ends within a few milliseconds.
    void cancel();
    /// Cancels and waits until the radio's transfer has ended (the record is logged).
    void cancelAndWait();

Q_SIGNALS:
    /// The user asked for the next radio on this row (Start or Space).
    void startRequested();
    /// A radio ended; record is what the log received.
    void radioFinished(const ProgrammingRecord &record, const QString &logError);
    /// The row began or ended a radio.
    void runningChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setState(const QString &text);
    void onFinished();

    QString m_port;
    QCheckBox *m_chosen;
    QLabel *m_state;
    QProgressBar *m_progress;
    QLabel *m_counts;
    QLabel *m_backup;
    QPushButton *m_start;
    QPushButton *m_cancel;
    QPointer<CTransferJob> m_job;
    struct Run;
    std::shared_ptr<Run> m_run;
    ProgrammingRecord m_last;
    int m_done = 0;
    int m_failed = 0;
};
