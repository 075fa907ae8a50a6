#pragma once

#include <QString>

/// The two interface languages; chooses between the English and Chinese texts.
enum class Language { English, Chinese };

/// The English or the Chinese literal (UTF-8) by lang.
inline QString LanguageText(Language lang, const char *english, const char *chinese)
{
    return QString::fromUtf8(lang == Language::Chinese ? chinese : english);
}
