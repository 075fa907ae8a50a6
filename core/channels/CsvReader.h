// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading comma-separated text as spreadsheets and other programs write it:
// UTF-8 with or without a byte-order mark, LF, CRLF or CR line ends, quoted
// fields holding separators, line ends and doubled quotes, and the semicolon or
// tab separated variant that spreadsheets write where the decimal mark is a comma.
// Limits keep a hostile file from costing much time or memory.

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

/// Bounds a file must keep to be read at all.
struct CsvLimits
{
    qint64 maxBytes = 2 * 1024 * 1024; ///< Whole file.
    int maxRecords = 5000; ///< Records after the first (the header).
    int maxFieldChars = 1024; ///< Characters of one field.
    int maxFields = 64; ///< Fields of one record.
};

/// One record of the file and the line it starts on (1-based).
struct CsvRecord
{
    int line = 0; ///< Line of the file where the record begins.
    QStringList fields; ///< Field texts, quotes removed, not trimmed.
};

/// A file read into records.
struct CsvDocument
{
    QChar separator = QLatin1Char(','); ///< ',' or the ';' or tab the header line used.
    QList<CsvRecord> records; ///< Every non-blank record, the header first.
};

/// Reads bytes as CSV; false with a message (current language) when the file is not usable text.
bool ParseCsv(const QByteArray &bytes, CsvDocument *out, QString *error,
    const CsvLimits &limits = CsvLimits());
/// One line of CSV (no line end): fields joined by separator, quoted where they need it.
QString CsvLine(const QStringList &fields, QChar separator = QLatin1Char(','));
