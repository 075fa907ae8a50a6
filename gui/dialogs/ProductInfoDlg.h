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

    /// Loads the lists and runs the dialog; QDialog::Rejected at once without a document and view.
    int DoModal();
    /// Fills the type list from Program.ini and selects the per-user "Type" and "Field".
    bool OnInitDialog();
    /// Stores the choice into the image, the per-user store, the view's band limits and the
    /// caption.
    void OnOK();

private Q_SLOTS:
    void OnSelChangeType();

private:
    std::unique_ptr<Ui::ProductInfoDlg> ui;
};
