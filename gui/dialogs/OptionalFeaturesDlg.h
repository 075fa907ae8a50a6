// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edit > Optional Features: the radio-wide options of the active document's image.

#include "core/settings/OptionalFeaturesRules.h"
#include "gui/dialogs/DocumentTarget.h"

#include <QDialog>
#include <memory>

namespace Ui {
class OptionalFeaturesDlg;
}
class CDialogKeyFilter;

/// The Optional Features dialog (template 132).
class COptionalFeaturesDlg : public QDialog, public CDocumentTarget
{
    Q_OBJECT
public:
    explicit COptionalFeaturesDlg(QWidget *parent = nullptr);
    ~COptionalFeaturesDlg() override;

    /// Loads the controls and runs the dialog; QDialog::Rejected at once when there is no document.
    int DoModal();
    /// Fills the lists and selects them from the document's image; false without a document.
    bool OnInitDialog();
    /// Stores the controls into the document's image and closes with OK.
    void OnOK();

    /// The positions and check states the controls show.
    OptionalFeaturesState state() const;
    /// Shows positions in the controls.
    void setState(const OptionalFeaturesState &state);

private:
    std::unique_ptr<Ui::OptionalFeaturesDlg> ui;
    CDialogKeyFilter *m_keyFilter;
};
