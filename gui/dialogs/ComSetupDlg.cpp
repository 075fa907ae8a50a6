// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/ComSetupDlg.h"

#include "core/app/Globals.h"
#include "core/link/PortProbe.h"
#include "core/link/PortRoutes.h"
#include "core/settings/SetupChoices.h"
#include "core/settings/UserSettings.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/DialogFrame.h"
#include "ui_comsetupdlg.h"

#include <QButtonGroup>
#include <QLabel>

CComSetupDlg::CComSetupDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ComSetupDlg>())
    , m_group(new QButtonGroup(this))
{
    ui->setupUi(this);
    UseDialogFrame(this);
    // Where each COM name leads and which USB adapters are plugged in, so that a
    // port that "does nothing" explains itself.
    m_routes = new QLabel(this);
    m_routes->setObjectName(QStringLiteral("lblRoutes"));
    m_routes->setTextFormat(Qt::PlainText);
    m_routes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui->mainLayout->insertWidget(1, m_routes);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_group->addButton(ui->rdoCom1, 0);
    m_group->addButton(ui->rdoCom2, 1);
    m_group->addButton(ui->rdoCom3, 2);
    m_group->addButton(ui->rdoCom4, 3);
    connect(ui->btnOk, &QPushButton::clicked, this, &CComSetupDlg::OnOK);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::ComSetup))->install();
}

CComSetupDlg::~CComSetupDlg() = default;

int CComSetupDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

bool CComSetupDlg::OnInitDialog()
{
    const QList<SerialAdapter> adapters = ListSerialAdapters();
    for (int i = 0; i < ComPortCount; ++i) {
        m_group->button(i)->setEnabled(ProbePort(ComPortName(i)));
        m_group->button(i)->setToolTip(DescribeComRoute(i + 1, adapters, CurrentLanguage()));
    }
    m_routes->setText(PortOverview(adapters, CurrentLanguage()).join(QLatin1Char('\n')));
    m_nPort = ComIndexOfStored(UserSettings::forApplication().value(QStringLiteral("com"), 1));
    // An exclusive group cannot show "none checked" unless it is opened up for a moment.
    m_group->setExclusive(false);
    for (QAbstractButton *b : m_group->buttons())
        b->setChecked(b == m_group->button(m_nPort));
    m_group->setExclusive(true);
    ui->btnOk->setFocus(Qt::OtherFocusReason);
    return true;
}

void CComSetupDlg::OnOK()
{
    m_nPort = m_group->checkedId();
    UserSettings store = UserSettings::forApplication();
    const QString port = StoreComChoice(store, m_nPort);
    emit portChosen(port);
    accept();
}
