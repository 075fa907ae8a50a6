// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An up-down button pair attached to the right edge of an edit box. It holds
// no number of its own: it only reports the change it proposes, −1 for the
// upper arrow (and the Up key in its box) and +1 for the lower arrow (and the
// Down key), as a spin control with its default range does.

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

/// Up-down arrows that propose −1 (upper) or +1 (lower) for a buddy edit box.
class CSpinButton : public QWidget
{
    Q_OBJECT
public:
    /// Two stacked arrow buttons with auto-repeat.
    explicit CSpinButton(QWidget *parent = nullptr);

    /// The box whose Up and Down keys this spin answers.
    void setBuddy(QLineEdit *buddy);
    /// Names the arrows after the field they change (they have no visible text).
    void setFieldName(const QString &field);
    /// The upper arrow (proposes −1).
    QToolButton *upButton() const { return m_up; }
    /// The lower arrow (proposes +1).
    QToolButton *downButton() const { return m_down; }

    QSize sizeHint() const override;

Q_SIGNALS:
    /// The change the user asked for: −1 upper arrow / Up key, +1 lower arrow / Down key.
    void spun(int delta);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
    QPointer<QLineEdit> m_buddy;
};
