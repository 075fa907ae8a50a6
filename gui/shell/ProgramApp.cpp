// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/ProgramApp.h"

#include "core/app/Globals.h"
#include "core/app/ShellRules.h"
#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/DialogFolders.h"
#include "core/settings/IniFile.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>

namespace {
CProgramApp *s_app = nullptr;
const QString kSetup = QStringLiteral("Setup");
} // namespace

CProgramApp::CProgramApp()
{
    s_app = this;
}

CProgramApp::~CProgramApp()
{
    m_pMainFrame.reset();
    if (m_bQtInstalled)
        QCoreApplication::removeTranslator(&m_qtSet);
    if (m_bLangInstalled)
        QCoreApplication::removeTranslator(&m_langSet);
    if (s_app == this)
        s_app = nullptr;
}

CProgramApp *CProgramApp::instance()
{
    return s_app;
}

bool CProgramApp::loadLanguageSet()
{
    m_strLanguageSet = FindLanguageSet(g_strAppDir, g_strLanguage);
    if (m_strLanguageSet.isEmpty() || !m_langSet.load(m_strLanguageSet))
        return false;
    m_bLangInstalled = QCoreApplication::installTranslator(&m_langSet);
    // The standard dialogs (files, printing) speak the language of the loaded set, as the
    // menus and dialogs do, whatever letter case Program.ini used for its name.
    if (QFileInfo(m_strLanguageSet)
            .fileName()
            .compare(QLatin1String("Chinese.qm"), Qt::CaseInsensitive)
        == 0) {
        if (m_qtSet.load(
                QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            m_bQtInstalled = QCoreApplication::installTranslator(&m_qtSet);
    }
    return true;
}

bool CProgramApp::InitInstance(const QString &appDir, const QStringList &arguments)
{
    // The installation folder is known first: Program.ini is found there.
    g_strAppDir = appDir.endsWith(QLatin1Char('/')) ? appDir : appDir + QLatin1Char('/');
    g_strAppDisplayName = QStringLiteral("Program");
    g_strTitle.clear();

    const bool opened = theIniFile.OpenInExeDir(QStringLiteral("Program.ini"), true, true, false);
    g_strLanguage = theIniFile.GetValue(kSetup, QStringLiteral("Language"));
    g_bChinese = IsChineseLanguage(g_strLanguage);
    g_strHelpFile = HelpFileName(g_bChinese);
    // A file that cannot be read or holds no text is named with its reason; otherwise the
    // language message below would be the only word, and a misleading one.
    QString why;
    if (!opened && !theIniFile.errorString().isEmpty())
        why = LanguageText("Program.ini cannot be read: %1", "无法读取 Program.ini：%1")
                  .arg(theIniFile.errorString());
    else if (!theIniFile.contentProblem().isEmpty())
        why = LanguageText("Program.ini cannot be used: %1", "无法使用 Program.ini：%1")
                  .arg(theIniFile.contentProblem());

    if (!loadLanguageSet()) {
        const QString fail = LanguageText("Load language DLL fail", "加载语言链接库失败");
        AfxMessageBox(nullptr, why.isEmpty() ? fail : why + QStringLiteral("\n\n") + fail,
            QMessageBox::Ok, why.isEmpty() ? MsgIcon::None : MsgIcon::Exclamation,
            QStringLiteral("Program"));
        return false;
    }
    if (!why.isEmpty())
        AfxMessageBox(
            nullptr, why, QMessageBox::Ok, MsgIcon::Exclamation, QStringLiteral("Program"));

    m_pMainFrame = std::make_unique<CMainFrame>();
    CMainFrame *frame = m_pMainFrame.get();
    connect(frame, &CMainFrame::fileNewRequested, this, &CProgramApp::OnFileNew);
    connect(frame, &CMainFrame::fileOpenRequested, this, &CProgramApp::OnFileOpen);
    connect(frame, &CMainFrame::aboutRequested, this, &CProgramApp::OnAppAbout);

    // The first plain argument names a file to open; without one a new document is made.
    QString file;
    for (const QString &arg : arguments) {
        if (!arg.startsWith(QLatin1Char('-'))) {
            file = arg;
            break;
        }
    }
    if (!(file.isEmpty() ? NewDocument() : OpenDocumentFile(file))) {
        m_pMainFrame.reset();
        return false;
    }

    frame->showMaximized();
    const QIcon icon(g_strAppDir + QStringLiteral("title.ico"));
    if (!icon.isNull() && !icon.availableSizes().isEmpty())
        frame->setWindowIcon(icon);
    g_strAppDisplayName = theIniFile.GetValue(g_strLanguage, QStringLiteral("Company"));
    applyMenuSettings();
    return true;
}

void CProgramApp::applyMenuSettings()
{
    const QList<QAction *> menus = m_pMainFrame->menuBar()->actions();
    // Only the menu bar in use is changed; menu 128 has no sixth menu.
    if (menus.size() > 5 && menus[5]->menu() && !menus[5]->menu()->actions().isEmpty())
        menus[5]->menu()->actions().constFirst()->setText(
            theIniFile.GetValue(g_strLanguage, QStringLiteral("About Title")));
    if (!ShowLanguageCommand(theIniFile.GetValue(kSetup, QStringLiteral("ShowLang")))
        && menus.size() > 4 && menus[4]->menu())
        menus[4]->menu()->removeAction(m_pMainFrame->action(cmd::Language));
}

bool CProgramApp::NewDocument()
{
    auto *doc = new CProgramDoc;
    if (!doc->OnNewDocument()) {
        delete doc;
        return false;
    }
    m_pMainFrame->createChildFrame(doc);
    return true;
}

bool CProgramApp::OpenDocumentFile(const QString &path)
{
    auto *doc = new CProgramDoc;
    QString error;
    if (!doc->OnOpenDocument(path, &error)) {
        delete doc;
        AfxMessageBox(m_pMainFrame.get(), error, QMessageBox::Ok, MsgIcon::Exclamation);
        return false;
    }
    // The opened document replaces the window that was active.
    m_pMainFrame->destroyChildFrame(m_pMainFrame->activeChildFrame());
    m_pMainFrame->createChildFrame(doc);
    return true;
}

void CProgramApp::OnFileNew()
{
    if (CChildFrame *active = m_pMainFrame->activeChildFrame()) {
        CProgramDoc *doc = active->document();
        if (doc && doc->isModified()) {
            // Unsaved changes are never dropped without the user's word.
            if (!m_pMainFrame->maybeSaveDocument(doc))
                return;
        } else if (AfxMessageBox(m_pMainFrame.get(), LoadString(ids::DataCleared),
                       QMessageBox::Ok | QMessageBox::Cancel, MsgIcon::Exclamation)
            != QMessageBox::Ok) {
            return;
        }
        m_pMainFrame->destroyChildFrame(active);
    }
    NewDocument();
}

void CProgramApp::OnFileOpen()
{
    // The opened file replaces the active document: its unsaved changes are asked about first.
    if (!m_pMainFrame->maybeSaveDocument(m_pMainFrame->activeDocument()))
        return;
    const QStringList type = LoadString(ids::DocumentType).split(QLatin1Char('\n'));
    const QString pattern = type.value(3, QStringLiteral("*.dat"));
    const CProgramDoc *active = m_pMainFrame->activeDocument();
    const QString path = QFileDialog::getOpenFileName(m_pMainFrame.get(), QString(),
        DialogStartFolder(DialogFileKind::Image, active ? active->pathName() : QString()),
        QStringLiteral("%1 (%1)").arg(pattern) + QStringLiteral(";;")
            + QCoreApplication::translate("CMainFrame", "All Files (*)"));
    if (path.isEmpty())
        return;
    RememberDialogFolder(DialogFileKind::Image, path);
    OpenDocumentFile(path);
}

void CProgramApp::OnAppAbout()
{
    CAboutDlg dlg(m_pMainFrame.get());
    dlg.exec();
}
