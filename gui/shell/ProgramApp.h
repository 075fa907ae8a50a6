// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: start-up in its fixed order, and the commands that
// belong to the application (New, Open, About).

#include <QObject>
#include <QStringList>
#include <QTranslator>
#include <memory>

class CMainFrame;
class CProgramDoc;

/// Brings the program up and owns the main window and the language set.
class CProgramApp : public QObject
{
    Q_OBJECT
public:
    CProgramApp();
    ~CProgramApp() override;

    /// The application object of the process, or nullptr.
    static CProgramApp *instance();

    /// Start-up with the installation in appDir (ending in "/") and the command-line
    /// arguments after the program name; false ends the process with a non-zero status.
    bool InitInstance(const QString &appDir, const QStringList &arguments);
    /// The main window, once created.
    CMainFrame *mainFrame() const { return m_pMainFrame.get(); }
    /// Path of the loaded language set (empty before start-up loaded one).
    QString languageSetPath() const { return m_strLanguageSet; }

    /// Makes a new default document in a new window.
    bool NewDocument();
    /// Opens a .dat file in a new window that replaces the active one; reports failures.
    bool OpenDocumentFile(const QString &path);

public Q_SLOTS:
    /// File > New (57600): asks before replacing the active document window.
    void OnFileNew();
    /// File > Open (57601).
    void OnFileOpen();
    /// Help > About (57664).
    void OnAppAbout();

private:
    bool loadLanguageSet();
    void applyMenuSettings();

    QTranslator m_langSet;
    QTranslator m_qtSet;
    bool m_bLangInstalled = false;
    bool m_bQtInstalled = false;
    QString m_strLanguageSet;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
