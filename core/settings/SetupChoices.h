// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// COM Setup and Language: the choices behind the two Setup dialogs.

#include <QString>

class CIniFile;
class UserSettings;

/// Number of ports COM Setup offers (COM1 … COM4).
constexpr int ComPortCount = 4;

/// Port name of a button index 0..3 ("com1" … "com4"); other indexes give "com<index + 1>".
QString ComPortName(int index);
/// Button index to check for the stored "com" value (1..4 → 0..3, else −1).
int ComIndexOfStored(int stored);
/// Stores the chosen index as the per-user "com" value (index + 1); returns the view's port name.
QString StoreComChoice(UserSettings &store, int index);

/// Language button index of the running language: 1 Chinese, 0 English.
int LanguageIndex(bool chinese);
/// Applies the Language dialog's OK: when index differs from the running language,
/// sets [Setup] "Language" in ini to the other language and returns true.
bool StoreLanguageChoice(CIniFile &ini, int index, bool runningChinese);
