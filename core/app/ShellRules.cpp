// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/ShellRules.h"

#include <QDir>
#include <QFileInfo>

bool IsChineseLanguage(const QString &language)
{
    return language == QLatin1String("Chinese");
}

QString HelpFileName(bool chinese)
{
    return chinese ? QStringLiteral("chHelp.html") : QStringLiteral("enHelp.html");
}

QString FindLanguageSet(const QString &dir, const QString &language)
{
    // The installation may be on a case-sensitive file system while Program.ini
    // names the set in any letter case, so the name is matched case-blind.
    const QString wanted = language + QStringLiteral(".qm");
    const QFileInfoList entries = QDir(dir).entryInfoList(QDir::Files | QDir::Readable);
    QString found;
    for (const QFileInfo &entry : entries) {
        if (entry.fileName() == wanted)
            return entry.absoluteFilePath(); // an exact match wins over a case-blind one
        if (found.isEmpty() && entry.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            found = entry.absoluteFilePath();
    }
    return found;
}

int LeadingNumber(const QString &text)
{
    // Like atoi: leading blanks, an optional sign, then digits up to the first other character.
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > 0x7FFFFFFF)
            value = 0x7FFFFFFF; // saturate instead of overflowing
    }
    return static_cast<int>(negative ? -value : value);
}

bool ShowLanguageCommand(const QString &showLang)
{
    return LeadingNumber(showLang) != 0;
}

CommandPrompt SplitPrompt(const QString &text)
{
    const int cut = text.indexOf(QLatin1Char('\n'));
    if (cut < 0)
        return { text, QString() };
    return { text.left(cut), text.mid(cut + 1) };
}

QStringList NavItemTexts(bool chinese)
{
    if (chinese)
        return { QStringLiteral("类型设置"), QStringLiteral("信道信息"),
            QStringLiteral("可选功能") };
    return { QStringLiteral("Product Information"), QStringLiteral("Channel Information"),
        QStringLiteral("Optional Features") };
}

NavCommand NavCommandForText(const QString &text, bool chinese)
{
    const QStringList items = NavItemTexts(chinese);
    if (text == items[1])
        return NavCommand::ChannelInfo;
    if (text == items[2])
        return NavCommand::OptionalFeatures;
    if (text == items[0])
        return NavCommand::ProductInfo;
    return NavCommand::None;
}
