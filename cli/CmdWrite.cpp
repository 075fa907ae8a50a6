// radioprog-cli write: a .dat file into the radio, by the same procedure as
// Program > Write.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "doc/ProgramDoc.h"
#include "link/CloneSession.h"
#include "link/ConsoleTransferUi.h"
#include "link/PosixSerialLine.h"
#include "shell/Globals.h"

#include <cstdio>

namespace {

const char kUsage[] = "write --port PORT FILE.dat [--retries N]";

int usageError(const QString &why)
{
    return cli::UsageError(QStringLiteral("write"), QString::fromLatin1(kUsage), why);
}

} // namespace

int RunWrite(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a .dat file into the radio, as Program > Write does.\n"
                       "Exit status 1: the radio or the port failed."));
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("COM1 to COM4 (see the ports command) or a device path such as "
                       "/dev/ttyUSB0."),
        QStringLiteral("PORT"));
    const QCommandLineOption retriesOption(QStringLiteral("retries"),
        QStringLiteral("Start again up to N times after a failure (default 0)."),
        QStringLiteral("N"));
    parser.addOption(portOption);
    parser.addOption(retriesOption);
    parser.addPositionalArgument(
        QStringLiteral("FILE.dat"), QStringLiteral("The image to write into the radio."));
    if (const int status
        = cli::ParseCommand(parser, QStringLiteral("write"), QString::fromLatin1(kUsage), args);
        status != cli::kGoOn)
        return status;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QStringLiteral("unexpected argument %1").arg(files.at(1)));
    const QString port = parser.value(portOption);
    const QString input = files.value(0);
    int retries = 0;
    if (parser.isSet(retriesOption)) {
        bool ok = false;
        retries = parser.value(retriesOption).toInt(&ok);
        if (!ok || retries < 0)
            return usageError(QStringLiteral("--retries needs a number of 0 or more"));
    }
    if (port.isEmpty())
        return usageError(QStringLiteral("--port is missing"));
    if (input.isEmpty())
        return usageError(QStringLiteral("FILE.dat is missing"));

    CProgramDoc doc;
    QString error;
    if (!doc.OnOpenDocument(input, &error)) {
        std::fprintf(stderr, "radioprog-cli write: %s\n", qPrintable(error));
        return 2;
    }
    MemoryImage image = doc.m_image;
    TransferOutcome outcome;
    {
        CPosixSerialLine line;
        CConsoleTransferUi ui(
            Tr2("Write Data", "写数据"), TransferProgressSteps(TransferDirection::Write), retries);
        outcome = RunTransfer(line, port, TransferDirection::Write, image, ui);
    }
    if (outcome == TransferOutcome::Cancelled)
        std::fprintf(stderr, "Cancelled.\n");
    if (outcome != TransferOutcome::Succeeded)
        return 1;
    std::fprintf(stderr, "Wrote %s into the radio on %s\n", qPrintable(input), qPrintable(port));
    return 0;
}
