// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli read: the radio's memory into a .dat file, by the same
// procedure as Program > Read.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/document/FileWrite.h"
#include "core/document/ProgramDoc.h"
#include "core/link/ConsoleTransferUi.h"
#include "core/link/PosixSerialLine.h"
#include "core/link/RadioRead.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cstdio>

const cli::Command cli::kRead = { "read", RunRead,
    "read --port PORT -o FILE.dat [--retries N] [--single-read]",
    "Reads the radio's memory into a .dat file, as Program > Read does: twice, compared, with a "
    "third read deciding where the two differ.\n"
    "A failed or cancelled read writes no file. Exit status 1: the radio or the port failed, or "
    "no two reads agreed.",
    false };

namespace {

int usageError(const QString &why)
{
    return cli::UsageError(cli::kRead, why);
}

/// Saves the image just read under the temporary folder; the sentence that says where.
QString SaveReadImageElsewhere(CProgramDoc &doc)
{
    QTemporaryFile spare(QDir::tempPath() + QStringLiteral("/radioprog-read-XXXXXX.dat"));
    spare.setAutoRemove(false);
    QString error;
    if (spare.open()) {
        spare.close();
        if (doc.OnSaveDocument(spare.fileName(), &error))
            return QStringLiteral("The image read from the radio was saved as %1 instead.")
                .arg(spare.fileName());
        QFile::remove(spare.fileName());
    } else {
        error = spare.errorString();
    }
    return QStringLiteral("The image read from the radio could not be kept either: %1").arg(error);
}

} // namespace

int RunRead(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("COM1 to COM4 (see the ports command) or a device path such as "
                       "/dev/ttyUSB0."),
        QStringLiteral("PORT"));
    const QCommandLineOption outputOption({ QStringLiteral("o"), QStringLiteral("output") },
        QStringLiteral("The .dat file to write."), QStringLiteral("FILE.dat"));
    const QCommandLineOption retriesOption(QStringLiteral("retries"),
        QStringLiteral("Start a failed session again, up to N times in all (default 0)."),
        QStringLiteral("N"));
    const QCommandLineOption singleReadOption(QStringLiteral("single-read"),
        QStringLiteral("Read the radio once instead of twice and compared."));
    parser.addOption(portOption);
    parser.addOption(outputOption);
    parser.addOption(retriesOption);
    parser.addOption(singleReadOption);
    if (const int status = cli::ParseCommand(parser, cli::kRead, args); status != cli::kGoOn)
        return status;
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    const QString port = parser.value(portOption);
    const QString output = parser.value(outputOption);
    int retries = 0;
    if (parser.isSet(retriesOption)) {
        bool ok = false;
        retries = parser.value(retriesOption).toInt(&ok);
        if (!ok || retries < 0)
            return usageError(QStringLiteral("--retries needs a number of 0 or more"));
    }
    if (port.isEmpty())
        return usageError(QStringLiteral("--port is missing"));
    if (output.isEmpty())
        return usageError(QStringLiteral("-o FILE.dat is missing"));
    // Found out before the radio is put into programming mode, not after a whole read:
    // the folder, the file itself and the room on the disk.
    QString reason;
    if (!filewrite::CheckWritable(output, mem::ImageSize, &reason)) {
        std::fprintf(stderr, "radioprog-cli read: cannot write %s: %s\n", qPrintable(output),
            qPrintable(reason));
        return 2;
    }

    // The radio's memory lands on a new document, as in the program's usual start.
    CProgramDoc doc;
    doc.OnNewDocument();
    MemoryImage staged = doc.m_image;
    const bool twice = !parser.isSet(singleReadOption);
    RadioReadReport report;
    {
        CPosixSerialLine line;
        CConsoleTransferUi ui(
            LanguageText("Read Data", "读数据"), RadioReadProgressSteps(twice), retries);
        report = RunRadioRead(line, port, staged, twice, ui, CurrentLanguage());
    }
    const QString message = RadioReadMessage(report, CurrentLanguage());
    if (!message.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(message));
    if (report.outcome == TransferOutcome::Cancelled)
        std::fprintf(stderr, "Cancelled.\n");
    if (report.outcome != TransferOutcome::Succeeded)
        return 1;

    CommitReadRanges(staged, doc.m_image);
    g_bNewImage = 0;
    QString error;
    if (!doc.OnSaveDocument(output, &error)) {
        // The radio's data is not thrown away with the failed file.
        std::fprintf(stderr, "radioprog-cli read: %s\n%s\n", qPrintable(error),
            qPrintable(SaveReadImageElsewhere(doc)));
        return 2;
    }
    std::fprintf(stderr, "Read %d bytes from %s into %s%s\n",
        (mem::ReadFirstEnd - mem::ReadFirstBegin + 1)
            + (mem::ReadSecondEnd - mem::ReadSecondBegin + 1),
        qPrintable(port), qPrintable(output),
        twice ? (report.disputed.isEmpty() ? " (read twice, both reads agree)"
                                           : " (read three times, decided by majority)")
              : "");
    return 0;
}
