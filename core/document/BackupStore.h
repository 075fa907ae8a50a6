// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The backups folder: one .dat per write, the radio's memory as it was before
// the write, named by date, time and radio type, never overwriting another.

#include "core/image/MemoryImage.h"

#include <QDateTime>
#include <QList>
#include <QString>

/// $XDG_DATA_HOME/<AppName>/backups (default ~/.local/share/RadioProg/backups).
QString DefaultBackupFolder();
/// The radio type of image as the installation names it ("RP-16V"), or "" when unknown.
QString BackupRadioType(const MemoryImage &image);
/// File name of a backup: "2026-12-07_09-41-05_RP-16V.dat" (the type made safe for a file name).
QString BackupFileName(const QDateTime &when, const QString &radioType, int attempt = 0);

/// Saves image as a new file in folder (created when missing); never replaces a file.
/// True with the new file's path in path; false with the reason in error and no file left behind.
bool SaveBackup(const QString &folder, const MemoryImage &image, const QDateTime &when,
    QString *path, QString *error);

/// When the backup at path was taken: from its name, else the file's time.
QDateTime BackupTime(const QString &path);
/// The caption of a backup opened as an untitled copy: "Backup of 2026-12-07 09:41 (RP-16V)".
QString BackupTitle(const QDateTime &when, const QString &radioType);

/// One backup file as the Backups window lists it.
struct BackupEntry
{
    QString path; ///< Absolute path of the file.
    QDateTime when; ///< Date and time of the backup (from its name, else the file's time).
    QString radioType; ///< Radio type stored in the image, "" when unknown.
};

/// The .dat files of folder, newest first; files that are not exactly an image are left out.
QList<BackupEntry> ListBackups(const QString &folder);
