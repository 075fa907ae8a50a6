// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's side of the clone protocol as plain code: bytes in, answers out.
// The pseudo-terminal and the timing live in main.cpp; this decides only what
// the radio says to each byte it receives.

#include "core/image/MemoryImage.h"

#include <cstdint>
#include <vector>

/// Misbehaviours a test can ask of the virtual radio; -1 means off.
struct RadioFaults
{
    bool silent = false; ///< Never answers.
    bool badHandshakeAck = false; ///< Answers the handshake confirm with 0x15.
    bool garbage = false; ///< Every answer byte replaced by noise (never 0x06).
    int shortAnswerAt = -1; ///< Read answer at this address has 11 bytes.
    int nakAt = -1; ///< Block at this address acknowledged with 0x15.
    int stallAt = -1; ///< No answer from the request at this address on.
    int hangupAt = -1; ///< The line goes dead at the request at this address.
    int corruptAt = -1; ///< A write covering this address is acknowledged but stores it wrong.
    int garbleAt = -1; ///< The read answer at this address is 12 bytes of noise...
    std::vector<int> garbleSessions { 1 }; ///< ...in these sessions (1 = first handshake).
};

/// What the radio does after one received byte.
struct RadioReply
{
    std::vector<std::uint8_t> bytes; ///< Bytes to send, in order.
    int delayMs = 0; ///< Time the radio takes before it answers.
    bool hangup = false; ///< The radio drops the line.
};

/// The radio's protocol state machine and its 1024-byte memory.
class CRadioState
{
public:
    /// A radio holding memory, misbehaving as faults say.
    explicit CRadioState(const MemoryImage &memory, RadioFaults faults = {});

    /// Handles one received byte; whatever arrives, the answer is well formed.
    RadioReply receive(std::uint8_t byte);
    /// Forgets any half-finished exchange (a client went away).
    void reset();
    /// Changes the misbehaviours from the next byte on.
    void setFaults(const RadioFaults &faults) { m_faults = faults; }

    /// The radio's memory.
    const MemoryImage &memory() const { return m_memory; }
    /// True once a handshake completed, until reset or a new program request.
    bool inCloneMode() const;
    /// Number of write blocks stored since construction.
    int blocksWritten() const { return m_blocksWritten; }
    /// Handshakes completed since construction: the number of the running session.
    int sessions() const { return m_sessions; }
    /// True once the single byte at 0x3F0, the end of a whole write, was stored.
    bool lastByteWritten() const { return m_lastByteWritten; }

    /// Time the radio takes to acknowledge the handshake confirm.
    static constexpr int HandshakeAckDelayMs = 20;
    /// The radio's negative acknowledgement.
    static constexpr std::uint8_t Nak = 0x15;

private:
    enum class State {
        Idle,
        AwaitIdentRequest,
        AwaitConfirm,
        Command,
        ReadArgs,
        AwaitReadConfirm,
        WriteArgs,
        WriteData,
        Stalled,
        Dead,
    };

    RadioReply answer(std::vector<std::uint8_t> bytes, int delayMs = 0);
    std::uint8_t noise();
    bool garbles(int address) const;
    RadioReply startCommand(std::uint8_t byte);
    RadioReply requestComplete();
    RadioReply writeComplete();
    bool programRequestSeen(std::uint8_t byte);

    MemoryImage m_memory;
    RadioFaults m_faults;
    State m_state = State::Idle;
    std::uint8_t m_window[8] = {};
    int m_windowFill = 0;
    std::uint8_t m_command = 0;
    std::uint8_t m_args[3] = {};
    int m_argCount = 0;
    std::vector<std::uint8_t> m_data;
    int m_address = 0;
    int m_length = 0;
    std::uint32_t m_noise = 0x2545F491u;
    int m_blocksWritten = 0;
    int m_sessions = 0;
    bool m_lastByteWritten = false;
};

/// A believable programmed radio: VHF channels with tones, scan adds, mixed power.
MemoryImage DemoRadioImage();
/// The demo radio with channel memory of its own, made from seed: the next radio on a bench.
MemoryImage FreshRadioImage(std::uint32_t seed);
