// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/transfer/ProcessDlg.h"

#include "core/app/Language.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/DialogFrame.h"
#include "gui/shell/Help.h"
#include "gui/view/ProgramView.h"
#include "ui_processdlg.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QScreen>

/// The window of resource 131; routes its buttons, Escape and the close box to the dialog object.
class CProcessWindow : public QDialog
{
public:
    CProcessWindow(CProcessDlg *owner, QWidget *parent)
        : QDialog(parent)
        , m_owner(owner)
    {
        ui.setupUi(this);
        UseDialogFrame(this);
        connect(ui.okButton, &QPushButton::clicked, this, [this] { m_owner->OnOK(); });
        connect(ui.cancelButton, &QPushButton::clicked, this, [this] { m_owner->OnCancel(); });
    }

    Ui::ProcessDlg ui;

    void accept() override
    {
        if (ui.okButton->isEnabled())
            m_owner->OnOK();
    }
    void reject() override { m_owner->OnCancel(); }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        m_owner->OnCancel();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_F1) {
            // The framework's help for a window: its resource id above 0x10000.
            ShowHelp(parentWidget() ? parentWidget() : this, 0x10000 + CProcessDlg::IDD);
            return;
        }
        QDialog::keyPressEvent(event);
    }

private:
    CProcessDlg *m_owner;
};

CProcessDlg::CProcessDlg(CProgramView *view)
    : QObject(view)
    , m_pView(view)
{
}

CProcessDlg::~CProcessDlg()
{
    delete m_window.data();
}

QDialog *CProcessDlg::window() const
{
    return m_window.data();
}

void CProcessDlg::Create()
{
    DestroyWindow();
    // Owned by the view's top-level window (the main window) like a modeless dialog
    // without an explicit parent.
    m_window = new CProcessWindow(this, m_pView ? m_pView->window() : nullptr);
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_ctlProgress = m_window->ui.progress;
    m_okButton = m_window->ui.okButton;
    m_positionText = m_window->ui.positionText;
    // Neither the bar nor the number has a visible label; a screen reader hears these.
    NameControl(m_ctlProgress, LanguageText("Progress", "进度"),
        LanguageText("Share of the transfer done", "传输已完成的比例"));
    // The number is the label's name, read as it changes; the description says what it counts.
    m_positionText->setAccessibleDescription(LanguageText("Steps done", "已完成步数"));
    OnInitDialog();
}

void CProcessDlg::OnInitDialog()
{
    m_ctlProgress->setRange(0, 64);
    m_ctlProgress->setValue(0);
    m_window->setWindowTitle(m_strCaption);
    m_bCancel = 0;
}

void CProcessDlg::DestroyWindow()
{
    if (!m_window)
        return;
    CProcessWindow *w = m_window.data();
    m_window.clear();
    w->hide();
    // The window may be inside one of its own handlers (Cancel, close box).
    w->deleteLater();
}

void CProcessDlg::SetRange(int low, int high)
{
    if (m_ctlProgress)
        m_ctlProgress->setRange(low, high);
}

void CProcessDlg::ExtendRange(int steps)
{
    if (m_ctlProgress)
        m_ctlProgress->setMaximum(m_ctlProgress->maximum() + steps);
}

void CProcessDlg::ShowCentered()
{
    if (!m_window)
        return;
    m_window->adjustSize();
    m_window->show();
    QRect area;
    if (QWidget *owner = m_window->parentWidget(); owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen *screen = m_window->screen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect g = m_window->frameGeometry();
        g.moveCenter(area.center());
        m_window->move(g.topLeft());
    }
    m_window->raise();
    m_window->activateWindow();
}

void CProcessDlg::StepIt()
{
    if (m_ctlProgress && m_ctlProgress->value() < m_ctlProgress->maximum())
        m_ctlProgress->setValue(m_ctlProgress->value() + 1);
}

int CProcessDlg::GetPos() const
{
    return m_ctlProgress ? m_ctlProgress->value() : 0;
}

void CProcessDlg::SetPositionText(int position)
{
    if (!m_positionText)
        return;
    m_positionText->setText(QString::asprintf("%d", position));
    AnnounceValue(m_positionText, m_positionText->text());
}

QString CProcessDlg::positionText() const
{
    return m_positionText ? m_positionText->text() : QString();
}

bool CProcessDlg::isOkEnabled() const
{
    return m_okButton && m_okButton->isEnabled();
}

void CProcessDlg::OnOK()
{
    if (!m_okButton || !m_okButton->isEnabled())
        return;
    m_okButton->setEnabled(false);
    // Posted, not called: the transfer starts from the event loop, after this click returns.
    QMetaObject::invokeMethod(m_pView, "OnTransfer", Qt::QueuedConnection);
}

void CProcessDlg::OnCancel()
{
    m_bCancel = 1;
    // Before OK nothing runs, so the window simply goes; during a transfer the
    // transfer sees the flag at its next pump and ends itself.
    if (isOkEnabled())
        DestroyWindow();
    else
        emit cancelRequested();
}
