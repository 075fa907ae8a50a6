// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/MemoryImage.h"

#include "core/image/ChannelRecord.h"

#include <algorithm>

namespace {

struct DefaultByte
{
    int offset;
    std::uint8_t value;
};

// Written on top of the 0xFF fill of a new image.
constexpr DefaultByte kDefaults[] = {
    { 0x000, 0x00 },
    { 0x001, 0x00 },
    { 0x002, 0x00 },
    { 0x008, 0x00 },
    { 0x009, 0x03 },
    { 0x00A, 0x01 },
    { 0x00B, 0x00 },
    { 0x00C, 0x02 },
    { 0x00D, 0x00 },
    { 0x00E, 0x24 },
    { 0x00F, 0x11 },
    { mem::VoiceAnnunciation, 0x01 },
    { mem::TimeOutTimer, 0x04 },
    { mem::TotPreAlert, 0x09 },
    { mem::SquelchLevel, 0x04 },
    { mem::BatterySaver, 0x01 },
    { mem::Beep, 0x01 },
    { mem::VoxGainLevel, 0x05 },
    { mem::VoxDelayTime, 0x02 },
    { mem::Priority, 0x00 },
    { mem::PriorityChannel, 0x11 },
    { mem::LookBackTimeA, 0x09 },
    { mem::LookBackTimeB, 0x15 },
    { mem::DropoutDelayTime, 0x30 },
    { mem::DropoutDelayTime + 1, 0x00 },
    { mem::TxDwellTime, 0x30 },
    { mem::TxDwellTime + 1, 0x00 },
    { mem::ScanAddLow, 0x00 },
    { mem::ScanAddHigh, 0x00 },
    { mem::IdentificationBlock + 0, 0x50 },
    { mem::IdentificationBlock + 1, 0x33 },
    { mem::IdentificationBlock + 2, 0x32 },
    { mem::IdentificationBlock + 3, 0x30 },
    { mem::IdentificationBlock + 4, 0x37 },
    { mem::IdentificationBlock + 5, 0x33 },
    { mem::IdentificationBlock + 6, 0xF0 },
    { mem::IdentificationBlock + 7, 0x01 },
    { mem::CallTone, 0x00 },
};

} // namespace

MemoryImage::MemoryImage()
{
    m_bytes.fill(0xFF);
}

MemoryImage MemoryImage::defaults()
{
    MemoryImage image;
    for (const DefaultByte &d : kDefaults)
        image[d.offset] = d.value;
    return image;
}

bool MemoryImage::fromBytes(const QByteArray &data, MemoryImage *out)
{
    if (data.size() < mem::ImageSize)
        return false;
    std::copy_n(reinterpret_cast<const std::uint8_t *>(data.constData()), mem::ImageSize,
        out->m_bytes.begin());
    return true;
}

void MemoryImage::setWord(int offset, int value)
{
    m_bytes.at(offset) = static_cast<std::uint8_t>(value % 256);
    m_bytes.at(offset + 1) = static_cast<std::uint8_t>((value / 256) & 0xFF);
}

void MemoryImage::setBits(int offset, std::uint8_t mask, std::uint8_t value)
{
    m_bytes.at(offset) = static_cast<std::uint8_t>((m_bytes.at(offset) & ~mask) | (value & mask));
}

QByteArray MemoryImage::toByteArray() const
{
    return QByteArray(reinterpret_cast<const char *>(m_bytes.data()), mem::ImageSize);
}

ChannelRecord MemoryImage::channel(int n)
{
    return ChannelRecord(*this, n);
}

ConstChannelRecord MemoryImage::channel(int n) const
{
    return ConstChannelRecord(*this, n);
}
