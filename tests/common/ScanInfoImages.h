// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scan settings a radio's memory may hold, for "open Scan Information and press
// OK": the odd ones (codes outside the lists, times outside 0.5 ... 5.0, erased
// FF bytes) as well as the usual ones.

#include "core/image/ChannelRecord.h"
#include "core/image/MemoryImage.h"
#include "core/image/MemoryMap.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace testing {

/// One image: a name and the nine bytes 0x160 ... 0x168.
struct ScanInfoImage
{
    const char *name;
    QByteArray scanBytes; ///< Priority, channel, look back A, B, revert, dropout, dwell.
    bool priorityChannelUsable = true; ///< Fixed priority names a channel with a frequency.
};

/// The table; every image has a frequency in channels 1 and 3 only.
inline QList<ScanInfoImage> ScanInfoImages()
{
    return {
        { "usual values", QByteArray::fromHex("0011080eff30003000") },
        { "priority None, all FF", QByteArray::fromHex("00ffffffffffffffff") },
        { "priority None, look back 00 and 5C", QByteArray::fromHex("0001005c012c012c01") },
        { "priority None, look back FF 00", QByteArray::fromHex("0003ff00ff30003000") },
        { "Fixed channel 1, odd codes", QByteArray::fromHex("0101005cff2d012d01") },
        { "Fixed channel 3, look back 01 05 0A", QByteArray::fromHex("010301050a01000000") },
        { "Fixed channel 3, all FF after", QByteArray::fromHex("0103ffffffffffffff") },
        { "Selected, revert 3", QByteArray::fromHex("0211080e0330003000") },
        { "Selected, revert 1 outside its list", QByteArray::fromHex("0200fa0b0164006400") },
        { "priority 07, revert 07", QByteArray::fromHex("0707121207ffff0000") },
        { "priority FF, all FF", QByteArray::fromHex("ffffffffffffffffff") },
        { "all 00", QByteArray::fromHex("000000000000000000") },
        { "Fixed channel 2 (empty) refused", QByteArray::fromHex("0102080eff30003000"), false },
        { "Fixed channel 0 refused", QByteArray::fromHex("0100080e0130003000"), false },
        { "Fixed channel 99 refused", QByteArray::fromHex("0163080e0130003000"), false },
    };
}

/// A new image with channels 1 and 3 programmed and the scan bytes of row.
inline MemoryImage ScanInfoImageOf(const ScanInfoImage &row)
{
    MemoryImage image = MemoryImage::defaults();
    image.channel(1).setRxBytes({ 0x00, 0x25, 0x51, 0x14 });
    image.channel(3).setRxBytes({ 0x00, 0x50, 0x62, 0x46 });
    for (int i = 0; i < row.scanBytes.size(); ++i)
        image[mem::Priority + i] = static_cast<std::uint8_t>(row.scanBytes.at(i));
    return image;
}

} // namespace testing
