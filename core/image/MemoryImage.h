// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/MemoryMap.h"

#include <QByteArray>
#include <array>
#include <cstdint>

class ChannelRecord;
class ConstChannelRecord;

/// The radio's configuration memory: exactly 1024 bytes, a value type.
class MemoryImage
{
public:
    /// All bytes 0xFF (every channel empty, no defaults set).
    MemoryImage();

    /// The image of a new document: 0xFF, then the new-image defaults.
    static MemoryImage defaults();
    /// Builds an image from the first 1024 bytes of data; false when data is shorter.
    static bool fromBytes(const QByteArray &data, MemoryImage *out);

    /// The byte at an image offset (0..1023).
    std::uint8_t at(int offset) const { return m_bytes.at(offset); }
    /// Writable byte at an image offset (0..1023).
    std::uint8_t &operator[](int offset) { return m_bytes.at(offset); }
    /// Read-only byte at an image offset (0..1023).
    std::uint8_t operator[](int offset) const { return m_bytes.at(offset); }

    /// 16-bit little-endian value at offset, offset + 1.
    int word(int offset) const { return at(offset) | (at(offset + 1) << 8); }
    /// Stores a 16-bit value little-endian at offset, offset + 1.
    void setWord(int offset, int value);

    /// Replaces bits of mask at offset with value (already shifted), keeping the rest.
    void setBits(int offset, std::uint8_t mask, std::uint8_t value);

    /// Raw bytes, 1024 of them.
    const std::uint8_t *data() const { return m_bytes.data(); }
    /// Raw writable bytes, 1024 of them.
    std::uint8_t *data() { return m_bytes.data(); }
    /// The image as a QByteArray of 1024 bytes (the .dat form).
    QByteArray toByteArray() const;

    /// View of channel n (1..16).
    ChannelRecord channel(int n);
    /// Read-only view of channel n (1..16).
    ConstChannelRecord channel(int n) const;

    bool operator==(const MemoryImage &o) const { return m_bytes == o.m_bytes; }
    bool operator!=(const MemoryImage &o) const { return m_bytes != o.m_bytes; }

private:
    std::array<std::uint8_t, mem::ImageSize> m_bytes;
};
