// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RadioRun.h"

#include "core/document/FolderWrite.h"

#include <QDir>

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/link/ConsoleTransferUi.h"
#include "core/link/PosixSerialLine.h"

#include <QDir>
#include <chrono>
#include <thread>

namespace cli {

PortTransferUi::PortTransferUi(const QString &port, int retries, std::mutex &printLock)
    : m_port(port)
    , m_retriesLeft(retries)
    , m_printLock(printLock)
{
}

MessageAnswer PortTransferUi::showMessage(int stringId)
{
    return showMessageWithReason(stringId, QString());
}

MessageAnswer PortTransferUi::showMessageWithReason(int stringId, const QString &reason)
{
    const bool retry = stringId == ids::CommError && m_retriesLeft > 0;
    {
        std::lock_guard<std::mutex> lock(m_printLock);
        QString line = QStringLiteral("%1: %2").arg(m_port, LoadString(stringId));
        if (!reason.isEmpty())
            line += QLatin1Char(' ') + QString(reason).replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::fprintf(stderr, "%s%s\n", qPrintable(line), retry ? " Retrying..." : "");
        std::fflush(stderr);
    }
    if (stringId != ids::CommError)
        return MessageAnswer::Ok;
    if (!retry)
        return MessageAnswer::Cancel;
    --m_retriesLeft;
    return MessageAnswer::Retry;
}

bool PortTransferUi::pumpAndTest(int passes, int waitMs)
{
    for (int i = 0; i < passes; ++i) {
        if (isCancelled())
            return true;
        if (waitMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    }
    return isCancelled();
}

bool PortTransferUi::isCancelled()
{
    return CConsoleTransferUi::interruptingSignal() != 0;
}

RadioProgramming RunOneRadio(const ProgrammingRecord &begun, const MemoryImage &image,
    const RadioWriteOptions &options, CTransferUi &ui, const QString &logPath,
    std::mutex *printLock)
{
    CPosixSerialLine line;
    RadioProgramming done = ProgramRadio(line, begun, image, options, ui, CurrentLanguage());
    QString error;
    if (!AppendProgrammingRecord(logPath, done.record, &error)) {
        std::unique_lock<std::mutex> lock;
        if (printLock)
            lock = std::unique_lock<std::mutex>(*printLock);
        // The radio's result stands; only the record is missing, and the user must know.
        std::fprintf(stderr, "%s\n",
            qPrintable(LanguageText("The programming log could not be written (%1); the "
                                    "radio's result is not affected.",
                "无法写入编程记录（%1）；对讲机的结果不受影响。")
                           .arg(error)));
    }
    return done;
}

QString ResultLine(const RadioProgramming &done)
{
    const ProgrammingRecord &r = done.record;
    QString line = QStringLiteral("%1: %2").arg(r.port, r.result);
    if (!r.backupFile.isEmpty())
        line += QStringLiteral(", backup %1").arg(QDir::toNativeSeparators(r.backupFile));
    if (!r.error.isEmpty())
        line += QStringLiteral(": %1").arg(
            QString(r.error).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return line;
}

int CheckBackupFolder(const char *command, const QString &folder)
{
    // Tried for real, so that a read-only mount or a file in the way is told as such.
    QString why;
    if (filewrite::CheckFolderWritable(folder, &why))
        return 0;
    std::fprintf(stderr, "radioprog-cli %s: cannot write backups into %s: %s\n", command,
        qPrintable(QDir::toNativeSeparators(folder)), qPrintable(why));
    return 2;
}

} // namespace cli
