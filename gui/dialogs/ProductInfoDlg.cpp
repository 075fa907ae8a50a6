// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/ProductInfoDlg.h"

#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/image/SettingsArea.h"
#include "core/settings/IniFile.h"
#include "core/settings/ProductInfoRules.h"
#include "core/settings/UserSettings.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/shell/DialogFrame.h"
#include "ui_productinfodlg.h"

CProductInfoDlg::CProductInfoDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ProductInfoDlg>())
{
    ui->setupUi(this);
    UseDialogFrame(this);
    connect(ui->cmbType, qOverload<int>(&QComboBox::currentIndexChanged), this,
        &CProductInfoDlg::OnSelChangeType);
    connect(ui->btnOk, &QPushButton::clicked, this, &CProductInfoDlg::OnOK);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly))->install();
}

CProductInfoDlg::~CProductInfoDlg() = default;

int CProductInfoDlg::DoModal()
{
    if (!OnInitDialog())
        return QDialog::Rejected;
    return exec();
}

bool CProductInfoDlg::OnInitDialog()
{
    // The choice is stored into a document on OK; without one there is nothing to edit.
    if (!document())
        return false;
    ui->btnOk->setText(LanguageText("Save", "保存"));
    const UserSettings store = UserSettings::forApplication();
    const QStringList types = ProductTypeList(theIniFile);
    {
        const QSignalBlocker quiet(ui->cmbType);
        ui->cmbType->clear();
        ui->cmbType->addItems(types);
        ui->cmbType->setCurrentIndex(
            ProductListPosition(store.value(QStringLiteral("Type"), 0), types.size()));
    }
    OnSelChangeType();
    ui->cmbBand->setCurrentIndex(
        ProductListPosition(store.value(QStringLiteral("Field"), 0), ui->cmbBand->count()));
    ui->cmbType->setFocus(Qt::OtherFocusReason);
    return true;
}

void CProductInfoDlg::OnSelChangeType()
{
    ui->cmbBand->clear();
    ui->cmbBand->addItems(ProductBandList(theIniFile, ui->cmbType->currentIndex()));
    ui->cmbBand->setCurrentIndex(0);
}

void CProductInfoDlg::OnOK()
{
    CProgramDoc *doc = document();
    if (!doc) {
        reject();
        return;
    }
    const int typePos = ui->cmbType->currentIndex();
    const int bandPos = ui->cmbBand->currentIndex();
    MemoryImage after = doc->m_image;
    StoreProductChoice(after, typePos, bandPos);
    doc->applyImageChange(after, LanguageText("Product Information", "产品信息"));

    const QString type = typePos >= 0 ? ui->cmbType->currentText() : QString();
    const QString band = bandPos >= 0 ? ui->cmbBand->currentText() : QString();
    g_strTitle
        = ProductCaption(theIniFile.GetValue(g_strLanguage, QStringLiteral("AppName")), type, band);
    emit captionChanged(g_strTitle);

    const BandLimits limits = BandLimitsOfText(band);
    emit bandChosen(limits.low, limits.high);

    UserSettings store = UserSettings::forApplication();
    store.setValue(QStringLiteral("Type"), typePos);
    store.setValue(QStringLiteral("Field"), bandPos);
    accept();
}
