// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

/// The stored 2-byte QT/DQT value of a channel (low byte first in the record).
///  high 0x00/0xFF: no tone (written FF FF)
///  high 0x28/0x29: digital code, normal; 0xA8/0xA9: inverted
///                  (low byte + bit 0 of high = the code's 9-bit octal value)
///  any other high: analogue tone in tenths of a hertz (high × 256 + low)
struct ToneWord
{
    std::uint8_t low = 0xFF; ///< Record byte +8 / +10.
    std::uint8_t high = 0xFF; ///< Record byte +9 / +11.

    /// The 16-bit value high × 256 + low.
    int value() const { return high * 256 + low; }
    bool operator==(const ToneWord &o) const { return low == o.low && high == o.high; }
    bool operator!=(const ToneWord &o) const { return !(*this == o); }
};
