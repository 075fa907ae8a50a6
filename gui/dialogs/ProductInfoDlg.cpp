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

#include <QPointer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

/// What a product choice sets besides the image: the caption and the per-user store.
struct ProductChoiceState
{
    QString caption;
    int type = 0;
    int field = 0;
};

/// The caption and the store as one undo step with the image bytes, so that
/// undo brings back the whole choice and the dialog reopens on it.
class ProductChoiceCommand : public QUndoCommand
{
public:
    ProductChoiceCommand(CProductInfoDlg *dlg, const ProductChoiceState &before,
        const ProductChoiceState &after, QUndoCommand *parent)
        : QUndoCommand(parent)
        , m_dlg(dlg)
        , m_before(before)
        , m_after(after)
    {
    }

    void undo() override { set(m_before); }
    void redo() override { set(m_after); }

private:
    void set(const ProductChoiceState &state)
    {
        UserSettings store = UserSettings::forApplication();
        store.setValue(QStringLiteral("Type"), state.type);
        store.setValue(QStringLiteral("Field"), state.field);
        g_strTitle = state.caption;
        if (m_dlg)
            m_dlg->tellCaption(state.caption);
    }

    QPointer<CProductInfoDlg> m_dlg;
    ProductChoiceState m_before;
    ProductChoiceState m_after;
};

} // namespace

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

    const QString type = typePos >= 0 ? ui->cmbType->currentText() : QString();
    const QString band = bandPos >= 0 ? ui->cmbBand->currentText() : QString();
    const UserSettings store = UserSettings::forApplication();
    const ProductChoiceState before { g_strTitle, store.value(QStringLiteral("Type"), 0),
        store.value(QStringLiteral("Field"), 0) };
    const ProductChoiceState chosen {
        ProductCaption(theIniFile.GetValue(g_strLanguage, QStringLiteral("AppName")), type, band),
        typePos, bandPos
    };
    // One step: the image bytes first (they tell the views), then caption and store.
    const QString text = LanguageText("Product Information", "产品信息");
    if (after == doc->m_image) {
        // Nothing of the document changes: no step that would mark it modified.
        ProductChoiceCommand(this, before, chosen, nullptr).redo();
    } else {
        auto step = std::make_unique<QUndoCommand>(text);
        doc->addImageChange(after, step.get());
        new ProductChoiceCommand(this, before, chosen, step.get()); // owned by step
        doc->undoStack()->push(step.release());
    }

    const BandLimits limits = BandLimitsOfText(band);
    emit bandChosen(limits.low, limits.high);
    accept();
}

void CProductInfoDlg::tellCaption(const QString &caption)
{
    emit captionChanged(caption);
}
