// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/log/ProgrammingLog.h"

#include "core/document/BackupStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString OsReason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

/// A CSV field, quoted when it needs to be.
QString CsvField(QString text)
{
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

} // namespace

QJsonObject ProgrammingRecord::toJson() const
{
    QJsonObject o;
    o.insert(
        QStringLiteral("time"), time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate));
    o.insert(QStringLiteral("port"), port);
    o.insert(QStringLiteral("device"), device);
    o.insert(QStringLiteral("adapter_serial"), adapterSerial);
    o.insert(QStringLiteral("image"), imageFile);
    o.insert(QStringLiteral("image_sha256"), imageSha256);
    o.insert(QStringLiteral("radio_type"), radioType);
    o.insert(QStringLiteral("band"), band);
    o.insert(QStringLiteral("backup"), backupFile);
    o.insert(QStringLiteral("radio_sha256"), radioSha256);
    o.insert(QStringLiteral("result"), result);
    o.insert(QStringLiteral("error"), error);
    o.insert(QStringLiteral("duration_ms"), durationMs);
    o.insert(QStringLiteral("operator"), operatorName);
    return o;
}

bool ProgrammingRecord::fromJson(const QJsonObject &o, ProgrammingRecord *out)
{
    const QDateTime when
        = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODate);
    const QString result = o.value(QStringLiteral("result")).toString();
    if (!when.isValid() || result.isEmpty())
        return false;
    ProgrammingRecord r;
    r.time = when;
    r.port = o.value(QStringLiteral("port")).toString();
    r.device = o.value(QStringLiteral("device")).toString();
    r.adapterSerial = o.value(QStringLiteral("adapter_serial")).toString();
    r.imageFile = o.value(QStringLiteral("image")).toString();
    r.imageSha256 = o.value(QStringLiteral("image_sha256")).toString();
    r.radioType = o.value(QStringLiteral("radio_type")).toString();
    r.band = o.value(QStringLiteral("band")).toString();
    r.backupFile = o.value(QStringLiteral("backup")).toString();
    r.radioSha256 = o.value(QStringLiteral("radio_sha256")).toString();
    r.result = result;
    r.error = o.value(QStringLiteral("error")).toString();
    r.durationMs = static_cast<qint64>(o.value(QStringLiteral("duration_ms")).toDouble());
    r.operatorName = o.value(QStringLiteral("operator")).toString();
    *out = r;
    return true;
}

bool ProgrammingRecord::matches(const QString &text) const
{
    if (text.isEmpty())
        return true;
    const QString all
        = QStringList { time.toString(Qt::ISODate), port, device, adapterSerial, imageFile,
              imageSha256, radioType, band, backupFile, radioSha256, result, error, operatorName }
              .join(QLatin1Char('\n'));
    return all.contains(text, Qt::CaseInsensitive);
}

QString DefaultProgrammingLogPath()
{
    // The log sits beside the backups folder it points into.
    return QFileInfo(DefaultBackupFolder()).path() + QStringLiteral("/programming-log.jsonl");
}

QString Sha256Hex(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

bool AppendProgrammingRecord(const QString &path, const ProgrammingRecord &record, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create the folder %1").arg(folder));
    QByteArray line = QJsonDocument(record.toJson()).toJson(QJsonDocument::Compact);
    line.append('\n');
    // O_APPEND puts the whole line at the end even with several writers at once.
    const int fd = ::open(QFile::encodeName(path).constData(),
        O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return fail(OsReason(errno));
    // A line torn by an earlier power cut must not swallow this one: start it on a line
    // of its own.
    struct stat st
    {
    };
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
            line.prepend('\n');
    }
    const ssize_t written = ::write(fd, line.constData(), static_cast<size_t>(line.size()));
    const int writeErr = errno;
    if (written != line.size()) {
        ::close(fd);
        return fail(written < 0 ? OsReason(writeErr) : QStringLiteral("the disk is full"));
    }
    if (::fsync(fd) != 0) {
        const int syncErr = errno;
        ::close(fd);
        return fail(OsReason(syncErr));
    }
    if (::close(fd) != 0)
        return fail(OsReason(errno));
    return true;
}

ProgrammingLogRead ReadProgrammingLog(const QString &path)
{
    ProgrammingLogRead out;
    QFile file(path);
    if (!file.exists())
        return out;
    if (!file.open(QIODevice::ReadOnly)) {
        out.error
            = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return out;
    }
    int lineNo = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        ++lineNo;
        if (line.isEmpty())
            continue;
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &parseError);
        ProgrammingRecord record;
        if (parseError.error != QJsonParseError::NoError || !doc.isObject()
            || !ProgrammingRecord::fromJson(doc.object(), &record)) {
            out.notes << QStringLiteral("line %1 of %2 is damaged and was skipped")
                             .arg(lineNo)
                             .arg(QDir::toNativeSeparators(path));
            continue;
        }
        out.records.append(record);
    }
    return out;
}

QByteArray ProgrammingRecordsCsv(const QList<ProgrammingRecord> &records)
{
    QStringList lines;
    lines << QStringLiteral("time,port,device,adapter_serial,image,image_sha256,radio_type,band,"
                            "backup,radio_sha256,result,error,duration_ms,operator");
    for (const ProgrammingRecord &r : records) {
        const QStringList fields { r.time.toString(Qt::ISODate), r.port, r.device, r.adapterSerial,
            r.imageFile, r.imageSha256, r.radioType, r.band, r.backupFile, r.radioSha256, r.result,
            r.error, QString::number(r.durationMs), r.operatorName };
        QStringList quoted;
        for (const QString &f : fields)
            quoted << CsvField(f);
        lines << quoted.join(QLatin1Char(','));
    }
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}
