// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Labels and value texts of the settings fields as the dialogs and the report
// show them, shared by `show`, `diff` and the compare window.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"
#include "core/image/SettingsArea.h"

#include <QString>

/// The field's label in lang ("Squelch Level" / "静噪等级").
QString FieldLabel(Field field, Language lang);
/// Text of a field's code: the tables, or for type and band the installation's lists.
QString SettingText(const MemoryImage &image, Field field, int code, Language lang);
