// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/ScanInfoDlg.h"

#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/image/SettingsArea.h"
#include "core/settings/ScanInfoRules.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/DialogFrame.h"
#include "gui/shell/Help.h"
#include "gui/shell/MessageBox.h"
#include "ui_scaninfodlg.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

CScanInfoDlg::CScanInfoDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ScanInfoDlg>())
{
    ui->setupUi(this);
    UseDialogFrame(this);
    ui->spnLookBackA->setBuddy(ui->edtLookBackA);
    ui->spnLookBackB->setBuddy(ui->edtLookBackB);
    ui->spnDropoutDelay->setBuddy(ui->edtDropoutDelay);
    ui->spnTxDwell->setBuddy(ui->edtTxDwell);
    ui->spnLookBackA->setFieldName(ui->lblLookBackA->text());
    ui->spnLookBackB->setFieldName(ui->lblLookBackB->text());
    ui->spnDropoutDelay->setFieldName(ui->lblDropoutDelay->text());
    ui->spnTxDwell->setFieldName(ui->lblTxDwell->text());
    // The two counters take digits only.
    const auto *digits
        = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this);
    ui->edtDropoutDelay->setValidator(digits);
    ui->edtTxDwell->setValidator(digits);

    connect(ui->cmbPriority, qOverload<int>(&QComboBox::currentIndexChanged), this,
        &CScanInfoDlg::OnSelChangePriority);
    connect(ui->spnLookBackA, &CSpinButton::spun, this,
        [this](int d) { OnSpinLookBack(&m_dLookBackA, d); });
    connect(ui->spnLookBackB, &CSpinButton::spun, this,
        [this](int d) { OnSpinLookBack(&m_dLookBackB, d); });
    connect(ui->spnDropoutDelay, &CSpinButton::spun, this,
        [this](int d) { OnSpinCounter(&m_nDropoutDelay, d); });
    connect(
        ui->spnTxDwell, &CSpinButton::spun, this, [this](int d) { OnSpinCounter(&m_nTxDwell, d); });
    for (QLineEdit *box :
        { ui->edtLookBackA, ui->edtLookBackB, ui->edtDropoutDelay, ui->edtTxDwell })
        box->installEventFilter(this);
    connect(ui->btnOk, &QPushButton::clicked, this, &CScanInfoDlg::OnOK);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::ScanInfo))->install();
}

CScanInfoDlg::~CScanInfoDlg() = default;

int CScanInfoDlg::DoModal()
{
    if (!OnInitDialog())
        return QDialog::Rejected;
    return exec();
}

bool CScanInfoDlg::OnInitDialog()
{
    CProgramDoc *doc = document();
    if (!doc)
        return false;
    ui->btnOk->setText(LanguageText("Save", "保存"));
    const ScanInfoState s = LoadScanInfo(doc->m_image);
    {
        const QSignalBlocker quiet(ui->cmbPriority);
        ui->cmbPriority->setCurrentIndex(s.priority);
    }
    applyPriorityRules(s.priority);
    m_strPriorityChannel = s.priorityChannel;
    m_dLookBackA = s.lookBackA;
    m_dLookBackB = s.lookBackB;
    ui->cmbRevertChannel->setCurrentIndex(s.revertChannel);
    m_nDropoutDelay = s.dropoutDelay;
    m_nTxDwell = s.txDwell;
    UpdateData(false);
    // What each box showed at opening: only a box the user changed is corrected.
    m_loadedTexts.clear();
    for (const QLineEdit *box : numberBoxes())
        m_loadedTexts.insert(box, box->text());
    ui->cmbPriority->setFocus(Qt::OtherFocusReason);
    return true;
}

void CScanInfoDlg::applyPriorityRules(int priority)
{
    const PriorityRule rule = PriorityRuleOf(priority, CurrentLanguage());
    if (!rule.channelEnabled)
        ui->edtPriorityChannel->clear();
    ui->edtPriorityChannel->setEnabled(rule.channelEnabled);
    for (QWidget *w :
        { static_cast<QWidget *>(ui->edtLookBackA), static_cast<QWidget *>(ui->edtLookBackB),
            static_cast<QWidget *>(ui->spnLookBackA), static_cast<QWidget *>(ui->spnLookBackB) })
        w->setEnabled(rule.lookBackEnabled);
    ui->cmbRevertChannel->clear();
    ui->cmbRevertChannel->addItems(rule.revertEntries);
    ui->cmbRevertChannel->setCurrentIndex(0);
}

void CScanInfoDlg::OnSelChangePriority()
{
    applyPriorityRules(ui->cmbPriority->currentIndex());
}

bool CScanInfoDlg::refuse(QLineEdit *box, bool integer)
{
    AfxMessageBox(this,
        integer ? LanguageText("Please enter an integer.", "请输入一个整数。")
                : LanguageText("Please enter a number.", "请输入一个数字。"),
        QMessageBox::Ok, MsgIcon::Exclamation);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return false;
}

bool CScanInfoDlg::UpdateData(bool saveAndValidate)
{
    // A prompt or a focus change made here must not start another exchange.
    if (m_bExchanging)
        return false;
    m_bExchanging = true;
    bool ok = true;
    if (saveAndValidate) {
        // The exchange order; a refusal stops it and later members keep their values.
        if (!ParseNumberBox(ui->edtLookBackA->text(), &m_dLookBackA))
            ok = refuse(ui->edtLookBackA, false);
        else if (!ParseNumberBox(ui->edtLookBackB->text(), &m_dLookBackB))
            ok = refuse(ui->edtLookBackB, false);
        else if (!ParseIntegerBox(ui->edtTxDwell->text(), &m_nTxDwell))
            ok = refuse(ui->edtTxDwell, true);
        else if (!ParseIntegerBox(ui->edtDropoutDelay->text(), &m_nDropoutDelay))
            ok = refuse(ui->edtDropoutDelay, true);
        else
            m_strPriorityChannel = ui->edtPriorityChannel->text();
    } else {
        ui->edtLookBackA->setText(FormatLookBackTime(m_dLookBackA));
        ui->edtLookBackB->setText(FormatLookBackTime(m_dLookBackB));
        ui->edtTxDwell->setText(QString::number(m_nTxDwell));
        ui->edtDropoutDelay->setText(QString::number(m_nDropoutDelay));
        ui->edtPriorityChannel->setText(m_strPriorityChannel);
    }
    m_bExchanging = false;
    return ok;
}

void CScanInfoDlg::OnSpinLookBack(double *member, int delta)
{
    if (m_bExchanging)
        return;
    UpdateData(true);
    *member = LookBackStep(*member, delta);
    UpdateData(false);
}

void CScanInfoDlg::OnSpinCounter(int *member, int delta)
{
    if (m_bExchanging)
        return;
    UpdateData(true);
    *member = CounterStep(*member, delta);
    UpdateData(false);
}

QList<QLineEdit *> CScanInfoDlg::numberBoxes() const
{
    return { ui->edtLookBackA, ui->edtLookBackB, ui->edtDropoutDelay, ui->edtTxDwell };
}

bool CScanInfoDlg::userChanged(const QObject *box) const
{
    const auto *edit = qobject_cast<const QLineEdit *>(box);
    return edit && edit->text() != m_loadedTexts.value(edit);
}

void CScanInfoDlg::correctBox(QObject *box)
{
    UpdateData(true);
    // A box still showing the value it was loaded with keeps it, even outside the
    // range the corrections enforce: the stored code must not change unasked.
    if (userChanged(box)) {
        if (box == ui->edtLookBackA)
            m_dLookBackA = LookBackCorrection(m_dLookBackA);
        else if (box == ui->edtLookBackB)
            m_dLookBackB = LookBackCorrection(m_dLookBackB);
        else if (box == ui->edtDropoutDelay)
            m_nDropoutDelay = CounterCorrection(m_nDropoutDelay);
        else if (box == ui->edtTxDwell)
            m_nTxDwell = CounterCorrection(m_nTxDwell);
    }
    UpdateData(false);
}

bool CScanInfoDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !m_bExchanging && isVisible()) {
        // Leaving the window (or opening a popup) is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            correctBox(watched);
    }
    return QDialog::eventFilter(watched, event);
}

void CScanInfoDlg::OnOK()
{
    CProgramDoc *doc = document();
    if (!doc) {
        reject();
        return;
    }
    if (!UpdateData(true))
        return;
    // Enter can press OK while a box still holds an uncorrected value; it is
    // corrected as leaving the box would have done, so no code outside the
    // editor's range is stored.
    if (userChanged(ui->edtLookBackA))
        m_dLookBackA = LookBackCorrection(m_dLookBackA);
    if (userChanged(ui->edtLookBackB))
        m_dLookBackB = LookBackCorrection(m_dLookBackB);
    if (userChanged(ui->edtDropoutDelay))
        m_nDropoutDelay = CounterCorrection(m_nDropoutDelay);
    if (userChanged(ui->edtTxDwell))
        m_nTxDwell = CounterCorrection(m_nTxDwell);
    UpdateData(false);

    ScanInfoState s;
    s.priority = ui->cmbPriority->currentIndex();
    s.priorityChannel = m_strPriorityChannel;
    s.lookBackA = m_dLookBackA;
    s.lookBackB = m_dLookBackB;
    s.revertChannel = ui->cmbRevertChannel->currentIndex();
    s.dropoutDelay = m_nDropoutDelay;
    s.txDwell = m_nTxDwell;
    MemoryImage after = doc->m_image;
    if (StoreScanInfo(after, s) == ScanInfoStoreResult::ChannelRefused) {
        if (ui->edtPriorityChannel->hasSelectedText())
            ui->edtPriorityChannel->insert(QString());
        UpdateData(true);
        AfxMessageBox(this, PriorityChannelMessage(CurrentLanguage()));
        return;
    }
    doc->applyImageChange(after, LanguageText("Scan Information", "扫描信息"));
    accept();
}
