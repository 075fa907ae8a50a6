// radioprog-cli write: a .dat file into the radio, by the same procedure as
// Program > Write.
#include "cli/Commands.h"
#include "doc/ProgramDoc.h"
#include "link/CloneSession.h"
#include "link/ConsoleTransferUi.h"
#include "link/PosixSerialLine.h"
#include "shell/Globals.h"

#include <cstdio>

namespace {

int usageError(const QString &why)
{
    std::fprintf(stderr,
        "radioprog-cli write: %s\nusage: radioprog-cli write --port PORT FILE.dat "
        "[--retries N]\n",
        qPrintable(why));
    return 2;
}

} // namespace

int RunWrite(const QStringList &args)
{
    QString port;
    QString input;
    int retries = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if ((a == QLatin1String("--port") || a == QLatin1String("--retries")) && !hasValue)
            return usageError(QStringLiteral("%1 needs a value").arg(a));
        if (a == QLatin1String("--port")) {
            port = args.at(++i);
        } else if (a == QLatin1String("--retries")) {
            bool ok = false;
            retries = args.at(++i).toInt(&ok);
            if (!ok || retries < 0)
                return usageError(QStringLiteral("--retries needs a number of 0 or more"));
        } else if (a.startsWith(QLatin1Char('-')) || !input.isEmpty()) {
            return usageError(QStringLiteral("unexpected argument %1").arg(a));
        } else {
            input = a;
        }
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
