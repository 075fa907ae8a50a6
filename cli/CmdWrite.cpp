// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli write: a .dat file into the radio, by the same procedure as
// Program > Write: backup read, write, verify.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "core/link/ConsoleTransferUi.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/RadioWrite.h"
#include "core/plan/ChannelPlanCheck.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

const cli::Command cli::kWrite = { "write", RunWrite,
    "write --port PORT FILE.dat [--retries N] [--backup-dir DIR] [--no-backup] "
    "[--no-verify] [--region none|us|eu] [--force]",
    "Writes a .dat file into the radio, as Program > Write does: first a backup read of the "
    "radio into the backups folder, then the write, then a read-back that verifies it.\n"
    "The channel plan is checked first (as the check command does): its errors and warnings "
    "go to stderr, and errors stop the write unless --force is given.\n"
    "Exit status 1: the radio or the port failed, or the verify found a difference; 2: a "
    "usage or file error, or the plan has errors and --force was not given.",
    false };

namespace {

int usageError(const QString &why)
{
    return cli::UsageError(cli::kWrite, why);
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
        QStringLiteral("Start again up to N times after a failure (default 0)."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption backupDirOption(QStringLiteral("backup-dir"),
        QStringLiteral("Keep the backup of the radio in DIR instead of the backups folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption noBackupOption(QStringLiteral("no-backup"),
        QStringLiteral("Do not read and keep the radio's memory before writing."));
    const QCommandLineOption noVerifyOption(QStringLiteral("no-verify"),
        QStringLiteral("Do not read the radio back after writing to verify it."));
    const QCommandLineOption regionOption(QStringLiteral("region"),
        QStringLiteral("Region whose frequency rules the plan check applies: none, us or eu "
                       "(default: the region of Setup > Options)."),
        QStringLiteral("none|us|eu"));
    const QCommandLineOption forceOption(
        QStringLiteral("force"), QStringLiteral("Write even when the plan check finds errors."));
    parser.addOptions({ portOption, retriesOption, backupDirOption, noBackupOption, noVerifyOption,
        regionOption, forceOption });
    parser.addPositionalArgument(
        QStringLiteral("FILE.dat"), QStringLiteral("The image to write into the radio."));
    if (const int status = cli::ParseCommand(parser, cli::kWrite, args); status != cli::kGoOn)
        return status;
    const QString port = parser.value(portOption);
    bool ok = false;
    const int retries = parser.value(retriesOption).toInt(&ok);
    if (!ok || retries < 0)
        return usageError(QStringLiteral("--retries needs a number of 0 or more"));
    if (port.isEmpty())
        return usageError(QStringLiteral("--port is missing"));
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(QStringLiteral("FILE.dat is missing"));
    if (files.size() > 1)
        return usageError(QStringLiteral("unexpected argument %1").arg(files.at(1)));
    if (parser.isSet(noBackupOption) && parser.isSet(backupDirOption))
        return usageError(QStringLiteral("--backup-dir and --no-backup exclude each other"));
    const QString input = files.constFirst();
    PlanRegion region = LoadPlanRegion();
    if (parser.isSet(regionOption) && !RegionFromCode(parser.value(regionOption), &region))
        return usageError(QStringLiteral("--region must be none, us or eu, not %1")
                              .arg(parser.value(regionOption)));

    CProgramDoc doc;
    QString error;
    if (!doc.OnOpenDocument(input, &error)) {
        std::fprintf(stderr, "radioprog-cli write: %s\n", qPrintable(error));
        return 2;
    }
    RadioWriteOptions options;
    options.backup = !parser.isSet(noBackupOption);
    options.verify = !parser.isSet(noVerifyOption);
    options.backupFolder
        = parser.isSet(backupDirOption) ? parser.value(backupDirOption) : DefaultBackupFolder();
    // Found out before the radio is put into programming mode, not after the backup read.
    if (options.backup) {
        const QFileInfo folder(options.backupFolder);
        if (!QDir().mkpath(options.backupFolder) || !folder.isDir() || !folder.isWritable()) {
            std::fprintf(stderr, "radioprog-cli write: cannot write backups into %s\n",
                qPrintable(QDir::toNativeSeparators(options.backupFolder)));
            return 2;
        }
    }

    // Checked before the port is touched: a plan with errors must not reach a radio by accident.
    const WriteCheck check = CheckBeforeWrite(doc.m_image, region);
    if (!check.findings.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(WriteCheckText(check, CurrentLanguage())));
    if (check.hasErrors && !parser.isSet(forceOption)) {
        std::fprintf(stderr, "%s\n",
            qPrintable(LanguageText("radioprog-cli write: the channel plan has errors; nothing "
                                    "was written. Correct them, or write anyway with --force.",
                "radioprog-cli write：信道规划有错误，未写入。请更正，或用 --force 强制写入。")));
        return 2;
    }
    RadioWriteReport report;
    {
        CPosixSerialLine line;
        CConsoleTransferUi ui(
            LanguageText("Write Data", "写数据"), RadioWriteProgressSteps(options), retries);
        report = RunRadioWrite(line, port, doc.m_image, options, ui, CurrentLanguage());
    }
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
    return 0;
}
