// radioprog-cli read: the radio's memory into a .dat file, by the same
// procedure as Program > Read.
#include "cli/Commands.h"
#include "doc/FileWrite.h"
#include "doc/ProgramDoc.h"
#include "link/CloneSession.h"
#include "link/ConsoleTransferUi.h"
#include "link/PosixSerialLine.h"
#include "shell/Globals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cstdio>

namespace {

int usageError(const QString &why)
{
    std::fprintf(stderr,
        "radioprog-cli read: %s\nusage: radioprog-cli read --port PORT -o FILE.dat "
        "[--retries N]\n",
        qPrintable(why));
    return 2;
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
    QString port;
    QString output;
    int retries = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if ((a == QLatin1String("--port") || a == QLatin1String("-o")
                || a == QLatin1String("--output") || a == QLatin1String("--retries"))
            && !hasValue)
            return usageError(QStringLiteral("%1 needs a value").arg(a));
        if (a == QLatin1String("--port")) {
            port = args.at(++i);
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            output = args.at(++i);
        } else if (a == QLatin1String("--retries")) {
            bool ok = false;
            retries = args.at(++i).toInt(&ok);
            if (!ok || retries < 0)
                return usageError(QStringLiteral("--retries needs a number of 0 or more"));
        } else {
            return usageError(QStringLiteral("unexpected argument %1").arg(a));
        }
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
    TransferOutcome outcome;
    {
        CPosixSerialLine line;
        CConsoleTransferUi ui(
            Tr2("Read Data", "读数据"), TransferProgressSteps(TransferDirection::Read), retries);
        outcome = RunTransfer(line, port, TransferDirection::Read, staged, ui);
    }
    if (outcome == TransferOutcome::Cancelled)
        std::fprintf(stderr, "Cancelled.\n");
    if (outcome != TransferOutcome::Succeeded)
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
    std::fprintf(stderr, "Read %d bytes from %s into %s\n",
        (mem::ReadFirstEnd - mem::ReadFirstBegin + 1)
            + (mem::ReadSecondEnd - mem::ReadSecondBegin + 1),
        qPrintable(port), qPrintable(output));
    return 0;
}
