// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The protocol carries no checksum, so a read is trusted only when another
// complete read of the radio returns the same bytes; where two reads differ, a
// third decides block by block. This is the rule alone, without the line.

#include "core/image/MemoryImage.h"

#include <QList>

/// What complete reads of one radio agree on.
struct ReadVote
{
    bool agreed = false; ///< True when every read block has a value at least two reads share.
    MemoryImage image; ///< The agreed bytes in the read ranges (the first read elsewhere).
    QList<int> disputed; ///< Read blocks where not all reads were equal, ascending.
    QList<int> undecided; ///< Read blocks where no two reads agree, ascending.
};

/// Read blocks (8 bytes from each address) where a and b differ in the bytes a read fetches.
QList<int> DifferingReadBlocks(const MemoryImage &a, const MemoryImage &b);
/// Decides between one to three reads: one read stands alone; two must agree in every block;
/// of three, each block takes the value two of them share.
ReadVote VoteOnReads(const QList<MemoryImage> &reads);
