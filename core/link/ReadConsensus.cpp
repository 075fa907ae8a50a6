// SPDX-License-Identifier: GPL-3.0-or-later
// The majority rule of the double read, block by block over the read ranges.
#include "core/link/ReadConsensus.h"

#include "core/link/CloneSession.h"

#include <algorithm>

namespace {

bool SameBlock(const MemoryImage &a, const MemoryImage &b, int address)
{
    return std::equal(
        a.data() + address, a.data() + address + mem::WireBlockSize, b.data() + address);
}

} // namespace

QList<int> DifferingReadBlocks(const MemoryImage &a, const MemoryImage &b)
{
    QList<int> out;
    for (int address : TransferBlockAddresses(TransferDirection::Read))
        if (!SameBlock(a, b, address))
            out.append(address);
    return out;
}

ReadVote VoteOnReads(const QList<MemoryImage> &reads)
{
    ReadVote vote;
    if (reads.isEmpty())
        return vote;
    vote.image = reads.constFirst();
    for (int address : TransferBlockAddresses(TransferDirection::Read)) {
        // The first read whose block another later read repeats wins; with two reads
        // that needs both equal, with three any pair will do.
        int winner = -1;
        bool allEqual = true;
        for (int i = 0; i < reads.size(); ++i) {
            for (int j = i + 1; j < reads.size(); ++j) {
                const bool same = SameBlock(reads.at(i), reads.at(j), address);
                allEqual = allEqual && same;
                if (same && winner < 0)
                    winner = i;
            }
        }
        if (reads.size() == 1)
            winner = 0;
        if (!allEqual)
            vote.disputed.append(address);
        if (winner < 0) {
            vote.undecided.append(address);
            continue;
        }
        std::copy_n(
            reads.at(winner).data() + address, mem::WireBlockSize, vote.image.data() + address);
    }
    vote.agreed = vote.undecided.isEmpty();
    return vote;
}
