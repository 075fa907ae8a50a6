// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel record n (1..16), 16 bytes at image offset 16 × n:
//
//  +0  +1  +2  +3 │ Rx frequency: packed BCD of 10 Hz units, least significant
//                 │ pair first (145.125 MHz = 00 25 51 14); FF FF FF FF = none
//  +4  +5  +6  +7 │ Tx frequency, as Rx
//  +8  +9         │ QT/DQT decode tone word (low, high)
//  +10 +11        │ QT/DQT encode tone word (low, high)
//  +12            │ flags A: bit 5 compand, bits 4-3 busy lock (00 off,
//                 │ 01 carrier, 10 QT/DQT, 11 read as QT/DQT); rest carried
//  +13            │ flags B: bit 5 power (1 high), bit 4 bandwidth (1 wide); rest carried
//  +14 +15        │ carried, never changed
//
// The scan-add bit of the channel lives outside the record: bit n-1 of 0x17E
// for channels 1..8, bit n-9 of 0x17F for channels 9..16.

#include "core/image/MemoryImage.h"
#include "core/image/ToneWord.h"

#include <array>
#include <cstdint>

/// Four packed-decimal frequency bytes, +0 (least significant pair) first.
using FrequencyBytes = std::array<std::uint8_t, 4>;

namespace rec {
constexpr int Rx = 0; ///< Rx frequency, 4 bytes.
constexpr int Tx = 4; ///< Tx frequency, 4 bytes.
constexpr int DecodeTone = 8; ///< Decode tone word, 2 bytes.
constexpr int EncodeTone = 10; ///< Encode tone word, 2 bytes.
constexpr int FlagsA = 12; ///< Compand and busy lock.
constexpr int FlagsB = 13; ///< Power and bandwidth.
constexpr int Spare = 14; ///< Two carried bytes.

constexpr std::uint8_t CompandBit = 0x20; ///< Flags A bit 5.
constexpr std::uint8_t BusyLockMask = 0x18; ///< Flags A bits 4-3.
constexpr int BusyLockShift = 3;
constexpr std::uint8_t PowerBit = 0x20; ///< Flags B bit 5.
constexpr std::uint8_t WideBit = 0x10; ///< Flags B bit 4.
} // namespace rec

/// Busy lock codes of flags A bits 4-3.
enum class BusyLock : std::uint8_t { Off = 0, Carrier = 1, Tone = 2, ToneAlt = 3 };

/// Read-only view of one channel record inside an image.
class ConstChannelRecord
{
public:
    /// View of channel n (1..16) of image.
    ConstChannelRecord(const MemoryImage &image, int n)
        : m_image(&image)
        , m_n(n)
    {
    }

    /// Channel number 1..16.
    int number() const { return m_n; }
    /// Image offset of the record.
    int offset() const { return mem::channelOffset(m_n); }
    /// Record byte at +i.
    std::uint8_t byte(int i) const { return m_image->at(offset() + i); }

    /// Rx frequency bytes +0..+3.
    FrequencyBytes rxBytes() const { return frequencyAt(rec::Rx); }
    /// Tx frequency bytes +4..+7.
    FrequencyBytes txBytes() const { return frequencyAt(rec::Tx); }
    /// Decode tone word +8, +9.
    ToneWord decodeTone() const { return { byte(rec::DecodeTone), byte(rec::DecodeTone + 1) }; }
    /// Encode tone word +10, +11.
    ToneWord encodeTone() const { return { byte(rec::EncodeTone), byte(rec::EncodeTone + 1) }; }
    /// Flags A byte.
    std::uint8_t flagsA() const { return byte(rec::FlagsA); }
    /// Flags B byte.
    std::uint8_t flagsB() const { return byte(rec::FlagsB); }

    /// Empty unless both +3 and +7 are neither 0x00 nor 0xFF.
    bool isEmpty() const { return !isMsbSet(byte(rec::Rx + 3)) || !isMsbSet(byte(rec::Tx + 3)); }
    /// True when a most significant frequency byte marks a frequency (not 0x00, not 0xFF).
    static bool isMsbSet(std::uint8_t b) { return b != 0x00 && b != 0xFF; }

    /// Compand on (flags A bit 5).
    bool compand() const { return flagsA() & rec::CompandBit; }
    /// Busy lock code 0..3 (flags A bits 4-3).
    BusyLock busyLock() const
    {
        return static_cast<BusyLock>((flagsA() & rec::BusyLockMask) >> rec::BusyLockShift);
    }
    /// High power (flags B bit 5).
    bool powerHigh() const { return flagsB() & rec::PowerBit; }
    /// Wide bandwidth (flags B bit 4).
    bool wide() const { return flagsB() & rec::WideBit; }
    /// Scan-add bit of this channel in 0x17E / 0x17F.
    bool scanAdd() const { return m_image->at(scanAddOffset()) & scanAddMask(); }

    /// Offset of the byte holding this channel's scan-add bit.
    int scanAddOffset() const { return m_n <= 8 ? mem::ScanAddLow : mem::ScanAddHigh; }
    /// Mask of this channel's scan-add bit.
    std::uint8_t scanAddMask() const { return static_cast<std::uint8_t>(1u << ((m_n - 1) % 8)); }

private:
    FrequencyBytes frequencyAt(int i) const
    {
        return { byte(i), byte(i + 1), byte(i + 2), byte(i + 3) };
    }

    const MemoryImage *m_image;
    int m_n;
};

/// Writable view of one channel record inside an image.
class ChannelRecord : public ConstChannelRecord
{
public:
    /// View of channel n (1..16) of image.
    ChannelRecord(MemoryImage &image, int n)
        : ConstChannelRecord(image, n)
        , m_w(&image)
    {
    }

    /// Sets record byte +i.
    void setByte(int i, std::uint8_t v) { (*m_w)[offset() + i] = v; }
    /// Stores the Rx frequency bytes.
    void setRxBytes(const FrequencyBytes &b) { setFrequencyAt(rec::Rx, b); }
    /// Stores the Tx frequency bytes.
    void setTxBytes(const FrequencyBytes &b) { setFrequencyAt(rec::Tx, b); }
    /// Stores the decode tone word.
    void setDecodeTone(ToneWord t)
    {
        setByte(rec::DecodeTone, t.low), setByte(rec::DecodeTone + 1, t.high);
    }
    /// Stores the encode tone word.
    void setEncodeTone(ToneWord t)
    {
        setByte(rec::EncodeTone, t.low), setByte(rec::EncodeTone + 1, t.high);
    }
    /// Sets or clears compand, keeping the other bits of flags A.
    void setCompand(bool on)
    {
        m_w->setBits(offset() + rec::FlagsA, rec::CompandBit, on ? rec::CompandBit : 0);
    }
    /// Stores the busy lock code, keeping the other bits of flags A.
    void setBusyLock(BusyLock b)
    {
        m_w->setBits(offset() + rec::FlagsA, rec::BusyLockMask,
            static_cast<std::uint8_t>(static_cast<int>(b) << rec::BusyLockShift));
    }
    /// Sets high or low power, keeping the other bits of flags B.
    void setPowerHigh(bool high)
    {
        m_w->setBits(offset() + rec::FlagsB, rec::PowerBit, high ? rec::PowerBit : 0);
    }
    /// Sets wide or narrow, keeping the other bits of flags B.
    void setWide(bool wide)
    {
        m_w->setBits(offset() + rec::FlagsB, rec::WideBit, wide ? rec::WideBit : 0);
    }
    /// Sets or clears this channel's scan-add bit.
    void setScanAdd(bool on)
    {
        m_w->setBits(scanAddOffset(), scanAddMask(), on ? scanAddMask() : 0);
    }

private:
    void setFrequencyAt(int i, const FrequencyBytes &b)
    {
        for (int k = 0; k < 4; ++k)
            setByte(i + k, b[k]);
    }

    MemoryImage *m_w;
};
