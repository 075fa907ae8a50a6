// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/CloneSession.h"

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/link/PortDiagnosis.h"
#include "core/link/PortProbe.h"

#include <algorithm>

namespace {

void appendRange(QVector<int> &out, int first, int last)
{
    for (int a = first; a <= last; a += mem::WireBlockSize)
        out.append(a);
}

std::uint8_t highByte(int address)
{
    return static_cast<std::uint8_t>((address >> 8) & 0xFF);
}
std::uint8_t lowByte(int address)
{
    return static_cast<std::uint8_t>(address & 0xFF);
}

} // namespace

QVector<int> TransferBlockAddresses(TransferDirection direction)
{
    QVector<int> out;
    if (direction == TransferDirection::Read) {
        appendRange(out, mem::ReadFirstBegin, mem::ReadFirstEnd);
        appendRange(out, mem::ReadSecondBegin, mem::ReadSecondEnd);
    } else {
        appendRange(out, mem::WriteFirstBegin, mem::WriteFirstEnd);
        appendRange(out, mem::WriteSecondBegin, mem::WriteSecondEnd);
    }
    return out;
}

int TransferProgressSteps(TransferDirection direction)
{
    const bool read = direction == TransferDirection::Read;
    const int bytes = read ? (mem::ReadFirstEnd - mem::ReadFirstBegin + 1)
            + (mem::ReadSecondEnd - mem::ReadSecondBegin + 1)
                           : (mem::WriteFirstEnd - mem::WriteFirstBegin + 1)
            + (mem::WriteSecondEnd - mem::WriteSecondBegin + 1);
    return bytes / mem::BlockSize;
}

void CommitReadRanges(const MemoryImage &staged, MemoryImage &image)
{
    for (int a : TransferBlockAddresses(TransferDirection::Read))
        std::copy_n(staged.data() + a, mem::WireBlockSize, image.data() + a);
}

CCloneSession::Ack CCloneSession::readAck()
{
    std::uint8_t b = 0;
    const LineReadResult r = m_line.read(&b, 1);
    if (r.cancelled)
        return Ack::Cancelled;
    return r.ok && r.count == 1 && b == wire::Ack ? Ack::Arrived : Ack::Missing;
}

TransferOutcome CCloneSession::interrupted()
{
    // A wait the user cut short is a cancel, never a fault to report.
    if (m_ui.isCancelled())
        return TransferOutcome::Cancelled;
    m_ui.showMessage(ids::ProgramInterrupt);
    return TransferOutcome::Failed;
}

CCloneSession::Handshake CCloneSession::handshake()
{
    int n = 1;
    for (;;) {
        if (m_ui.pumpAndTest(6, 1))
            return Handshake::Cancelled;
        m_line.fullPurge();
        for (std::uint8_t b : wire::ProgramRequest) {
            m_line.wait(2);
            m_line.clearBuffers();
            m_line.writeByte(b);
        }
        bool prompt = false;
        std::uint8_t answer = 0;
        const LineReadResult programAnswer = m_line.read(&answer, 1);
        if (programAnswer.cancelled)
            return Handshake::Cancelled;
        if (!programAnswer.ok) {
            // Only a failing line counts here; a silent radio goes on to the next step.
            m_line.wait(2);
            ++n;
            if (n <= wire::MaxStep4Attempts)
                continue;
            prompt = true;
        }
        if (!prompt) {
            m_line.wait(1);
            m_line.clearBuffers();
            m_line.writeByte(wire::Stx);
            m_line.wait(1);
            std::uint8_t identification[wire::IdentificationSize];
            const LineReadResult id = m_line.read(identification, wire::IdentificationSize);
            if (id.cancelled)
                return Handshake::Cancelled;
            if (!id.ok) {
                prompt = true;
            } else {
                m_line.clearBuffers();
                m_line.writeByte(wire::Ack);
                m_line.clearBuffers();
                m_line.wait(1);
                const Ack ack = readAck();
                if (ack == Ack::Arrived)
                    return Handshake::Done;
                if (ack == Ack::Cancelled)
                    return Handshake::Cancelled;
                if (n > wire::AckFailureLimit) {
                    m_ui.showMessage(ids::ProgramInterrupt);
                    return Handshake::Failed;
                }
                ++n;
                prompt = true;
            }
        }
        if (m_ui.showMessage(ids::CommError) != MessageAnswer::Retry)
            return Handshake::Failed;
        n = 1;
    }
}

std::optional<TransferOutcome> CCloneSession::handshakeOutcome(Handshake h)
{
    switch (h) {
    case Handshake::Cancelled:
        return TransferOutcome::Cancelled;
    case Handshake::Failed:
        return TransferOutcome::Failed;
    case Handshake::Done:
        break;
    }
    return std::nullopt;
}

bool CCloneSession::blockDone(int address)
{
    if (address % mem::BlockSize == 0)
        m_ui.stepProgress();
    // Between blocks Cancel is seen here; inside one only when a wait for the
    // radio is cut short (a silent or stalled radio), so that it takes effect at once.
    return m_ui.pumpAndTest(9, 0);
}

TransferOutcome CCloneSession::read(MemoryImage &image)
{
    if (const auto ended = handshakeOutcome(handshake()))
        return *ended;
    for (int a : TransferBlockAddresses(TransferDirection::Read)) {
        m_line.clearBuffers();
        const std::uint8_t request[4] = { wire::ReadCmd, highByte(a), lowByte(a),
            static_cast<std::uint8_t>(mem::WireBlockSize) };
        m_line.write(request, 4);
        std::uint8_t answer[wire::ReadAnswerSize];
        const LineReadResult r = m_line.read(answer, wire::ReadAnswerSize);
        if (r.cancelled)
            return TransferOutcome::Cancelled;
        if (!r.ok || r.count < wire::ReadAnswerSize)
            return interrupted();
        std::copy_n(answer + wire::ReadAnswerDataOffset, mem::WireBlockSize, image.data() + a);
        m_line.clearBuffers();
        m_line.writeByte(wire::Ack);
        if (readAck() != Ack::Arrived)
            return interrupted();
        if (blockDone(a))
            return TransferOutcome::Cancelled;
    }
    return TransferOutcome::Succeeded;
}

TransferOutcome CCloneSession::write(const MemoryImage &image)
{
    if (const auto ended = handshakeOutcome(handshake()))
        return *ended;
    for (int a : TransferBlockAddresses(TransferDirection::Write)) {
        m_line.clearBuffers();
        const std::uint8_t header[4] = { wire::WriteCmd, highByte(a), lowByte(a),
            static_cast<std::uint8_t>(mem::WireBlockSize) };
        m_line.write(header, 4);
        m_line.wait(1);
        m_line.write(image.data() + a, mem::WireBlockSize);
        if (readAck() != Ack::Arrived)
            return interrupted();
        if (blockDone(a))
            return TransferOutcome::Cancelled;
    }
    m_line.clearBuffers();
    const std::uint8_t header[4]
        = { wire::WriteCmd, highByte(mem::WriteLastByte), lowByte(mem::WriteLastByte), 1 };
    m_line.write(header, 4);
    m_line.wait(1);
    m_line.writeByte(image.at(mem::WriteLastByte));
    if (readAck() != Ack::Arrived)
        return interrupted();
    return TransferOutcome::Succeeded;
}

bool OpenTransferLine(CSerialLine &line, const QString &portName, CTransferUi &ui)
{
    line.setCancelTest([&ui] { return ui.isCancelled(); });
    if (!line.open(DevicePathOfPort(portName))) {
        line.setCancelTest({});
        ui.showMessageWithReason(ids::PortOpenFailed,
            ExplainPortFailure(GatherPortFacts(line.lastOpenError()), CurrentLanguage()));
        return false;
    }
    line.configure();
    return true;
}

void CloseTransferLine(CSerialLine &line)
{
    line.close();
    line.setCancelTest({});
}

TransferOutcome RunTransfer(CSerialLine &line, const QString &portName, TransferDirection direction,
    MemoryImage &image, CTransferUi &ui)
{
    if (!OpenTransferLine(line, portName, ui))
        return TransferOutcome::PortNotOpened;
    CCloneSession session(line, ui);
    const TransferOutcome outcome
        = direction == TransferDirection::Read ? session.read(image) : session.write(image);
    CloseTransferLine(line);
    return outcome;
}
