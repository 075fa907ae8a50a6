// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing an image into the radio safely: backup read -> write -> verify,
// each a complete clone session with its own handshake over one open port.
// Talks to the user only through CTransferUi; the caller shows the ending.

#include "core/app/Language.h"
#include "core/document/ImageCompare.h"
#include "core/link/CloneSession.h"
#include "core/link/RadioRead.h"

#include <QList>
#include <QString>

/// What a write does besides writing.
struct RadioWriteOptions
{
    bool backup = true; ///< Read the radio first and save it in backupFolder.
    bool verify = true; ///< Read the radio back afterwards and compare.
    bool readTwice = true; ///< Take the backup as two reads compared (a third where they differ).
    QString backupFolder; ///< Where backups go (DefaultBackupFolder() when empty).
};

/// Where a write ended.
enum class RadioWriteStage {
    Open, ///< The port did not open (61453 was shown).
    BackupRead, ///< The backup read failed or was cancelled: nothing was written.
    BackupSave, ///< The backup could not be saved: nothing was written.
    Confirm, ///< The user declined the changes: nothing was written.
    Write, ///< The write session failed or was cancelled.
    VerifyRead, ///< Written, but the read-back failed or was cancelled.
    Verify, ///< Written and read back twice, but the radio differs (badBlocks, lineBlocks).
    Done, ///< Written (and verified when asked).
};

/// The ending of a write and what the user needs to know about it.
struct RadioWriteReport
{
    TransferOutcome outcome = TransferOutcome::Failed; ///< Succeeded only at Done.
    RadioWriteStage stage = RadioWriteStage::Open; ///< Where it ended.
    QString backupPath; ///< The backup saved, "" without one.
    QString backupError; ///< Why the backup could not be saved (the system's reason).
    QList<ImageDifference> changes; ///< What the write changes in the radio (known with a backup).
    QList<int> badBlocks; ///< Blocks where two agreeing check reads differ from the file.
    QList<int> lineBlocks; ///< Blocks where two check reads of the radio disagreed.
    RadioReadReport backupRead; ///< How the backup read went (blocks a third read decided).
    int sessions = 0; ///< Clone sessions started (handshakes).
    bool verified = false; ///< Done, and a read-back confirmed every byte a read can fetch.
};

/// Progress steps of a write with options: 63 per read session counted at the start, 62 for
/// the write; a third backup read or a second check read adds 63 when it starts.
int RadioWriteProgressSteps(const RadioWriteOptions &options);
/// Wire blocks (8 bytes at address, or the single byte 0x3F0) where radio differs from image
/// in the bytes a write sends and a read fetches.
QList<int> VerifyBlocks(const MemoryImage &image, const MemoryImage &radio);
/// Backup, confirm, write, verify on portName; see RadioWriteReport for the endings.
RadioWriteReport RunRadioWrite(CSerialLine &line, const QString &portName, const MemoryImage &image,
    const RadioWriteOptions &options, CTransferUi &ui, Language lang);
/// The message for an ending that needs one (failures after the port opened, and a success
/// on which the line garbled a read); "" otherwise.
QString RadioWriteMessage(const RadioWriteReport &report, Language lang);
/// "0x100, 0x3F0": block addresses as the messages name them.
QString BlockList(const QList<int> &blocks);
