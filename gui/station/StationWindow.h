// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program > Programming Station...: the active document's image written into
// radio after radio, on every chosen cable at once. Each row runs its own
// transfer; the window adds Start All, Cancel All and the totals.

#include "gui/station/StationRow.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QList>

#include <functional>

class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;

/// A port the station offers, as the main window found it.
struct StationPort
{
    QString port; ///< "COM1" or a device path.
    QString description; ///< What the row shows of it.
    bool chosen = false; ///< Ticked for Start All at first.
};

/// The ports found on this machine: every serial adapter (chosen), then COM1 to COM4.
QList<StationPort> FoundStationPorts();

/// The Programming Station window.
class CStationWindow : public QDialog
{
    Q_OBJECT
public:
    /// A station writing setup.image (named imageName) on ports.
    CStationWindow(const StationSetup &setup, const QString &imageName,
        const QList<StationPort> &ports, QWidget *parent);

    /// The rows, in the order shown.
    const QList<CStationRow *> &rows() const { return m_rows; }
    /// True while any row programs a radio.
    bool isRunning() const;
    /// Asks (modal) whether to stop the running radios; true when there are none or the user
    /// agreed.
    bool askToStop();
    /// Cancels every row and waits until each has ended and logged its radio.
    void cancelAllAndWait();
    /// The totals line as shown.
    QString totalsText() const;

public Q_SLOTS:
    /// Starts every chosen row that is not running.
    void startAll();
    /// Cancels every running row.
    void cancelAll();

Q_SIGNALS:
    /// The user asked to open a backup named by a row.
    void openBackupRequested(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    /// Escape and Close go through closeEvent, which asks while radios run.
    void reject() override;

private:
    void updateTotals();
    /// Runs start now, or once the user has accepted a plan with errors.
    void whenPlanAccepted(const std::function<void()> &start);

    StationSetup m_setup;
    QList<CStationRow *> m_rows;
    QLabel *m_totals;
    QPushButton *m_startAll;
    QPushButton *m_cancelAll;
    QTimer *m_tick;
    QElapsedTimer m_elapsed;
    bool m_closeWhenIdle = false;
    bool m_asking = false;
    bool m_planErrors = false; ///< The channel check found errors in the image.
    bool m_planAccepted = false; ///< The user chose to write it anyway.
    bool m_askingPlan = false;
};
