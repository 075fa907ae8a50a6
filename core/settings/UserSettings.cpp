// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/UserSettings.h"

#include "core/settings/IniFile.h"

#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <limits>

namespace {

// A file name for the store of appName: characters that cannot stand in a file
// name become "_"; an empty name still gets a store of its own.
QString StoreBaseName(const QString &appName)
{
    QString name = appName.trimmed();
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c.unicode() < 0x20)
            c = QLatin1Char('_');
    }
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QLatin1String("radioprog"));
    return name;
}

} // namespace

UserSettings::UserSettings(const QString &appName)
    : m_appName(appName)
{
}

UserSettings UserSettings::forApplication()
{
    return UserSettings(theIniFile.GetValue(QStringLiteral("Setup"), QStringLiteral("AppName")));
}

QString UserSettings::fileName() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QLatin1Char('/') + StoreBaseName(m_appName) + QLatin1String(".conf");
}

int UserSettings::value(const QString &name, int def) const
{
    const QSettings store(fileName(), QSettings::IniFormat);
    const QVariant stored = store.value(name);
    if (!stored.isValid())
        return def;
    // Only a whole number that fits 32 bits counts, as a registry DWORD would.
    bool ok = false;
    const qlonglong number = stored.toString().trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return def;
    return static_cast<int>(number);
}

void UserSettings::setValue(const QString &name, int value)
{
    QSettings store(fileName(), QSettings::IniFormat);
    store.setValue(name, value);
    store.sync();
}

QString UserSettings::text(const QString &name) const
{
    const QSettings store(fileName(), QSettings::IniFormat);
    return store.value(name).toString();
}

bool UserSettings::setText(const QString &name, const QString &value)
{
    QSettings store(fileName(), QSettings::IniFormat);
    if (value.isEmpty())
        store.remove(name);
    else
        store.setValue(name, value);
    store.sync();
    return store.status() == QSettings::NoError;
}
