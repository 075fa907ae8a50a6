// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli log: the programming log, newest first, as lines or JSON.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/log/ProgrammingLog.h"

#include <QCommandLineParser>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cstdio>

const cli::Command cli::kLog = { "log", RunLog, "log [--json] [--since DATE] [--log FILE]",
    "Lists the programming log, newest first: every write into a radio, with its port, image, "
    "backup and result. A damaged line is skipped with a note on stderr.",
    false };

namespace {

/// A date or date and time: 2026-12-07, 2026-12-07T09:00, with or without an offset.
bool ParseSince(const QString &text, QDateTime *out)
{
    QDateTime when = QDateTime::fromString(text, Qt::ISODate);
    if (!when.isValid()) {
        const QDate day = QDate::fromString(text, Qt::ISODate);
        if (!day.isValid())
            return false;
        when = day.startOfDay();
    }
    *out = when;
    return true;
}

} // namespace

int RunLog(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(
        QStringLiteral("json"), QStringLiteral("Print the records as a JSON array."));
    const QCommandLineOption sinceOption(QStringLiteral("since"),
        QStringLiteral("Only records from DATE on (2026-12-07 or 2026-12-07T09:00)."),
        QStringLiteral("DATE"));
    const QCommandLineOption logOption(QStringLiteral("log"),
        QStringLiteral("Read FILE instead of the programming log."), QStringLiteral("FILE"));
    parser.addOptions({ jsonOption, sinceOption, logOption });
    if (const int status = cli::ParseCommand(parser, cli::kLog, args); status != cli::kGoOn)
        return status;
    if (!parser.positionalArguments().isEmpty())
        return cli::UsageError(cli::kLog,
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    QDateTime since;
    if (parser.isSet(sinceOption) && !ParseSince(parser.value(sinceOption), &since))
        return cli::UsageError(cli::kLog,
            QStringLiteral("--since needs a date such as 2026-12-07, not \"%1\"")
                .arg(parser.value(sinceOption)));

    const QString path
        = parser.isSet(logOption) ? parser.value(logOption) : DefaultProgrammingLogPath();
    const ProgrammingLogRead read = ReadProgrammingLog(path);
    if (!read.error.isEmpty()) {
        std::fprintf(stderr, "radioprog-cli log: %s\n", qPrintable(read.error));
        return 2;
    }
    for (const QString &note : read.notes)
        std::fprintf(stderr, "radioprog-cli log: %s\n", qPrintable(note));
    QList<ProgrammingRecord> records;
    for (const ProgrammingRecord &r : read.records) {
        if (!since.isValid() || r.time >= since)
            records.append(r);
    }
    std::stable_sort(records.begin(), records.end(),
        [](const ProgrammingRecord &a, const ProgrammingRecord &b) { return a.time > b.time; });

    if (parser.isSet(jsonOption)) {
        QJsonArray all;
        for (const ProgrammingRecord &r : records)
            all.append(r.toJson());
        std::fputs(QJsonDocument(all).toJson(QJsonDocument::Indented).constData(), stdout);
        return 0;
    }
    for (const ProgrammingRecord &r : records) {
        QString line = QStringLiteral("%1  %2  %3  %4  %5")
                           .arg(r.time.toString(Qt::ISODate), r.port, r.result, r.imageFile,
                               r.imageSha256.left(12));
        if (!r.backupFile.isEmpty())
            line += QStringLiteral("  backup %1").arg(QDir::toNativeSeparators(r.backupFile));
        if (!r.operatorName.isEmpty())
            line += QStringLiteral("  by %1").arg(r.operatorName);
        if (!r.error.isEmpty())
            line += QStringLiteral("\n    %1").arg(r.error);
        std::printf("%s\n", qPrintable(line));
    }
    return 0;
}
