// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-channel operations on the image: insert, delete, move and clear.
// Records move as their 16 bytes (preserved bits included) together with
// their scan-add bits, and the Priority Channel number follows its channel.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"

#include <QString>

/// What a channel operation did.
struct ChannelOpResult
{
    bool done = false; ///< False: refused, image unchanged.
    MemoryImage image; ///< The image after the operation.
    QString undoText; ///< Names the step ("Delete Channel 3").
    QString message; ///< Why it was refused, or what else changed (for the status bar).
};

/// Inserts an empty channel at n (1..16); channels n..15 move down. Refused when 16 is in use.
ChannelOpResult InsertChannel(const MemoryImage &image, int n, Language lang);
/// Deletes channel n (1..16); channels below move up and 16 becomes empty.
ChannelOpResult DeleteChannel(const MemoryImage &image, int n, Language lang);
/// Swaps channel n with channel n + delta (delta −1 up, +1 down); refused at the ends.
ChannelOpResult MoveChannel(const MemoryImage &image, int n, int delta, Language lang);
/// Empties channel n in place (the grid's rule for an emptied Rx cell).
ChannelOpResult ClearChannel(const MemoryImage &image, int n, Language lang);

/// When `after` empties the channel that a Fixed priority names (used in `before`), sets
/// Priority to None in `after`, appends the reason to undoText and sets message; true then.
bool ReleaseEmptiedPriority(const MemoryImage &before, MemoryImage &after, Language lang,
    QString *undoText, QString *message);

/// The bytes of an empty channel record as this program writes one.
void SetEmptyRecord(MemoryImage &image, int n);
