// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionalFeaturesDlg.h"

#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/OptionalFeaturesRules.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/shell/DialogFrame.h"
#include "ui_optionalfeaturesdlg.h"

namespace {
void fill(QComboBox *combo, const QStringList &items)
{
    combo->clear();
    combo->addItems(items);
}
} // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::OptionalFeaturesDlg>())
{
    ui->setupUi(this);
    UseDialogFrame(this);
    connect(ui->btnOk, &QPushButton::clicked, this, &COptionalFeaturesDlg::OnOK);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_keyFilter = new CDialogKeyFilter(this, CDialogKeyFilter::OptionalFeatures);
    m_keyFilter->install();
}

COptionalFeaturesDlg::~COptionalFeaturesDlg() = default;

int COptionalFeaturesDlg::DoModal()
{
    if (!OnInitDialog())
        return QDialog::Rejected;
    return exec();
}

bool COptionalFeaturesDlg::OnInitDialog()
{
    CProgramDoc *doc = document();
    if (!doc)
        return false;
    ui->btnOk->setText(LanguageText("Save", "保存"));
    const OptionalFeaturesLists lists = BuildOptionalFeaturesLists(CurrentLanguage());
    fill(ui->cmbTimeOutTimer, lists.timeOutTimer);
    fill(ui->cmbTotPreAlert, lists.totPreAlert);
    fill(ui->cmbSquelchLevel, lists.squelchLevel);
    fill(ui->cmbVoxGainLevel, lists.voxGainLevel);
    fill(ui->cmbCallTone, lists.callTone);
    fill(ui->cmbVoxDelayTime, lists.voxDelayTime);
    fill(ui->cmbVoiceAnnunciation, lists.voiceAnnunciation);
    fill(ui->cmbCallKeyDefine, lists.callKeyDefine);
    setState(LoadOptionalFeatures(doc->m_image));
    // The first control that takes the focus, as the template orders them.
    ui->btnOk->setFocus(Qt::OtherFocusReason);
    return true;
}

OptionalFeaturesState COptionalFeaturesDlg::state() const
{
    OptionalFeaturesState s;
    s.timeOutTimer = ui->cmbTimeOutTimer->currentIndex();
    s.totPreAlert = ui->cmbTotPreAlert->currentIndex();
    s.squelchLevel = ui->cmbSquelchLevel->currentIndex();
    s.beep = ui->chkBeep->isChecked();
    s.voxGainLevel = ui->cmbVoxGainLevel->currentIndex();
    s.voxDelayTime = ui->cmbVoxDelayTime->currentIndex();
    s.batterySaver = ui->chkBatterySaver->isChecked();
    s.callTone = ui->cmbCallTone->currentIndex();
    s.voiceAnnunciation = ui->cmbVoiceAnnunciation->currentIndex();
    s.callKeyDefine = ui->cmbCallKeyDefine->currentIndex();
    return s;
}

void COptionalFeaturesDlg::setState(const OptionalFeaturesState &s)
{
    ui->cmbTimeOutTimer->setCurrentIndex(s.timeOutTimer);
    ui->cmbTotPreAlert->setCurrentIndex(s.totPreAlert);
    ui->cmbSquelchLevel->setCurrentIndex(s.squelchLevel);
    ui->chkBeep->setChecked(s.beep);
    ui->cmbVoxGainLevel->setCurrentIndex(s.voxGainLevel);
    ui->cmbVoxDelayTime->setCurrentIndex(s.voxDelayTime);
    ui->cmbCallTone->setCurrentIndex(s.callTone);
    ui->chkBatterySaver->setChecked(s.batterySaver);
    ui->cmbVoiceAnnunciation->setCurrentIndex(s.voiceAnnunciation);
    ui->cmbCallKeyDefine->setCurrentIndex(s.callKeyDefine);
}

void COptionalFeaturesDlg::OnOK()
{
    // The document may have gone while the dialog was open; then there is nothing to store into.
    if (CProgramDoc *doc = document()) {
        MemoryImage after = doc->m_image;
        StoreOptionalFeatures(after, state());
        doc->applyImageChange(after, LanguageText("Optional Features", "可选功能"));
    }
    accept();
}
