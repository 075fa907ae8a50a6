// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Setup > Com Setup: the serial port of the next transfer.

#include "core/link/PortRoutes.h"
#include "gui/dialogs/DocumentTarget.h"

#include <QDialog>
#include <memory>

namespace Ui {
class ComSetupDlg;
}
class QButtonGroup;
class QComboBox;
class QLabel;

/// The COM Setup dialog (template 135).
class CComSetupDlg : public QDialog, public CDocumentTarget
{
    Q_OBJECT
public:
    explicit CComSetupDlg(QWidget *parent = nullptr);
    ~CComSetupDlg() override;

    /// Probes the ports, preselects the stored one and runs the dialog.
    int DoModal();
    /// Disables the ports that cannot be opened now and checks the stored "com" button.
    bool OnInitDialog();
    /// Stores the checked port in the per-user "com" value and the four routes in the
    /// per-user [Ports], and tells the port (portChosen).
    void OnOK();
    /// The device COMn (index 0..3) is routed to in the dialog now; empty = automatic.
    QString routeShown(int index) const;

    /// Index of the checked button: 0 = COM1 … 3 = COM4, −1 = none.
    int m_nPort = -1;

Q_SIGNALS:
    /// OK chose port ("com1".."com4") for the next transfers of the view that opened the dialog.
    void portChosen(const QString &port);

private:
    std::unique_ptr<Ui::ComSetupDlg> ui;
    QButtonGroup *m_group;
    QLabel *m_routes; ///< The USB adapters and where COM1..COM4 lead.
    QComboBox *m_routeBoxes[4] = {}; ///< The device of each COM name: found, typed or automatic.
    QList<SerialAdapter> m_adapters; ///< The serial devices found when the dialog opened.

    void buildRouteBoxes();
    void fillRouteBox(int index);
    void probeRoute(int index);
};
