// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the clone procedure asks of the window (or terminal) that watches it.
// In the program the procedure runs on a worker thread (see TransferJob.h),
// whose face turns every call into a signal on the window's thread; the
// terminal's face answers on the spot.

#include "core/document/ImageCompare.h"

#include <QList>
#include <QString>

/// Answer to a message of the transfer.
enum class MessageAnswer { Ok, Retry, Cancel };

/// The face of a running transfer: messages, progress and the cancel test.
class CTransferUi
{
public:
    virtual ~CTransferUi() = default;

    /// Shows string stringId of the string table; 61451 offers Retry and Cancel, the rest OK.
    virtual MessageAnswer showMessage(int stringId) = 0;
    /// Advances the progress one step and shows the new position.
    virtual void stepProgress() = 0;
    /// Runs passes of event handling, each ending with the cancel test and waitMs of sleep.
    /// True as soon as the cancel flag is seen.
    virtual bool pumpAndTest(int passes, int waitMs) = 0;
    /// True once the user asked to stop; tested often by the line's waits, so it must be cheap.
    virtual bool isCancelled() { return false; }
    /// Shows string stringId with reason (why it happened and how to fix it) beneath it.
    virtual MessageAnswer showMessageWithReason(int stringId, const QString &reason)
    {
        Q_UNUSED(reason);
        return showMessage(stringId);
    }
    /// A procedure of several sessions starts its next one, labelled like "Backup 1/3";
    /// the progress runs on over all of them.
    virtual void beginStep(const QString &label) { (void)label; }
    /// A session not counted at the start is needed (a third read): the progress grows by steps.
    virtual void addProgressSteps(int steps) { (void)steps; }
    /// A session failed (its message shown): true to start it again, false to give up.
    virtual bool retryAfterFailure() { return false; }
    /// Shows what a write is about to change in the radio (empty: nothing); true to write.
    virtual bool confirmWrite(const QList<ImageDifference> &changes)
    {
        (void)changes;
        return true;
    }
};
