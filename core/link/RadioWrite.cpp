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
    return TransferProgressSteps(TransferDirection::Write)
        + (options.backup ? RadioReadProgressSteps(options.readTwice) : 0)
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
        return RunSessionWithRetries(line, ui, direction, target);
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
        report.backupRead
            = ReadRadioChecked(line, ui, radio, options.readTwice, labels.at(step++), lang);
        report.sessions += report.backupRead.sessions;
        if (report.backupRead.outcome != TransferOutcome::Succeeded)
            return end(RadioWriteStage::BackupRead, report.backupRead.outcome);
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
        const QString label = labels.at(step);
        const TransferOutcome read = session(TransferDirection::Read, back);
        if (read != TransferOutcome::Succeeded)
            return end(RadioWriteStage::VerifyRead, read);
        const QList<int> firstBad = VerifyBlocks(image, back);
        if (!firstBad.isEmpty()) {
            // One read alone cannot tell a radio that did not store the data from a line
            // that garbled the answer: a second read decides which.
            ui.addProgressSteps(TransferProgressSteps(TransferDirection::Read));
            ui.beginStep(ReadStepLabel(label, 2, 2, lang));
            ++report.sessions;
            MemoryImage again = image;
            const TransferOutcome reread
                = RunSessionWithRetries(line, ui, TransferDirection::Read, again);
            if (reread != TransferOutcome::Succeeded)
                return end(RadioWriteStage::VerifyRead, reread);
            report.lineBlocks = VerifyBlocks(back, again);
            const QList<int> secondBad = VerifyBlocks(image, again);
            if (secondBad.isEmpty()) {
                // The radio holds the file; only the first answer was garbled.
                report.lineBlocks = firstBad;
                report.verified = true;
                return end(RadioWriteStage::Done, TransferOutcome::Succeeded);
            }
            for (int a : secondBad)
                if (!report.lineBlocks.contains(a))
                    report.badBlocks.append(a);
            return end(RadioWriteStage::Verify, TransferOutcome::Failed);
        }
        report.verified = true;
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
    auto joined = [](QStringList parts) {
        parts.removeAll(QString());
        return parts.join(QLatin1Char(' '));
    };
    switch (report.stage) {
    case RadioWriteStage::Open:
    case RadioWriteStage::Confirm:
        return QString();
    case RadioWriteStage::Done:
        return joined({ RadioReadMessage(report.backupRead, lang),
            report.lineBlocks.isEmpty()
                ? QString()
                : LanguageText(lang,
                    "The first check read differed from the file in the blocks at %1, but a "
                    "second read matched it: the cable or its connection garbled the first "
                    "read, and the radio holds the file. Check the cable before the next "
                    "transfer.",
                    "第一次校验读取在以下地址的数据块与文件不一致：%1，但第二次读取与文件一致："
                    "是数据线或其连接使第一次读取出错，对讲机中已是文件的数据。"
                    "请在下次传输前检查数据线。")
                      .arg(BlockList(report.lineBlocks)) });
    case RadioWriteStage::BackupRead:
        if (cancelled)
            return QString();
        return joined({ LanguageText(lang,
                            "The radio could not be read for the backup, so nothing was "
                            "written to it.",
                            "无法读取对讲机以作备份，因此没有向对讲机写入任何数据。"),
            report.backupRead.undecided.isEmpty() ? QString()
                                                  : RadioReadMessage(report.backupRead, lang) });
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
        return joined({ report.badBlocks.isEmpty()
                ? QString()
                : LanguageText(lang,
                    "The check after writing found that the radio differs from the file in the "
                    "blocks at %1. Two reads of the radio agree on this, so the radio did not "
                    "store what was written.",
                    "写入后的校验发现对讲机与文件在以下地址的数据块不一致：%1。"
                    "两次读取结果一致，说明对讲机没有存入所写的数据。")
                      .arg(BlockList(report.badBlocks)),
            report.lineBlocks.isEmpty()
                ? QString()
                : LanguageText(lang,
                    "Two check reads of the radio disagreed in the blocks at %1: the cable or its "
                    "connection garbled them, so the write could not be confirmed there. Check "
                    "the cable, then read the radio to see what it holds.",
                    "两次校验读取在以下地址的数据块互不一致：%1：数据线或其连接使数据出错，"
                    "因此无法确认这些数据块已写入。请检查数据线，然后读取对讲机查看其内容。")
                      .arg(BlockList(report.lineBlocks)),
            restore() });
    }
    return QString();
}
