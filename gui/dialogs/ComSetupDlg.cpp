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
#include "gui/shell/MessageBox.h"
#include "ui_comsetupdlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

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
    buildRouteBoxes();
    connect(ui->btnOk, &QPushButton::clicked, this, &CComSetupDlg::OnOK);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::ComSetup))->install();
}

CComSetupDlg::~CComSetupDlg() = default;

void CComSetupDlg::buildRouteBoxes()
{
    // Without these a second adapter, a ttyACM device or a virtual radio could be
    // reached only by editing Program.ini and starting again.
    auto *group = new QGroupBox(LanguageText("Devices", "设备"), this);
    group->setObjectName(QStringLiteral("grpRoutes"));
    auto *form = new QFormLayout(group);
    QWidget *previous = ui->rdoCom4;
    for (int i = 0; i < ComPortCount; ++i) {
        auto *box = new QComboBox(group);
        box->setObjectName(QStringLiteral("cmbRouteCom%1").arg(i + 1));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumContentsLength(28);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setAccessibleName(LanguageText("Device of COM%1", "COM%1 的设备").arg(i + 1));
        box->setToolTip(
            LanguageText("Automatic, a serial device found, or a device path typed here",
                "自动、找到的串口设备，或在此输入设备路径"));
        auto *label = new QLabel(QStringLiteral("COM%1:").arg(i + 1), group);
        label->setBuddy(box);
        form->addRow(label, box);
        connect(box, &QComboBox::activated, this, [this, i] { probeRoute(i); });
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, i] { probeRoute(i); });
        setTabOrder(previous, box);
        previous = box;
        m_routeBoxes[i] = box;
    }
    ui->mainLayout->insertWidget(1, group);
}

void CComSetupDlg::fillRouteBox(int index)
{
    QComboBox *box = m_routeBoxes[index];
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(LanguageText("Automatic", "自动"), QString());
    for (const SerialAdapter &a : m_adapters)
        box->addItem(DescribeAdapter(a, CurrentLanguage()), a.device);
    const QString chosen = ChosenComRoute(index + 1);
    const int at = box->findData(chosen);
    if (at >= 0) {
        box->setCurrentIndex(at);
    } else {
        box->setCurrentIndex(-1);
        box->setEditText(chosen);
    }
}

QString CComSetupDlg::routeShown(int index) const
{
    const QComboBox *box = m_routeBoxes[index];
    // A listed entry stands for its device; anything else is a typed path.
    const int at = box->findText(box->currentText());
    if (at >= 0)
        return box->itemData(at).toString();
    return NormalizeDevicePath(box->currentText());
}

void CComSetupDlg::probeRoute(int index)
{
    // A route changed here is probed at once, so its button tells whether the port opens.
    const PortRoute route = RouteOfCom(index + 1, routeShown(index), m_adapters);
    m_group->button(index)->setEnabled(ProbePort(route.device));
    m_group->button(index)->setToolTip(DescribeRoute(index + 1, route, CurrentLanguage()));
}

int CComSetupDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

bool CComSetupDlg::OnInitDialog()
{
    m_adapters = ListSerialAdapters();
    for (int i = 0; i < ComPortCount; ++i) {
        m_group->button(i)->setEnabled(ProbePort(ComPortName(i)));
        m_group->button(i)->setToolTip(DescribeComRoute(i + 1, m_adapters, CurrentLanguage()));
        fillRouteBox(i);
    }
    m_routes->setText(PortOverview(m_adapters, CurrentLanguage()).join(QLatin1Char('\n')));
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
    // Routes take effect with the next transfer: every transfer looks its device up anew.
    for (int i = 0; i < ComPortCount; ++i) {
        const QString device = routeShown(i);
        if (device != ChosenComRoute(i + 1) && !ChooseComRoute(i + 1, device)) {
            AfxMessageBox(this,
                LanguageText("The device of COM%1 could not be stored in %2.",
                    "无法将 COM%1 的设备保存到 %2。")
                    .arg(i + 1)
                    .arg(UserSettings::forApplication().fileName()),
                QMessageBox::Ok, MsgIcon::Exclamation);
            return;
        }
    }
    UserSettings store = UserSettings::forApplication();
    const QString port = StoreComChoice(store, m_nPort);
    emit portChosen(port);
    accept();
}
