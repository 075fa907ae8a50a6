// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edit > Product Information: the product type and frequency band of the image.

#include "gui/dialogs/DocumentTarget.h"

#include <QDialog>
#include <memory>

namespace Ui {
class ProductInfoDlg;
}

/// The Product Information dialog (template 136).
class CProductInfoDlg : public QDialog, public CDocumentTarget
{
    Q_OBJECT
public:
    explicit CProductInfoDlg(QWidget *parent = nullptr);
    ~CProductInfoDlg() override;

    /// Loads the lists and runs the dialog; QDialog::Rejected at once without a document.
    int DoModal();
    /// Fills the type list from Program.ini and selects the per-user "Type" and "Field".
    bool OnInitDialog();
    /// Stores the choice into the image and the per-user store, and tells the band limits
    /// (bandChosen) and the composed caption (captionChanged).
    void OnOK();

    /// Passes a caption on to captionChanged (an undo or redo of the choice).
    void tellCaption(const QString &caption);

Q_SIGNALS:
    /// OK chose the band from low to high (10 Hz units): the view's frequency limits.
    void bandChosen(int low, int high);
    /// OK composed the main window's caption from the chosen type and band.
    void captionChanged(const QString &caption);

private Q_SLOTS:
    void OnSelChangeType();

private:
    std::unique_ptr<Ui::ProductInfoDlg> ui;
};
