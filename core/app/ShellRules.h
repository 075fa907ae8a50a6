// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decisions of the application shell that need no window: the language flag,
// the help file, the language set's file, the ShowLang switch, the command
// prompts and the navigation tree's items.

#include <QString>
#include <QStringList>

/// True only for exactly "Chinese" (letter case counts).
bool IsChineseLanguage(const QString &language);
/// "chHelp.html" for the Chinese texts, else "enHelp.html".
QString HelpFileName(bool chinese);
/// Path of "<language>.qm" in dir, the file name compared without case; empty when none.
QString FindLanguageSet(const QString &dir, const QString &language);
/// The leading decimal digits of text as a number (optional sign); 0 when there are none.
int LeadingNumber(const QString &text);
/// True when the Language command stays in the Setup menu ("ShowLang" read as a number is not 0).
bool ShowLanguageCommand(const QString &showLang);

/// A command prompt split at its line break: status-bar text before, tooltip after.
struct CommandPrompt
{
    QString statusTip; ///< shown in the status bar's message pane
    QString toolTip; ///< shown over the toolbar button
};
/// Splits "prompt\ntip"; a text without a line break is all prompt.
CommandPrompt SplitPrompt(const QString &text);

/// What a navigation tree item stands for.
enum class NavCommand { None, ProductInfo, ChannelInfo, OptionalFeatures };
/// The three tree item texts under the root, in tree order, in the given language.
QStringList NavItemTexts(bool chinese);
/// The command of the item whose text is text (exact match in the given language).
NavCommand NavCommandForText(const QString &text, bool chinese);

/// Help context of a window whose help number is based on a resource id.
constexpr int WindowHelpContext(int resourceId)
{
    return 0x10000 + resourceId;
}
