// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A throw-away installation folder and a start-up of the program in it, with
// message boxes captured instead of shown.

#include "gui/shell/MessageBox.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class CProgramApp;
class CMainFrame;

/// An installation in a temporary folder; Program.ini as given (none when null).
class ShellFixture
{
public:
    /// An installation with the English Program.ini.
    ShellFixture();
    /// Copies the built language sets and manuals; writes programIni unless it is null.
    explicit ShellFixture(const QString &programIni);
    ~ShellFixture();

    /// A Program.ini in English with every key the shell reads.
    static QString EnglishIni(const QString &setupExtra = QStringLiteral("ShowLang=1\n"));
    /// The same with Language set to language.
    static QString IniWithLanguage(
        const QString &language, const QString &setupExtra = QStringLiteral("ShowLang=1\n"));

    /// The folder, ending with "/".
    QString dir() const;
    /// Removes a file of the installation.
    void remove(const QString &name) const;
    /// Writes a file of the installation.
    void write(const QString &name, const QByteArray &bytes) const;

    /// Runs start-up with these arguments; true when it succeeded.
    bool start(const QStringList &arguments = {});
    /// The application object of the last start.
    CProgramApp *app() const { return m_app.get(); }
    /// Its main window (nullptr when start-up failed).
    CMainFrame *frame() const;

    /// Every message shown since construction.
    QList<ShownMessage> messages;
    /// The button the next messages "press".
    QMessageBox::StandardButton reply = QMessageBox::Ok;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CProgramApp> m_app;
};
