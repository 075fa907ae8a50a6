// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/AccessibleNames.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QSet>
#include <QWidget>

namespace {

const char *const kAutoKey = "autoAccessKey";

// The letter after a single '&' in text, upper-cased; a null char when there is none.
QChar MnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text.at(i + 1).toUpper();
    }
    return {};
}

class AccessKeyKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            GiveAccessKeys(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void NameControl(QWidget *w, const QString &name, const QString &description)
{
    if (!w)
        return;
    w->setAccessibleName(name);
    if (!description.isEmpty())
        w->setAccessibleDescription(description);
}

void AnnounceName(QWidget *w, const QString &name)
{
    // setAccessibleName sends the name-change event itself.
    if (w && w->accessibleName() != name)
        w->setAccessibleName(name);
}

void AnnounceValue(QWidget *w, const QString &value)
{
    if (!w)
        return;
    QAccessibleValueChangeEvent event(w, value);
    QAccessible::updateAccessibility(&event);
}

QString SetCommandText(QAction *action, const QString &menuText)
{
    // The menu draws the action's shortcut beside a text without a tab; in the
    // text itself the shortcut would also be read out as part of the item's name.
    // Only where the menu would draw the very same shortcut text is it left out.
    action->setProperty("menuText", menuText);
    const qsizetype tab = menuText.indexOf(QLatin1Char('\t'));
    const bool drawnAlike = tab >= 0
        && action->shortcut().toString(QKeySequence::NativeText) == menuText.mid(tab + 1);
    const QString text = drawnAlike ? menuText.left(tab) : menuText;
    action->setText(text);
    return text;
}

void RefreshCommandText(QAction *action)
{
    const QVariant menuText = action->property("menuText");
    if (menuText.isValid())
        SetCommandText(action, menuText.toString());
}

void GiveAccessKeys(QWidget *root)
{
    if (!root)
        return;
    const QList<QAbstractButton *> buttons = root->findChildren<QAbstractButton *>();
    QSet<QChar> used;
    for (const QLabel *label : root->findChildren<QLabel *>())
        if (const QChar c = MnemonicOf(label->text()); !c.isNull())
            used.insert(c);
    for (QAbstractButton *b : buttons) {
        if (b->property(kAutoKey).toBool()) {
            b->setShortcut(QKeySequence()); // chosen again below, for the text it has now
            b->setProperty(kAutoKey, false);
        }
        if (const QChar c = MnemonicOf(b->text()); !c.isNull())
            used.insert(c);
    }
    for (QAbstractButton *b : buttons) {
        if (b->text().contains(QLatin1Char('&')) || !b->shortcut().isEmpty())
            continue;
        for (const QChar ch : b->text()) {
            const QChar c = ch.toUpper();
            if (c < QLatin1Char('A') || c > QLatin1Char('Z') || used.contains(c))
                continue;
            used.insert(c);
            b->setShortcut(QKeySequence(Qt::ALT | Qt::Key(c.unicode())));
            b->setProperty(kAutoKey, true);
            break;
        }
    }
}

void KeepAccessKeys(QWidget *dialog)
{
    if (!dialog || dialog->findChild<AccessKeyKeeper *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    dialog->installEventFilter(new AccessKeyKeeper(dialog));
}
