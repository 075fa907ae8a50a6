// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/SpinButton.h"

#include "core/app/Language.h"
#include "gui/shell/AccessibleNames.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

CSpinButton::CSpinButton(QWidget *parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton *b : { m_up, m_down }) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        // Half the box's height each, however small that makes the arrows.
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
        b->setMinimumSize(16, 4);
        b->setFixedWidth(16);
        layout->addWidget(b);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setObjectName(QStringLiteral("spinUp"));
    m_down->setObjectName(QStringLiteral("spinDown"));
    connect(m_up, &QToolButton::clicked, this, [this] { Q_EMIT spun(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Q_EMIT spun(+1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void CSpinButton::setBuddy(QLineEdit *buddy)
{
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy) {
        m_buddy->installEventFilter(this);
        // Attached to the box's right edge: as tall as the box.
        setFixedHeight(m_buddy->sizeHint().height());
    }
}

QSize CSpinButton::sizeHint() const
{
    return QSize(16, m_buddy ? m_buddy->sizeHint().height() : 22);
}

bool CSpinButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Q_EMIT spun(key == Qt::Key_Up ? -1 : +1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CSpinButton::setFieldName(const QString &field)
{
    NameControl(m_up, LanguageText("%1 up arrow", "%1 向上箭头").arg(field));
    NameControl(m_down, LanguageText("%1 down arrow", "%1 向下箭头").arg(field));
}
