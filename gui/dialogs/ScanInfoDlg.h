// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program > Scan Info: the scan settings of the active document's image.

#include "gui/dialogs/DocumentTarget.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>

namespace Ui {
class ScanInfoDlg;
}
class QLineEdit;

/// The Scan Information dialog (template 133).
class CScanInfoDlg : public QDialog, public CDocumentTarget
{
    Q_OBJECT
public:
    explicit CScanInfoDlg(QWidget *parent = nullptr);
    ~CScanInfoDlg() override;

    /// Loads the controls and runs the dialog; QDialog::Rejected at once when there is no document.
    int DoModal();
    /// Loads Priority, Revert Channel and the boxes from the image; false without a document.
    bool OnInitDialog();
    /// Checks every box and the priority channel, then stores everything or nothing.
    void OnOK();
    /// Boxes to members (true) or members to boxes (false); false when a box was refused.
    bool UpdateData(bool saveAndValidate = true);

    double m_dLookBackA = 0; ///< Look Back Time A box.
    double m_dLookBackB = 0; ///< Look Back Time B box.
    int m_nTxDwell = 0; ///< Tx Dwell Time box.
    int m_nDropoutDelay = 0; ///< Dropout Delay Time box.
    QString m_strPriorityChannel; ///< Priority Channel box (two characters at most).

private Q_SLOTS:
    void OnSelChangePriority();
    void OnSpinLookBack(double *member, int delta);
    void OnSpinCounter(int *member, int delta);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyPriorityRules(int priority);
    void correctBox(QObject *box);
    QList<QLineEdit *> numberBoxes() const;
    bool userChanged(const QObject *box) const;
    bool refuse(QLineEdit *box, bool integer);

    std::unique_ptr<Ui::ScanInfoDlg> ui;
    bool m_bExchanging = false;
    QHash<const QLineEdit *, QString> m_loadedTexts; // box texts at opening
};
