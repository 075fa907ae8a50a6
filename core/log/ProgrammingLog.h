// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The programming log: one JSON line per write into a radio, so a dealer can
// tell later which radio got which image and where its old memory went. Lines
// are only ever appended, each with a single write and an fsync, so a power cut
// can at worst tear the last line, which the reader skips with a note.

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

/// One write into one radio as the log keeps it.
struct ProgrammingRecord
{
    QDateTime time; ///< When the write started, with its offset from UTC.
    QString port; ///< The port as the user named it ("COM1", "/dev/ttyUSB0").
    QString device; ///< The device path behind the port.
    QString adapterSerial; ///< The USB adapter's serial number, "" when unknown.
    QString imageFile; ///< File name of the image written ("" for an unsaved document).
    QString imageSha256; ///< SHA-256 (hex) of the 1024 bytes written.
    QString radioType; ///< Radio type of the image, as the installation names it.
    QString band; ///< Frequency band of the image, as the installation names it.
    QString backupFile; ///< The backup of the radio made before the write, "" without one.
    QString radioSha256; ///< SHA-256 (hex) of the radio's memory before the write, "" unknown.
    QString result; ///< "ok", "verify-failed", "failed" or "cancelled".
    QString error; ///< Why it did not end "ok", "" when it did.
    qint64 durationMs = 0; ///< How long the write took, backup and verify included.
    QString operatorName; ///< Who ran it.

    /// The record as its log line's object.
    QJsonObject toJson() const;
    /// The record of a log line's object; false when obj is not one.
    static bool fromJson(const QJsonObject &obj, ProgrammingRecord *out);
    /// True when text appears (case-blind) in any of the record's texts.
    bool matches(const QString &text) const;
};

/// The four results a record can have.
namespace logresult {
constexpr char Ok[] = "ok"; ///< Written (and verified when asked).
constexpr char VerifyFailed[] = "verify-failed"; ///< Written, but the read-back differs.
constexpr char Failed[] = "failed"; ///< The port, the radio or the backup failed.
constexpr char Cancelled[] = "cancelled"; ///< The user stopped it.
} // namespace logresult

/// $XDG_DATA_HOME/<AppName>/programming-log.jsonl.
QString DefaultProgrammingLogPath();
/// Lower-case hex SHA-256 of bytes.
QString Sha256Hex(const QByteArray &bytes);

/// Appends record as one line (one write, then fsync); false with the system's reason in error.
bool AppendProgrammingRecord(
    const QString &path, const ProgrammingRecord &record, QString *error = nullptr);

/// What reading a log gave.
struct ProgrammingLogRead
{
    QList<ProgrammingRecord> records; ///< In file order (oldest first).
    QStringList notes; ///< One note per line that was skipped (a torn or foreign line).
    QString error; ///< Why the file could not be read; "" when it could or does not exist.
};

/// Reads the log at path; a missing file is an empty log, a damaged line a note.
ProgrammingLogRead ReadProgrammingLog(const QString &path);

/// The shown columns of records as CSV (header line first), for export.
QByteArray ProgrammingRecordsCsv(const QList<ProgrammingRecord> &records);
