// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/BackupStore.h"

#include "core/app/Language.h"
#include "core/document/FileName.h"
#include "core/document/FileRead.h"
#include "core/document/FileWrite.h"
#include "core/document/FolderWrite.h"
#include "core/image/SettingsArea.h"
#include "core/settings/IniFile.h"
#include "core/settings/ProductInfoRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

const char kStampFormat[] = "yyyy-MM-dd_HH-mm-ss";

/// A name part that is safe in a file name on every system the file may travel to.
QString SafeNamePart(const QString &text)
{
    QString out;
    for (const QChar c : text.trimmed()) {
        const bool bad = c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c);
        out += bad || c.isSpace() ? QLatin1Char('_') : c;
    }
    while (out.startsWith(QLatin1Char('.')))
        out.remove(0, 1);
    return out.left(40);
}

QString OsReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString DefaultBackupFolder()
{
    QString app
        = SafeNamePart(theIniFile.GetValue(QStringLiteral("Setup"), QStringLiteral("AppName")));
    if (app.isEmpty())
        app = QStringLiteral("RadioProg");
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/')
        + app + QStringLiteral("/backups");
}

QString BackupRadioType(const MemoryImage &image)
{
    const QStringList types = ProductTypeList(theIniFile);
    const int code = ReadField(image, Field::ProductType);
    return code >= 0 && code < types.size() ? types.at(code) : QString();
}

QString BackupFileName(const QDateTime &when, const QString &radioType, int attempt)
{
    QString name = when.toString(QLatin1String(kStampFormat));
    const QString type = SafeNamePart(radioType);
    if (!type.isEmpty())
        name += QLatin1Char('_') + type;
    if (attempt > 0)
        name += QStringLiteral("-%1").arg(attempt + 1);
    return name + QStringLiteral(".dat");
}

bool SaveBackup(const QString &folder, const MemoryImage &image, const QDateTime &when,
    QString *path, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QString shownFolder = QDir::toNativeSeparators(folder);
    QString reason;
    if (!filewrite::MakeFolder(folder, &reason))
        return fail(QStringLiteral("%1: %2").arg(shownFolder, reason));
    const QDir dir(folder);
    const QString type = BackupRadioType(image);
    // Complete and flushed under a temporary name first; then linked to a
    // name that does not exist yet, which the system refuses to overwrite.
    // The temporary name is one a later write recognises should this run be killed; several
    // radios may be backed up at once by one process, so each save has a name of its own.
    static std::atomic<int> saves { 0 };
    const QString temp
        = dir.filePath(QStringLiteral(".backup.radioprog-%1n%2")
                           .arg(QCoreApplication::applicationPid(), 7, 10, QLatin1Char('0'))
                           .arg(++saves));
    if (!filewrite::WriteWholeFileInBackups(temp, image.toByteArray(), &reason)) {
        QFile::remove(temp);
        // Named as the user will look for it: the backup, not the hidden file on the way.
        return fail(QStringLiteral("%1: %2").arg(
            QDir::toNativeSeparators(dir.filePath(BackupFileName(when, type))), reason));
    }
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString target = dir.filePath(BackupFileName(when, type, attempt));
        if (::link(filename::ToNative(temp).constData(), filename::ToNative(target).constData())
            == 0) {
            QFile::remove(temp);
            if (path)
                *path = target;
            return true;
        }
        if (errno != EEXIST) {
            const QString why = OsReason();
            QFile::remove(temp);
            return fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), why));
        }
    }
    QFile::remove(temp);
    return fail(
        QStringLiteral("%1: %2").arg(shownFolder, QString::fromLocal8Bit(std::strerror(EEXIST))));
}

QDateTime BackupTime(const QString &path)
{
    static const QRegularExpression stamp(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2})"));
    const QFileInfo info(path);
    const QRegularExpressionMatch m = stamp.match(info.fileName());
    QDateTime when;
    if (m.hasMatch())
        when = QDateTime::fromString(m.captured(1), QLatin1String(kStampFormat));
    return when.isValid() ? when : info.lastModified();
}

QString BackupTitle(const QDateTime &when, const QString &radioType)
{
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (radioType.isEmpty())
        return LanguageText("Backup of %1", "%1 的备份").arg(stamp);
    return LanguageText("Backup of %1 (%2)", "%1 的备份（%2）").arg(stamp, radioType);
}

QList<BackupEntry> ListBackups(const QString &folder)
{
    QList<BackupEntry> out;
    const QFileInfoList files
        = QDir(folder).entryInfoList({ QStringLiteral("*.dat") }, QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        // The same rule as File > Open: only a file of exactly one image is a backup.
        const fileread::ReadResult read
            = fileread::ReadExactFile(info.absoluteFilePath(), mem::ImageSize);
        MemoryImage image;
        if (!read.ok() || !MemoryImage::fromBytes(read.bytes, &image))
            continue;
        BackupEntry e;
        e.path = info.absoluteFilePath();
        e.when = BackupTime(e.path);
        e.radioType = BackupRadioType(image);
        out.append(e);
    }
    std::stable_sort(out.begin(), out.end(), [](const BackupEntry &x, const BackupEntry &y) {
        return x.when != y.when ? x.when > y.when : x.path > y.path;
    });
    return out;
}
