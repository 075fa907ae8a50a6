// SPDX-License-Identifier: GPL-3.0-or-later
// Each read is a whole session with its own handshake, so that a fault on the
// line in one session cannot be repeated identically in the next.
#include "core/link/RadioRead.h"

#include "core/link/RadioWrite.h"
#include "core/link/ReadConsensus.h"

QString ReadStepLabel(const QString &label, int n, int of, Language lang)
{
    if (label.isEmpty())
        return LanguageText(lang, "Read %1/%2", "读取 %1/%2").arg(n).arg(of);
    return LanguageText(lang, "%1, read %2/%3", "%1，读取 %2/%3").arg(label).arg(n).arg(of);
}

int RadioReadProgressSteps(bool readTwice)
{
    return TransferProgressSteps(TransferDirection::Read) * (readTwice ? 2 : 1);
}

TransferOutcome RunSessionWithRetries(
    CSerialLine &line, CTransferUi &ui, TransferDirection direction, MemoryImage &image)
{
    for (;;) {
        CCloneSession session(line, ui);
        const TransferOutcome outcome
            = direction == TransferDirection::Read ? session.read(image) : session.write(image);
        if (outcome != TransferOutcome::Failed || !ui.retryAfterFailure())
            return outcome;
    }
}

RadioReadReport ReadRadioChecked(CSerialLine &line, CTransferUi &ui, MemoryImage &image,
    bool readTwice, const QString &label, Language lang)
{
    RadioReadReport report;
    QList<MemoryImage> reads;
    auto readOnce = [&](int n, int of) {
        if (readTwice)
            ui.beginStep(ReadStepLabel(label, n, of, lang));
        else if (!label.isEmpty())
            ui.beginStep(label);
        ++report.sessions;
        MemoryImage staged = image;
        const TransferOutcome outcome
            = RunSessionWithRetries(line, ui, TransferDirection::Read, staged);
        if (outcome == TransferOutcome::Succeeded)
            reads.append(staged);
        return outcome;
    };

    const int wanted = readTwice ? 2 : 1;
    for (int n = 1; n <= wanted; ++n) {
        report.outcome = readOnce(n, wanted);
        if (report.outcome != TransferOutcome::Succeeded)
            return report;
    }
    ReadVote vote = VoteOnReads(reads);
    if (!vote.agreed) {
        report.disputed = vote.disputed;
        ui.addProgressSteps(TransferProgressSteps(TransferDirection::Read));
        report.outcome = readOnce(3, 3);
        if (report.outcome != TransferOutcome::Succeeded)
            return report;
        vote = VoteOnReads(reads);
        if (!vote.agreed) {
            report.undecided = vote.undecided;
            report.outcome = TransferOutcome::Failed;
            return report;
        }
    }
    CommitReadRanges(vote.image, image);
    return report;
}

RadioReadReport RunRadioRead(CSerialLine &line, const QString &portName, MemoryImage &image,
    bool readTwice, CTransferUi &ui, Language lang)
{
    if (!OpenTransferLine(line, portName, ui)) {
        RadioReadReport report;
        report.outcome = TransferOutcome::PortNotOpened;
        return report;
    }
    const RadioReadReport report = ReadRadioChecked(line, ui, image, readTwice, QString(), lang);
    CloseTransferLine(line);
    return report;
}

QString RadioReadMessage(const RadioReadReport &report, Language lang)
{
    if (!report.undecided.isEmpty())
        return LanguageText(lang,
            "The radio was read three times and no two reads agreed in the blocks at %1, so "
            "nothing read can be trusted. The cable or its connection garbles the data: check "
            "the plugs at both ends, keep the cable away from transmitters and motors, or try "
            "another cable, then read again.",
            "对讲机读取了三次，但以下地址的数据块没有任何两次一致：%1，因此读到的数据不可信。"
            "数据线或其连接使数据出错：请检查两端插头，让数据线远离发射机和电机，或更换数据线，"
            "然后重新读取。")
            .arg(BlockList(report.undecided));
    if (report.outcome == TransferOutcome::Succeeded && !report.disputed.isEmpty())
        return LanguageText(lang,
            "The two reads of the radio differed in the blocks at %1; a third read decided "
            "them. The cable or its connection is unreliable: check it before the next "
            "transfer.",
            "两次读取的对讲机数据在以下地址的数据块不一致：%1；已由第三次读取裁定。"
            "数据线或其连接不可靠：请在下次传输前检查。")
            .arg(BlockList(report.disputed));
    return QString();
}

QString UnverifiedBytesNote(Language lang)
{
    return LanguageText(lang,
        "The 16 bytes at 0x3C0 to 0x3CF could not be verified: the radio never sends them back.",
        "地址 0x3C0 至 0x3CF 的 16 个字节无法校验：对讲机从不回传这些字节。");
}
