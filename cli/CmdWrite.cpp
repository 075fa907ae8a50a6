// radioprog-cli write: a .dat file into the radio, by the same procedure as
// Program > Write: backup read, write, verify.
#include "cli/Commands.h"
#include "doc/BackupStore.h"
#include "doc/ProgramDoc.h"
#include "link/ConsoleTransferUi.h"
#include "link/PosixSerialLine.h"
#include "link/RadioWrite.h"
#include "shell/Globals.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

const char kUsage[] = "usage: radioprog-cli write --port PORT FILE.dat [--retries N] "
                      "[--backup-dir DIR] [--no-backup] [--no-verify]\n";

int usageError(const QString &why)
{
    std::fprintf(stderr, "radioprog-cli write: %s\n%s", qPrintable(why), kUsage);
    return 2;
}

} // namespace

int RunWrite(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption portOption(QStringLiteral("port"), QString(), QStringLiteral("PORT"));
    const QCommandLineOption retriesOption(
        QStringLiteral("retries"), QString(), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption backupDirOption(
        QStringLiteral("backup-dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption noBackupOption(QStringLiteral("no-backup"));
    const QCommandLineOption noVerifyOption(QStringLiteral("no-verify"));
    parser.addOptions(
        { portOption, retriesOption, backupDirOption, noBackupOption, noVerifyOption });
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QString());
    if (!parser.parse(QStringList { QStringLiteral("radioprog-cli") } + args))
        return usageError(parser.errorText());
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

    RadioWriteReport report;
    {
        CPosixSerialLine line;
        CConsoleTransferUi ui(
            Tr2("Write Data", "写数据"), RadioWriteProgressSteps(options), retries);
        report = RunRadioWrite(line, port, doc.m_image, options, ui, CurrentLanguage());
    }
    if (!report.backupPath.isEmpty())
        std::fprintf(stderr, "%s\n",
            qPrintable(Tr2("Backup of the radio: %1", "对讲机备份：%1")
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
