// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/LanguageDlg.h"

#include "core/app/Globals.h"
#include "core/settings/IniFile.h"
#include "core/settings/SetupChoices.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/DialogFrame.h"
#include "gui/shell/MessageBox.h"
#include "ui_languagedlg.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace {
void (*s_restartHook)() = nullptr;
}

CLanguageDlg::CLanguageDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::LanguageDlg>())
    , m_group(new QButtonGroup(this))
{
    ui->setupUi(this);
    UseDialogFrame(this);
    m_group->addButton(ui->rdoEnglish, 0);
    m_group->addButton(ui->rdoChinese, 1);
    connect(ui->btnOk, &QPushButton::clicked, this, &CLanguageDlg::OnOK);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::Language))->install();
}

CLanguageDlg::~CLanguageDlg() = default;

int CLanguageDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

bool CLanguageDlg::OnInitDialog()
{
    m_nLanguage = LanguageIndex(g_bChinese);
    m_group->button(m_nLanguage)->setChecked(true);
    ui->btnOk->setFocus(Qt::OtherFocusReason);
    return true;
}

void CLanguageDlg::OnOK()
{
    m_nLanguage = m_group->checkedId();
    if (StoreLanguageChoice(theIniFile, m_nLanguage, g_bChinese))
        m_bChanged = true;
    accept();
}

void SetRestartHook(void (*hook)())
{
    s_restartHook = hook;
}

void RestartProgram(QWidget *mainWindow)
{
    // The new copy reads Program.ini at its start; it must find the new language there.
    // When the file cannot be written, this copy stays, so the user is not left with a
    // restart into the old language and no word why.
    bool saved = true;
    theIniFile.Save(false, &saved);
    if (!saved) {
        AfxMessageBox(mainWindow,
            LanguageText(
                "The new language could not be stored in Program.ini, so the program is not "
                "restarted.\n%1",
                "无法将新的语言保存到 Program.ini，因此程序不会重新启动。\n%1")
                .arg(theIniFile.errorString()),
            QMessageBox::Ok, MsgIcon::Exclamation);
        return;
    }
    if (s_restartHook) {
        s_restartHook();
        return;
    }
    // The build tree keeps the program beside its data; an installation keeps it in bin/.
    QString program = g_strAppDir + QStringLiteral("radioprog");
    if (!QFileInfo(program).isExecutable())
        program = QCoreApplication::applicationFilePath();
    // A main window that refuses to close keeps this copy running; no second copy then.
    if (mainWindow && !mainWindow->close())
        return;
    QProcess::startDetached(program, QStringList(), g_strAppDir);
}
