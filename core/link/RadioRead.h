// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the radio so that the result can be trusted: two complete sessions
// compared, a third to decide where they differ. Program > Read, the command
// line's read and the backup before a write all read through here.

#include "core/app/Language.h"
#include "core/link/CloneSession.h"

#include <QList>
#include <QString>

/// How a checked read ended.
struct RadioReadReport
{
    TransferOutcome outcome = TransferOutcome::Failed; ///< Succeeded when the image can be used.
    QList<int> disputed; ///< Blocks the first two reads differed in (a third read was taken).
    QList<int> undecided; ///< Blocks no two reads agreed on: the read failed.
    int sessions = 0; ///< Read sessions started (handshakes).
};

/// "Read 2/2", or "Backup 1/3, read 2/2" when the read is part of the step label.
QString ReadStepLabel(const QString &label, int n, int of, Language lang);
/// Progress steps of a read taken once or twice (63 or 126); a third read adds 63 when it starts.
int RadioReadProgressSteps(bool readTwice);
/// Runs one clone session; after a failure starts it again as long as ui.retryAfterFailure().
TransferOutcome RunSessionWithRetries(
    CSerialLine &line, CTransferUi &ui, TransferDirection direction, MemoryImage &image);
/// Reads the radio over an open line, once or twice and compared (a third read decides where
/// they differ). On success image holds the agreed read ranges, its other bytes untouched;
/// otherwise image is unchanged. label names the step in a longer procedure ("" for none).
RadioReadReport ReadRadioChecked(CSerialLine &line, CTransferUi &ui, MemoryImage &image,
    bool readTwice, const QString &label, Language lang);
/// Program > Read on a port: open (61453 with the reason on failure), checked read, close.
RadioReadReport RunRadioRead(CSerialLine &line, const QString &portName, MemoryImage &image,
    bool readTwice, CTransferUi &ui, Language lang);
/// Why the reads could not be trusted, or which blocks a third read decided; "" otherwise.
QString RadioReadMessage(const RadioReadReport &report, Language lang);
/// The bytes a write sends but no read fetches, so that no check can confirm them.
QString UnverifiedBytesNote(Language lang);
