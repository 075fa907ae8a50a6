// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/common/ShellFixture.h"

#include "gui/shell/Help.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/ProgramApp.h"

#include <QCoreApplication>
#include <QFile>

ShellFixture::ShellFixture()
    : ShellFixture(EnglishIni())
{
}

ShellFixture::ShellFixture(const QString &programIni)
{
    const QString build = QStringLiteral(RADIOPROG_BUILD_DIR "/");
    for (const char *name : { "English.qm", "Chinese.qm", "enHelp.html", "chHelp.html" })
        QFile::copy(build + QLatin1String(name), dir() + QLatin1String(name));
    if (!programIni.isNull())
        write(QStringLiteral("Program.ini"), programIni.toUtf8());
    SetHelpWindowSuppressed(true);
    SetMessageHook([this](const ShownMessage &m) {
        messages.append(m);
        return reply;
    });
}

ShellFixture::~ShellFixture()
{
    m_app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetMessageHook({});
}

QString ShellFixture::EnglishIni(const QString &setupExtra)
{
    return IniWithLanguage(QStringLiteral("English"), setupExtra);
}

QString ShellFixture::IniWithLanguage(const QString &language, const QString &setupExtra)
{
    return QStringLiteral("[Setup]\nLanguage=%1\n%2AppName=ShellTest\n"
                          "Type1=T1\nField1=136 - 174MHz\n\n"
                          "[English]\nAppName=Test Radio\nCompany=Test Company\n"
                          "About Title=About Test\nVersion=Version 9.9\n"
                          "Copyrights=Copyright Test\nCopyrights Owner=Test Owner\n\n"
                          "[Chinese]\nAppName=测试对讲机\nCompany=测试公司\n"
                          "About Title=关于测试\nVersion=版本 9.9\n"
                          "Copyrights=版权测试\nCopyrights Owner=测试所有者\n")
        .arg(language, setupExtra);
}

QString ShellFixture::dir() const
{
    return m_dir.path() + QLatin1Char('/');
}

void ShellFixture::remove(const QString &name) const
{
    QFile::remove(dir() + name);
}

void ShellFixture::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(dir() + name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

bool ShellFixture::start(const QStringList &arguments)
{
    m_app.reset();
    m_app = std::make_unique<CProgramApp>();
    return m_app->InitInstance(dir(), arguments);
}

CMainFrame *ShellFixture::frame() const
{
    return m_app ? m_app->mainFrame() : nullptr;
}
