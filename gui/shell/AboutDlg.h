// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: texts from the [language] section, picture from "logo.bmp".

#include <QDialog>
#include <memory>

namespace Ui {
class CAboutDlg;
}

/// Help > About (57664), shown modally.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    /// Fills caption, the three lines and the picture from the installation.
    explicit CAboutDlg(QWidget *parent = nullptr);
    ~CAboutDlg() override;

    /// The text of control 1001, 1002 or 1003 (for tests).
    QString lineText(int ctrlId) const;
    /// Size of the picture shown in control 1004.
    QSize pictureSize() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CAboutDlg> m_ui;
};
