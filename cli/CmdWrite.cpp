// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli write: a .dat file into the radio, by the same procedure as
// Program > Write: backup read, write, verify. Given several ports it writes
// every radio at once, each on a thread of its own, and logs each.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PlanOptions.h"
#include "cli/RadioRun.h"
#include "core/app/Globals.h"
#include "core/document/BackupStore.h"
#include "core/document/FolderWrite.h"
#include "core/document/ProgramDoc.h"
#include "core/link/ConsoleTransferUi.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/RadioWrite.h"
#include "core/plan/ChannelPlanCheck.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <thread>
#include <vector>

const cli::Command cli::kWrite = { "write", RunWrite,
    "write --port PORT FILE.dat [--port PORT ...] [--retries N] [--backup-dir DIR] "
    "[--no-backup] [--no-verify] [--single-read] [--log FILE] [--json] [--region none|us|eu] "
    "[--force]",
    "Writes a .dat file into the radio, as Program > Write does: first a backup read of the "
    "radio into the backups folder (two reads compared), then the write, then a read-back "
    "that verifies it (read once more when it finds a difference).\n"
    "The channel plan is checked first (as the check command does): its errors and warnings "
    "go to stderr, and errors stop the write unless --force is given.\n"
    "Given several ports, writes every radio at once and prints one result line per radio as "
    "it finishes. Every radio gets a record in the programming log.\n"
    "Exit status 1: a radio or a port failed, or a verify found a difference (the other "
    "radios are still written); 2: a usage or file error, or the plan has errors and --force "
    "was not given (no radio touched).",
    false };

namespace {

int usageError(const QString &why)
{
    return cli::UsageError(cli::kWrite, why);
}

/// The --json summary: {"radios": [{"port", "result", "backup", "error"}]}.
void PrintJsonSummary(const std::vector<RadioProgramming> &done)
{
    QJsonArray radios;
    for (const RadioProgramming &d : done) {
        radios.append(QJsonObject { { QStringLiteral("port"), d.record.port },
            { QStringLiteral("result"), d.record.result },
            { QStringLiteral("backup"), d.record.backupFile },
            { QStringLiteral("error"), d.record.error } });
    }
    std::fputs(QJsonDocument(QJsonObject { { QStringLiteral("radios"), radios } })
                   .toJson(QJsonDocument::Indented)
                   .constData(),
        stdout);
    std::fflush(stdout);
}

/// Every radio at once, one thread each; 0 when all were written and verified, else 1.
int WriteSeveral(const QStringList &ports, const QString &input, const MemoryImage &image,
    const RadioWriteOptions &options, int retries, const QString &logPath, bool json)
{
    // Program.ini and the adapter list are read here, before any thread starts.
    std::vector<ProgrammingRecord> begun;
    for (const QString &port : ports)
        begun.push_back(BeginProgrammingRecord(port, input, image, OperatorName()));
    // Holds Ctrl+C for all the radios; it draws no bar of its own.
    CConsoleTransferUi interrupts(LanguageText("Write Data", "写数据"), 0, 0);
    std::mutex printLock;
    std::vector<RadioProgramming> done(ports.size());
    std::vector<std::thread> threads;
    for (int i = 0; i < ports.size(); ++i) {
        threads.emplace_back([&, i] {
            cli::PortTransferUi ui(ports.at(i), retries, printLock);
            done[i] = cli::RunOneRadio(begun[i], image, options, ui, logPath, &printLock);
            std::lock_guard<std::mutex> lock(printLock);
            std::fprintf(stderr, "%s\n", qPrintable(cli::ResultLine(done[i])));
            std::fflush(stderr);
        });
    }
    for (std::thread &t : threads)
        t.join();
    int ok = 0;
    for (const RadioProgramming &d : done)
        ok += d.record.result == QLatin1String(logresult::Ok) ? 1 : 0;
    std::fprintf(stderr, "%s\n",
        qPrintable(LanguageText(
            "%1 of %2 radios written and checked.", "%2 台对讲机中 %1 台已写入并校验。")
                       .arg(ok)
                       .arg(ports.size())));
    if (json)
        PrintJsonSummary(done);
    return ok == ports.size() ? 0 : 1;
}

} // namespace

int RunWrite(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("COM1 to COM4 (see the ports command) or a device path such as "
                       "/dev/ttyUSB0."),
        QStringLiteral("PORT"));
    const QCommandLineOption retriesOption(QStringLiteral("retries"),
        QStringLiteral("Start a failed session again, up to N times in all (default 0)."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption backupDirOption(QStringLiteral("backup-dir"),
        QStringLiteral("Keep the backup of the radio in DIR instead of the backups folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption noBackupOption(QStringLiteral("no-backup"),
        QStringLiteral("Do not read and keep the radio's memory before writing."));
    const QCommandLineOption noVerifyOption(QStringLiteral("no-verify"),
        QStringLiteral("Do not read the radio back after writing to verify it."));
    const QCommandLineOption singleReadOption(QStringLiteral("single-read"),
        QStringLiteral("Take the backup with one read instead of two compared."));
    const QCommandLineOption logOption(QStringLiteral("log"),
        QStringLiteral("Add the records to FILE instead of the programming log."),
        QStringLiteral("FILE"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
        QStringLiteral("Print a summary of every radio as JSON on stdout."));
    const QCommandLineOption regionOption = cli::RegionOption();
    const QCommandLineOption forceOption = cli::ForceOption();
    parser.addOptions({ portOption, retriesOption, backupDirOption, noBackupOption, noVerifyOption,
        singleReadOption, logOption, jsonOption, regionOption, forceOption });
    parser.addPositionalArgument(
        QStringLiteral("FILE.dat"), QStringLiteral("The image to write into the radio."));
    if (const int status = cli::ParseCommand(parser, cli::kWrite, args); status != cli::kGoOn)
        return status;
    const QStringList ports = parser.values(portOption);
    const QString port = ports.value(0);
    bool ok = false;
    const int retries = parser.value(retriesOption).toInt(&ok);
    if (!ok || retries < 0)
        return usageError(QStringLiteral("--retries needs a number of 0 or more"));
    if (port.isEmpty())
        return usageError(QStringLiteral("--port is missing"));
    for (int i = 0; i < ports.size(); ++i) {
        if (ports.at(i).trimmed().isEmpty())
            return usageError(QStringLiteral("--port needs a port name"));
        // Two threads on one port would each find the other holding it.
        if (ports.indexOf(ports.at(i)) != i)
            return usageError(QStringLiteral("--port %1 is given twice").arg(ports.at(i)));
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(QStringLiteral("FILE.dat is missing"));
    if (files.size() > 1)
        return usageError(QStringLiteral("unexpected argument %1").arg(files.at(1)));
    if (parser.isSet(noBackupOption) && parser.isSet(backupDirOption))
        return usageError(QStringLiteral("--backup-dir and --no-backup exclude each other"));
    const QString input = files.constFirst();
    PlanRegion region = PlanRegion::None;
    if (const int status = cli::ChosenRegion(parser, cli::kWrite, &region); status != cli::kGoOn)
        return status;

    CProgramDoc doc;
    QString error;
    if (!doc.OnOpenDocument(input, &error)) {
        std::fprintf(stderr, "radioprog-cli write: %s\n", qPrintable(error));
        return 2;
    }
    RadioWriteOptions options;
    options.backup = !parser.isSet(noBackupOption);
    options.verify = !parser.isSet(noVerifyOption);
    options.readTwice = !parser.isSet(singleReadOption);
    options.backupFolder
        = parser.isSet(backupDirOption) ? parser.value(backupDirOption) : DefaultBackupFolder();
    // Found out before the radio is put into programming mode, not after the backup read.
    if (options.backup && cli::CheckBackupFolder("write", options.backupFolder) != 0)
        return 2;
    if (cli::CheckPlanBeforeWrite("write", doc.m_image, region, parser.isSet(forceOption)) != 0)
        return 2;

    const QString logPath
        = parser.isSet(logOption) ? parser.value(logOption) : DefaultProgrammingLogPath();
    const bool json = parser.isSet(jsonOption);
    if (ports.size() > 1)
        return WriteSeveral(ports, input, doc.m_image, options, retries, logPath, json);

    RadioProgramming done;
    {
        const ProgrammingRecord begun
            = BeginProgrammingRecord(port, input, doc.m_image, OperatorName());
        CConsoleTransferUi ui(
            LanguageText("Write Data", "写数据"), RadioWriteProgressSteps(options), retries);
        done = cli::RunOneRadio(begun, doc.m_image, options, ui, logPath);
    }
    if (json)
        PrintJsonSummary({ done });
    const RadioWriteReport &report = done.report;
    if (!report.backupPath.isEmpty())
        std::fprintf(stderr, "%s\n",
            qPrintable(LanguageText("Backup of the radio: %1", "对讲机备份：%1")
                           .arg(QDir::toNativeSeparators(report.backupPath))));
    const QString message = RadioWriteMessage(report, CurrentLanguage());
    if (!message.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(message));
    if (report.outcome == TransferOutcome::Cancelled)
        std::fprintf(stderr, "Cancelled.\n");
    if (report.stage == RadioWriteStage::BackupSave)
        return 2;
    if (report.outcome != TransferOutcome::Succeeded)
        return 1;
    std::fprintf(stderr, "Wrote %s into the radio on %s%s\n", qPrintable(input), qPrintable(port),
        options.verify ? " and checked it" : "");
    // The verify cannot see what no read fetches: say so rather than claim it.
    if (options.verify)
        std::fprintf(stderr, "%s\n", qPrintable(UnverifiedBytesNote(CurrentLanguage())));
    return 0;
}
