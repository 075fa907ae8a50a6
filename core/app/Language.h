// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two interface languages, and the one way to pick a literal by language.
// User-visible text comes from one of three places, each for its own kind:
//  - LanguageText(english, chinese): texts this program composes in code
//    (messages, captions, CLI output), both literals side by side;
//  - LoadString(id) (StringTable.h): the resource texts that have an id of
//    their own (menus' prompts, the clone messages), from the loaded .qm;
//  - Qt's tr(): the texts of .ui forms and of Qt's own widgets, from the .qm.

#include <QString>

/// The two interface languages; chooses between the English and Chinese texts.
enum class Language { English, Chinese };

/// The language the program runs in (the [Setup] Language read at start-up).
Language CurrentLanguage();

/// The English or the Chinese literal (UTF-8) by lang.
inline QString LanguageText(Language lang, const char *english, const char *chinese)
{
    return QString::fromUtf8(lang == Language::Chinese ? chinese : english);
}

/// The English or the Chinese literal (UTF-8) in the language the program runs in.
inline QString LanguageText(const char *english, const char *chinese)
{
    return LanguageText(CurrentLanguage(), english, chinese);
}
