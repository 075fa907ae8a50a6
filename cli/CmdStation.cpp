// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli station: the programming bench one radio after another. It
// asks for each radio, writes it with backup and verify, logs it and keeps
// the totals; Ctrl+C ends the radio in progress cleanly.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PlanOptions.h"
#include "cli/RadioRun.h"
#include "core/app/Globals.h"
#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "core/link/ConsoleTransferUi.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

const cli::Command cli::kStation = { "station", RunStation,
    "station FILE.dat --port PORT [--port PORT ...] [--count N] [--backup-dir DIR] [--log FILE] "
    "[--region none|us|eu] [--force]",
    "Programs one radio after another with the same image, as a programming bench: asks for "
    "the next radio on each port in turn, writes it with backup and verify, and prints its "
    "result and the running totals. Stops after N radios, on q or at the end of input; "
    "Ctrl+C ends the radio in progress cleanly. Every radio gets a record in the programming "
    "log. The channel plan is checked first, as write does.\nExit status 1: a radio failed; 2: a "
    "usage or file error, or the plan has errors and --force was not given.",
    false };

namespace {

/// One radio of the bench: its messages and steps as lines headed by the port.
class StationUi : public cli::PortTransferUi
{
public:
    using PortTransferUi::PortTransferUi;
    void beginStep(const QString &label) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(label));
        std::fflush(stderr);
    }
};

QString Totals(int programmed, int failed)
{
    return LanguageText("Totals: %1 programmed, %2 failed", "合计：已编程 %1 台，失败 %2 台")
        .arg(programmed)
        .arg(failed);
}

} // namespace

int RunStation(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("A port of the bench (COM1 to COM4 or a device path); give it once per "
                       "cable."),
        QStringLiteral("PORT"));
    const QCommandLineOption countOption(QStringLiteral("count"),
        QStringLiteral("Stop after N radios (default: until q or the end of input)."),
        QStringLiteral("N"));
    const QCommandLineOption backupDirOption(QStringLiteral("backup-dir"),
        QStringLiteral("Keep the backups in DIR instead of the backups folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption logOption(QStringLiteral("log"),
        QStringLiteral("Add the records to FILE instead of the programming log."),
        QStringLiteral("FILE"));
    const QCommandLineOption regionOption = cli::RegionOption();
    const QCommandLineOption forceOption = cli::ForceOption();
    parser.addOptions(
        { portOption, countOption, backupDirOption, logOption, regionOption, forceOption });
    parser.addPositionalArgument(
        QStringLiteral("FILE.dat"), QStringLiteral("The image to write into every radio."));
    if (const int status = cli::ParseCommand(parser, cli::kStation, args); status != cli::kGoOn)
        return status;
    const QStringList ports = parser.values(portOption);
    if (ports.isEmpty())
        return cli::UsageError(cli::kStation, QStringLiteral("--port is missing"));
    int count = 0;
    if (parser.isSet(countOption)) {
        bool ok = false;
        count = parser.value(countOption).toInt(&ok);
        if (!ok || count < 1)
            return cli::UsageError(
                cli::kStation, QStringLiteral("--count needs a number of 1 or more"));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return cli::UsageError(cli::kStation,
            files.isEmpty() ? QStringLiteral("FILE.dat is missing")
                            : QStringLiteral("unexpected argument %1").arg(files.at(1)));
    const QString input = files.constFirst();
    CProgramDoc doc;
    QString error;
    if (!doc.OnOpenDocument(input, &error)) {
        std::fprintf(stderr, "radioprog-cli station: %s\n", qPrintable(error));
        return 2;
    }
    // The bench always backs up and verifies: it is where radios are handed out from.
    RadioWriteOptions options;
    options.backupFolder
        = parser.isSet(backupDirOption) ? parser.value(backupDirOption) : DefaultBackupFolder();
    if (cli::CheckBackupFolder("station", options.backupFolder) != 0)
        return 2;
    PlanRegion region = PlanRegion::None;
    if (const int status = cli::ChosenRegion(parser, cli::kStation, &region); status != cli::kGoOn)
        return status;
    if (cli::CheckPlanBeforeWrite("station", doc.m_image, region, parser.isSet(forceOption)) != 0)
        return 2;
    const QString logPath
        = parser.isSet(logOption) ? parser.value(logOption) : DefaultProgrammingLogPath();

    // Ctrl+C is caught for the whole bench, so the totals are printed at the prompt too.
    CConsoleTransferUi interrupts(LanguageText("Write Data", "写数据"), 0, 0);
    std::mutex printLock;
    int programmed = 0;
    int failed = 0;
    for (int n = 0; count == 0 || n < count; ++n) {
        const QString port = ports.at(n % ports.size());
        std::printf("%s\n",
            qPrintable(LanguageText("Connect the next radio on %1 and press Enter (q to stop)",
                "请在 %1 上连接下一台对讲机并按回车键（输入 q 停止）")
                           .arg(port)));
        std::fflush(stdout);
        char answer[256];
        // A signal interrupts the read (no SA_RESTART) and ends the bench like q.
        if (!std::fgets(answer, sizeof answer, stdin) || CConsoleTransferUi::interruptingSignal())
            break;
        if (QString::fromLocal8Bit(answer).trimmed().compare(
                QLatin1String("q"), Qt::CaseInsensitive)
            == 0)
            break;
        const ProgrammingRecord begun
            = BeginProgrammingRecord(port, input, doc.m_image, OperatorName());
        StationUi ui(port, 0, printLock);
        const RadioProgramming done = cli::RunOneRadio(begun, doc.m_image, options, ui, logPath);
        (done.record.result == QLatin1String(logresult::Ok) ? programmed : failed) += 1;
        std::printf(
            "%s\n%s\n", qPrintable(cli::ResultLine(done)), qPrintable(Totals(programmed, failed)));
        std::fflush(stdout);
        if (CConsoleTransferUi::interruptingSignal())
            break;
    }
    std::printf("%s\n", qPrintable(Totals(programmed, failed)));
    return failed == 0 ? 0 : 1;
}
