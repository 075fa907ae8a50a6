// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key handling shared by the settings dialogs: F1 help at a control id (or at
// a fixed context) and, for Optional Features, the filter that lets only
// digits, Backspace, Delete and the arrows through.

#include <QObject>
#include <QPointer>

class QDialog;
class QWidget;

/// Event filter on a dialog and every widget in it, combo popups included.
class CDialogKeyFilter : public QObject
{
    Q_OBJECT
public:
    /// How keys other than F1 are treated.
    enum Mode {
        HelpOnly, ///< Every key passes; F1 asks for help first.
        OptionalFeatures, ///< Only digits, Backspace, Delete and arrows without Shift pass.
    };

    /// Filters dialog's keys; helpContext 0 means the focused control's id.
    CDialogKeyFilter(QDialog *dialog, Mode mode, int helpContext = 0);

    /// Installs the filter on the dialog and on every widget in it; call after the
    /// controls exist (combo popups are created here so that they are covered).
    void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isFirstReceiver(const QWidget *w) const;

    QPointer<QDialog> m_dialog;
    Mode m_mode;
    int m_helpContext;
};
