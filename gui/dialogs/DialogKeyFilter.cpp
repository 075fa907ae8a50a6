// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DialogKeyFilter.h"

#include "core/settings/OptionalFeaturesRules.h"
#include "gui/shell/Help.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>

CDialogKeyFilter::CDialogKeyFilter(QDialog *dialog, Mode mode, int helpContext)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_mode(mode)
    , m_helpContext(helpContext)
{
}

void CDialogKeyFilter::install()
{
    if (!m_dialog)
        return;
    // A combo's popup is made on first use; make it now so its keys are filtered too.
    for (QComboBox *combo : m_dialog->findChildren<QComboBox *>()) {
        QAbstractItemView *view = combo->view();
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
    m_dialog->installEventFilter(this);
    for (QWidget *w : m_dialog->findChildren<QWidget *>())
        w->installEventFilter(this);
}

bool CDialogKeyFilter::isFirstReceiver(const QWidget *w) const
{
    // A key that a widget ignores travels on to its parents; help is asked
    // for once, where the key arrived.
    if (!w)
        return false;
    if (w->hasFocus())
        return true;
    return QApplication::focusWidget() == nullptr && w == m_dialog;
}

bool CDialogKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && m_mode == OptionalFeatures) {
        // A combo popup closes on Escape and Enter before the key press arrives;
        // a discarded key must not get that far either.
        const auto *key = static_cast<QKeyEvent *>(event);
        return OptionalFeaturesKeyDisposition(key->key(), key->modifiers())
            == KeyDisposition::Discard;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    KeyDisposition what = key->key() == Qt::Key_F1 ? KeyDisposition::Help : KeyDisposition::Pass;
    if (m_mode == OptionalFeatures)
        what = OptionalFeaturesKeyDisposition(key->key(), key->modifiers());
    switch (what) {
    case KeyDisposition::Discard:
        return true;
    case KeyDisposition::Help: {
        const auto *w = qobject_cast<const QWidget *>(watched);
        if (isFirstReceiver(w)) {
            // The help window belongs to the window the dialog was opened over.
            QWidget *owner = m_dialog ? m_dialog->parentWidget() : nullptr;
            ShowHelp(
                owner ? owner : m_dialog.data(), m_helpContext ? m_helpContext : ControlIdOf(w));
        }
        return false;
    }
    case KeyDisposition::Pass:
        break;
    }
    return false;
}
