// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/RadioWrite.h"
#include "core/app/Language.h"

#include "core/app/StringTable.h"
#include "core/document/BackupStore.h"
#include "core/link/PortProbe.h"

#include <QDateTime>
#include <QDir>

namespace {

/// Labels of the steps in the order they run.
QStringList StepLabels(const RadioWriteOptions &options, Language lang)
{
    QStringList names;
    if (options.backup)
        names << LanguageText(lang, "Backup", "备份");
    names << LanguageText(lang, "Write", "写入");
    if (options.verify)
        names << LanguageText(lang, "Verify", "校验");
    QStringList labels;
    for (int i = 0; i < names.size(); ++i)
        labels << QStringLiteral("%1 %2/%3").arg(names.at(i)).arg(i + 1).arg(names.size());
    return labels;
}

} // namespace

int RadioWriteProgressSteps(const RadioWriteOptions &options)
{
    const int read = TransferProgressSteps(TransferDirection::Read);
    return TransferProgressSteps(TransferDirection::Write) + (options.backup ? read : 0)
        + (options.verify ? read : 0);
}

QList<int> VerifyBlocks(const MemoryImage &image, const MemoryImage &radio)
{
    const ImageScope scope = WrittenAndReadableScope();
    QList<int> blocks = TransferBlockAddresses(TransferDirection::Write);
    blocks.append(mem::WriteLastByte);
    QList<int> bad;
    for (int a : std::as_const(blocks)) {
        const int size = a == mem::WriteLastByte ? 1 : mem::WireBlockSize;
        for (int i = a; i < a + size; ++i) {
            if (scope[i] && image.at(i) != radio.at(i)) {
                bad.append(a);
                break;
            }
        }
    }
    return bad;
}

QString BlockList(const QList<int> &blocks)
{
    QStringList parts;
    for (int a : blocks)
        parts << QStringLiteral("0x%1")
                     .arg(a, 3, 16, QLatin1Char('0'))
                     .toUpper()
                     .replace(QLatin1String("0X"), QLatin1String("0x"));
    return parts.join(QLatin1String(", "));
}

RadioWriteReport RunRadioWrite(CSerialLine &line, const QString &portName, const MemoryImage &image,
    const RadioWriteOptions &options, CTransferUi &ui, Language lang)
{
    RadioWriteReport report;
    if (!OpenTransferLine(line, portName, ui)) {
        report.outcome = TransferOutcome::PortNotOpened;
        return report;
    }
    const QStringList labels = StepLabels(options, lang);
    int step = 0;
    // Each step is a whole session with its own handshake: a radio leaves clone
    // mode between them, and a failure in one leaves the others' results intact.
    auto session = [&](TransferDirection direction, MemoryImage &target) {
        ui.beginStep(labels.at(step++));
        ++report.sessions;
        CCloneSession s(line, ui);
        return direction == TransferDirection::Read ? s.read(target) : s.write(target);
    };
    auto end = [&](RadioWriteStage stage, TransferOutcome outcome) {
        CloseTransferLine(line);
        report.stage = stage;
        report.outcome = outcome;
        return report;
    };

    if (options.backup) {
        // Bytes a read cannot fetch are taken from the image: after the write the
        // radio holds those, so restoring the backup leaves them as they are.
        MemoryImage radio = image;
        const TransferOutcome read = session(TransferDirection::Read, radio);
        if (read != TransferOutcome::Succeeded)
            return end(RadioWriteStage::BackupRead, read);
        const QString folder
            = options.backupFolder.isEmpty() ? DefaultBackupFolder() : options.backupFolder;
        if (!SaveBackup(folder, radio, QDateTime::currentDateTime(), &report.backupPath,
                &report.backupError))
            return end(RadioWriteStage::BackupSave, TransferOutcome::Failed);
        report.changes = CompareImages(radio, image, lang, WrittenAndReadableScope());
        if (!ui.confirmWrite(report.changes))
            return end(RadioWriteStage::Confirm, TransferOutcome::Cancelled);
    }

    MemoryImage sent = image;
    const TransferOutcome written = session(TransferDirection::Write, sent);
    if (written != TransferOutcome::Succeeded)
        return end(RadioWriteStage::Write, written);

    if (options.verify) {
        // Unread bytes start equal to the image, so only what the radio returns can differ.
        MemoryImage back = image;
        const TransferOutcome read = session(TransferDirection::Read, back);
        if (read != TransferOutcome::Succeeded)
            return end(RadioWriteStage::VerifyRead, read);
        report.badBlocks = VerifyBlocks(image, back);
        if (!report.badBlocks.isEmpty())
            return end(RadioWriteStage::Verify, TransferOutcome::Failed);
    }
    return end(RadioWriteStage::Done, TransferOutcome::Succeeded);
}

QString RadioWriteMessage(const RadioWriteReport &report, Language lang)
{
    const QString backup = QDir::toNativeSeparators(report.backupPath);
    const bool cancelled = report.outcome == TransferOutcome::Cancelled;
    auto restore = [&]() {
        return backup.isEmpty()
            ? LanguageText(lang, "Write the radio again.", "请重新写入对讲机。")
            : LanguageText(lang, "Write the radio again, or restore it from the backup %1.",
                "请重新写入对讲机，或用备份 %1 恢复对讲机。")
                  .arg(backup);
    };
    switch (report.stage) {
    case RadioWriteStage::Open:
    case RadioWriteStage::Confirm:
    case RadioWriteStage::Done:
        return QString();
    case RadioWriteStage::BackupRead:
        if (cancelled)
            return QString();
        return LanguageText(lang,
            "The radio could not be read for the backup, so nothing was written to it.",
            "无法读取对讲机以作备份，因此没有向对讲机写入任何数据。");
    case RadioWriteStage::BackupSave:
        return LanguageText(lang,
            "The backup of the radio could not be saved (%1), so nothing was written to it. "
            "Free some disk space or choose another backups folder.",
            "无法保存对讲机备份（%"
            "1），因此没有向对讲机写入任何数据。请释放磁盘空间或选择其他备份文件夹。")
            .arg(report.backupError);
    case RadioWriteStage::Write:
        return (cancelled ? LanguageText(lang,
                    "The write was stopped part way: the radio now holds part of "
                    "the new data.",
                    "写入中途停止：对讲机中现在只有部分新数据。")
                          : LanguageText(lang,
                              "The write did not finish: the radio may now hold part of the "
                              "new data.",
                              "写入未完成：对讲机中可能只有部分新数据。"))
            + QLatin1Char(' ') + restore();
    case RadioWriteStage::VerifyRead:
        return LanguageText(lang,
                   "The radio was written, but it could not be read back for the check, so the "
                   "write is not confirmed. Read the radio to see what it holds.",
                   "对讲机已写入，但无法读回校验，写入未得到确认。请读取对讲机查看其内容。")
            + (backup.isEmpty() ? QString()
                                : QLatin1Char(' ')
                        + LanguageText(lang, "The backup is %1.", "备份文件为 %1。").arg(backup));
    case RadioWriteStage::Verify:
        return LanguageText(lang,
                   "The check after writing found that the radio differs from the file in the "
                   "blocks at %1.",
                   "写入后的校验发现对讲机与文件在以下地址的数据块不一致：%1。")
                   .arg(BlockList(report.badBlocks))
            + QLatin1Char(' ') + restore();
    }
    return QString();
}
