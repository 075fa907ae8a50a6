// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/WriteSettings.h"

#include "core/document/BackupStore.h"
#include "core/settings/UserSettings.h"

RadioWriteOptions LoadWriteOptions()
{
    const UserSettings store = UserSettings::forApplication();
    RadioWriteOptions options;
    // Anything but an explicit 0 keeps the protection on.
    options.backup = store.value(QString::fromLatin1(kBackupBeforeWriteValue), 1) != 0;
    options.verify = store.value(QString::fromLatin1(kVerifyAfterWriteValue), 1) != 0;
    options.readTwice = store.value(QString::fromLatin1(kReadTwiceValue), 1) != 0;
    options.backupFolder = DefaultBackupFolder();
    return options;
}

void StoreWriteOptions(const RadioWriteOptions &options)
{
    UserSettings store = UserSettings::forApplication();
    store.setValue(QString::fromLatin1(kBackupBeforeWriteValue), options.backup ? 1 : 0);
    store.setValue(QString::fromLatin1(kVerifyAfterWriteValue), options.verify ? 1 : 0);
    store.setValue(QString::fromLatin1(kReadTwiceValue), options.readTwice ? 1 : 0);
}
