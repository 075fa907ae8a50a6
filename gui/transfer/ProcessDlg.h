// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Process window: starts, shows and cancels a transfer with the radio.

#include <QObject>
#include <QPointer>
#include <QString>

class CProgramView;
class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class CProcessWindow;

/// The view's Process dialog object; the window itself is created afresh for each transfer.
class CProcessDlg : public QObject
{
    Q_OBJECT
public:
    /// Dialog resource of the window (also its help topic).
    static constexpr int IDD = 131;

    /// The dialog object of view (its owner).
    explicit CProcessDlg(CProgramView *view);
    ~CProcessDlg() override;

    /// Creates the modeless window (not yet shown) and runs OnInitDialog.
    void Create();
    /// True while the window exists.
    bool hasWindow() const { return !m_window.isNull(); }
    /// The window, or nullptr.
    QDialog *window() const;
    /// Hides and destroys the window; the object stays for the next transfer.
    void DestroyWindow();
    /// Sets the progress range (the command narrows 0..64 to its step count).
    void SetRange(int low, int high);
    /// Lengthens the bar by steps (a session that was not counted at the start).
    void ExtendRange(int steps);
    /// Shows the window centred over its owner, the view's top-level window.
    void ShowCentered();
    /// Advances the bar one step.
    void StepIt();
    /// Position of the bar.
    int GetPos() const;
    /// Shows position in the static text, "%d".
    void SetPositionText(int position);
    /// The static text shown (for tests and the transfer).
    QString positionText() const;
    /// True while OK can still start a transfer.
    bool isOkEnabled() const;

    /// OK: disables itself and posts the transfer to the view.
    void OnOK();
    /// Cancel, Escape, close box: closes an idle window, else raises the flag and cancelRequested.
    void OnCancel();

    /// Cancel flag: 0 after creation, 1 once Cancel was pressed.
    int m_bCancel = 0;
    /// The view that owns this object and runs the transfer.
    CProgramView *m_pView;
    /// Title for the next creation.
    QString m_strCaption;
    /// Progress bar 1001 of the current window.
    QPointer<QProgressBar> m_ctlProgress;

Q_SIGNALS:
    /// Cancel was pressed while a transfer runs.
    void cancelRequested();

private:
    void OnInitDialog();

    QPointer<CProcessWindow> m_window;
    QPointer<QPushButton> m_okButton;
    QPointer<QLabel> m_positionText;
};
