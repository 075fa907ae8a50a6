// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/AboutDlg.h"

#include "core/app/Globals.h"
#include "core/settings/IniFile.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/DialogFrame.h"
#include "gui/shell/Help.h"
#include "ui_aboutdlg.h"

#include <QKeyEvent>
#include <QPixmap>

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CAboutDlg>())
{
    m_ui->setupUi(this);
    UseDialogFrame(this);
    m_ui->picture->setPixmap(QPixmap(QStringLiteral(":/bitmaps/about.bmp")));
    OnInitDialog();
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::OnInitDialog()
{
    // Read at each opening: the installation may change these texts any time.
    SetWindowCaption(this, theIniFile.GetValue(g_strLanguage, QStringLiteral("About Title")));
    m_ui->version->setText(theIniFile.GetValue(g_strLanguage, QStringLiteral("Version")));
    m_ui->copyrights->setText(theIniFile.GetValue(g_strLanguage, QStringLiteral("Copyrights")));
    m_ui->owner->setText(theIniFile.GetValue(g_strLanguage, QStringLiteral("Copyrights Owner")));

    const QPixmap logo(g_strAppDir + QStringLiteral("logo.bmp"));
    if (!logo.isNull())
        m_ui->picture->setPixmap(logo);
    // The picture keeps its own size, whatever it is.
    m_ui->picture->setFixedSize(m_ui->picture->pixmap().size());
    m_ui->okButton->setFocus();
}

QString CAboutDlg::lineText(int ctrlId) const
{
    switch (ctrlId) {
    case 1001:
        return m_ui->version->text();
    case 1002:
        return m_ui->copyrights->text();
    case 1003:
        return m_ui->owner->text();
    default:
        return QString();
    }
}

QSize CAboutDlg::pictureSize() const
{
    return m_ui->picture->pixmap().size();
}

void CAboutDlg::keyPressEvent(QKeyEvent *event)
{
    // The box's help number is its resource id on the window base.
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelp(parentWidget(), ctx::About);
        return;
    }
    QDialog::keyPressEvent(event);
}
