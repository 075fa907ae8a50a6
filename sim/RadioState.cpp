// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/RadioState.h"

#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/image/SettingsArea.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kProgramRequest[8] = { 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M' };
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kRead = 'R';
constexpr std::uint8_t kWrite = 'W';

} // namespace

CRadioState::CRadioState(const MemoryImage &memory, RadioFaults faults)
    : m_memory(memory)
    , m_faults(faults)
{
}

void CRadioState::reset()
{
    if (m_state == State::Dead)
        return;
    m_state = State::Idle;
    m_windowFill = 0;
    m_argCount = 0;
    m_data.clear();
}

bool CRadioState::inCloneMode() const
{
    switch (m_state) {
    case State::Command:
    case State::ReadArgs:
    case State::AwaitReadConfirm:
    case State::WriteArgs:
    case State::WriteData:
        return true;
    default:
        return false;
    }
}

bool CRadioState::programRequestSeen(std::uint8_t byte)
{
    if (m_windowFill == 8) {
        std::copy(m_window + 1, m_window + 8, m_window);
        m_windowFill = 7;
    }
    m_window[m_windowFill++] = byte;
    return m_windowFill == 8 && std::equal(m_window, m_window + 8, kProgramRequest);
}

RadioReply CRadioState::answer(std::vector<std::uint8_t> bytes, int delayMs)
{
    RadioReply reply;
    if (m_faults.silent)
        return reply;
    if (m_faults.garbage) {
        for (std::uint8_t &b : bytes) {
            // Never a valid acknowledgement.
            b = noise();
            if (b == kAck)
                b = 0xA5;
        }
    }
    reply.bytes = std::move(bytes);
    reply.delayMs = delayMs;
    return reply;
}

std::uint8_t CRadioState::noise()
{
    // xorshift: the same noise on every run, different in each answer.
    m_noise ^= m_noise << 13;
    m_noise ^= m_noise >> 17;
    m_noise ^= m_noise << 5;
    return static_cast<std::uint8_t>(m_noise & 0xFF);
}

bool CRadioState::garbles(int address) const
{
    return address == m_faults.garbleAt
        && std::find(m_faults.garbleSessions.begin(), m_faults.garbleSessions.end(), m_sessions)
        != m_faults.garbleSessions.end();
}

RadioReply CRadioState::receive(std::uint8_t byte)
{
    if (m_state == State::Dead)
        return {};
    // Payload bytes are data, never part of a new program request.
    if (m_state == State::WriteData) {
        m_data.push_back(byte);
        return static_cast<int>(m_data.size()) >= m_length ? writeComplete() : RadioReply {};
    }
    if (programRequestSeen(byte)) {
        m_state = State::AwaitIdentRequest;
        m_windowFill = 0;
        return answer({ kAck });
    }
    switch (m_state) {
    case State::Idle:
    case State::Stalled:
    case State::Dead:
    case State::WriteData:
        return {};
    case State::AwaitIdentRequest:
        if (byte != kStx) {
            m_state = State::Idle;
            return {};
        }
        m_state = State::AwaitConfirm;
        return answer(std::vector<std::uint8_t>(m_memory.data() + mem::IdentificationBlock,
            m_memory.data() + mem::IdentificationBlock + 8));
    case State::AwaitConfirm:
        if (byte != kAck) {
            m_state = State::Idle;
            return {};
        }
        if (m_faults.badHandshakeAck) {
            m_state = State::Idle;
            return answer({ Nak }, HandshakeAckDelayMs);
        }
        m_state = State::Command;
        ++m_sessions;
        return answer({ kAck }, HandshakeAckDelayMs);
    case State::AwaitReadConfirm:
        if (byte == kAck) {
            m_state = State::Command;
            return answer({ m_faults.nakAt == m_address ? Nak : kAck });
        }
        m_state = State::Command;
        return startCommand(byte);
    case State::Command:
        return startCommand(byte);
    case State::ReadArgs:
    case State::WriteArgs:
        m_args[m_argCount++] = byte;
        return m_argCount == 3 ? requestComplete() : RadioReply {};
    }
    return {};
}

RadioReply CRadioState::startCommand(std::uint8_t byte)
{
    // 0x02 is no command: a new client is starting over with a program request.
    if (byte == kStx) {
        m_state = State::Idle;
        return {};
    }
    if (byte == kRead || byte == kWrite) {
        m_command = byte;
        m_argCount = 0;
        m_state = byte == kRead ? State::ReadArgs : State::WriteArgs;
    }
    return {};
}

RadioReply CRadioState::requestComplete()
{
    m_address = m_args[0] * 256 + m_args[1];
    m_length = m_args[2];
    if (m_faults.hangupAt == m_address) {
        m_state = State::Dead;
        RadioReply reply;
        reply.hangup = true;
        return reply;
    }
    if (m_faults.stallAt == m_address) {
        m_state = State::Stalled;
        return {};
    }
    if (m_command == kRead) {
        std::vector<std::uint8_t> bytes = { kWrite, m_args[0], m_args[1], m_args[2] };
        for (int i = 0; i < m_length; ++i)
            bytes.push_back(m_memory.at((m_address + i) % mem::ImageSize));
        if (m_faults.shortAnswerAt == m_address)
            bytes.pop_back();
        if (garbles(m_address)) {
            // Line noise: a whole answer of the right length, its data surely wrong.
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                const std::uint8_t clean = bytes[i];
                bytes[i] = noise();
                if (i >= 4 && bytes[i] == clean)
                    bytes[i] = static_cast<std::uint8_t>(~clean);
            }
        }
        m_state = State::AwaitReadConfirm;
        return answer(std::move(bytes));
    }
    m_data.clear();
    if (m_length == 0)
        return writeComplete();
    m_state = State::WriteData;
    return {};
}

RadioReply CRadioState::writeComplete()
{
    m_state = State::Command;
    if (m_faults.nakAt == m_address)
        return answer({ Nak });
    for (int i = 0; i < static_cast<int>(m_data.size()); ++i) {
        const int at = m_address + i;
        if (at >= mem::ImageSize)
            continue;
        // A failing memory cell: the block is acknowledged, one byte keeps a wrong value.
        m_memory[at] = at == m_faults.corruptAt ? static_cast<std::uint8_t>(~m_data[i]) : m_data[i];
    }
    ++m_blocksWritten;
    if (m_address == mem::WriteLastByte && m_data.size() == 1)
        m_lastByteWritten = true;
    return answer({ kAck });
}

namespace {

struct DemoChannel
{
    int n;
    const char *rx;
    const char *tx;
    const char *decode;
    const char *encode;
    bool high;
    bool wide;
    bool scan;
    BusyLock busy;
    bool compand;
};

std::int64_t units(const char *mhz)
{
    return ParseFrequency(QString::fromLatin1(mhz)).units;
}

} // namespace

MemoryImage DemoRadioImage()
{
    static const DemoChannel channels[] = {
        { 1, "145.150", "145.150", "88.5", "88.5", true, true, true, BusyLock::Off, false },
        { 2, "145.250", "145.250", "D023N", "D023N", true, true, true, BusyLock::Tone, false },
        { 3, "146.520", "146.520", "None", "None", false, true, false, BusyLock::Carrier, false },
        { 4, "147.000", "147.600", "None", "100.0", true, true, true, BusyLock::Off, false },
        { 5, "151.820", "151.820", "67.0", "67.0", false, false, true, BusyLock::Off, true },
        { 6, "154.570", "154.570", "D754I", "D754I", false, false, false, BusyLock::Tone, true },
        { 7, "155.475", "155.475", "156.7", "156.7", true, true, true, BusyLock::Carrier, false },
        { 8, "156.800", "156.800", "None", "None", true, true, false, BusyLock::Off, false },
        { 9, "162.550", "162.550", "None", "None", false, false, true, BusyLock::Off, false },
    };
    MemoryImage image = MemoryImage::defaults();
    for (const DemoChannel &c : channels) {
        ChannelRecord rec = image.channel(c.n);
        rec.setRxBytes(EncodeFrequency(units(c.rx)));
        rec.setTxBytes(EncodeFrequency(units(c.tx)));
        rec.setDecodeTone(EncodeTone(QString::fromLatin1(c.decode)));
        rec.setEncodeTone(EncodeTone(QString::fromLatin1(c.encode)));
        rec.setByte(rec::FlagsA, 0x00);
        rec.setByte(rec::FlagsB, 0x00);
        rec.setPowerHigh(c.high);
        rec.setWide(c.wide);
        rec.setScanAdd(c.scan);
        rec.setBusyLock(c.busy);
        rec.setCompand(c.compand);
    }
    WriteField(image, Field::ProductType, 0);
    WriteField(image, Field::FrequencyBand, 1);
    WriteField(image, Field::SquelchLevel, 5);
    WriteField(image, Field::TimeOutTimer, 8);
    WriteField(image, Field::ScanFunction, 1);
    WriteField(image, Field::Priority, 1);
    WriteField(image, Field::PriorityChannel, 2);
    WriteField(image, Field::RevertChannel, 2);
    WriteField(image, Field::CallTone, 2);
    return image;
}

MemoryImage FreshRadioImage(std::uint32_t seed)
{
    MemoryImage image = DemoRadioImage();
    // Only the channel records differ, so the settings still name a known type and band.
    std::uint32_t x = seed ? seed : 0x9E3779B9u;
    for (int i = 0; i < mem::ChannelCount * mem::RecordSize; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        image[i] = static_cast<std::uint8_t>(x);
    }
    return image;
}
