// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Per-user values kept in place of the registry key "Software\<AppName>".

#include <QString>

/// Typed access to the per-user store named after [Setup] AppName.
class UserSettings
{
public:
    /// The store of application name appName (a file under the user's configuration folder).
    explicit UserSettings(const QString &appName);
    /// The store named by theIniFile's [Setup] "AppName".
    static UserSettings forApplication();

    /// 32-bit value name; def when missing or not an integer.
    int value(const QString &name, int def) const;
    /// Stores a 32-bit value; the store is created when missing.
    void setValue(const QString &name, int value);

    /// Text value name (a "Group/key" name lies in [Group]); empty when missing.
    QString text(const QString &name) const;
    /// Stores a text value (an empty text removes it); false when the store cannot be written.
    bool setText(const QString &name, const QString &value);

    /// Path of the settings file (for tests and the README).
    QString fileName() const;

private:
    QString m_appName;
};
