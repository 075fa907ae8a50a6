// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Setup > Language: the interface language of the next start.

#include <QDialog>
#include <memory>

namespace Ui {
class LanguageDlg;
}
class QButtonGroup;
class QWidget;

/// The Language dialog (template 134).
class CLanguageDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CLanguageDlg(QWidget *parent = nullptr);
    ~CLanguageDlg() override;

    /// Checks the running language and runs the dialog.
    int DoModal();
    /// Checks the button of the running language.
    bool OnInitDialog();
    /// Stores the other language in Program.ini when it was chosen.
    void OnOK();

    /// 1 once OK stored a language other than the running one (never reset).
    bool m_bChanged = false;
    /// Index of the checked button: 0 English, 1 Chinese, −1 none.
    int m_nLanguage = -1;

private:
    std::unique_ptr<Ui::LanguageDlg> ui;
    QButtonGroup *m_group;
};

/// Saves Program.ini, closes mainWindow (when there is one) and starts a new copy of the
/// program from its own folder (tests replace the last two steps with a hook).
/// When Program.ini cannot be written, says why and neither closes nor starts anything.
void RestartProgram(QWidget *mainWindow);
/// For tests: called instead of closing the main window and starting the new copy.
void SetRestartHook(void (*hook)());
