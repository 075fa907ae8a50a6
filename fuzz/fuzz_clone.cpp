// SPDX-License-Identifier: GPL-3.0-or-later
// The clone procedure against a radio whose line the fuzzer disturbs: every
// answer can arrive whole, short, changed, as noise, not at all, or as an
// input/output fault, and the fuzzer answers Retry/Cancel and presses Cancel.
// Both directions. Whatever happens: the port is closed at the end, a write
// never changes the image it sends nor sends 0x330–0x33F or 0x3F1 on, a read
// never asks for or changes 0x3C0–0x3CF and succeeds only with every block,
// and a clean line succeeds.
#include "core/app/StringTable.h"
#include "core/link/CloneSession.h"
#include "core/link/SerialLine.h"
#include "core/link/TransferUi.h"
#include "fuzz/FuzzCheck.h"
#include "sim/RadioState.h"

#include <QSet>
#include <algorithm>
#include <deque>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

/// Never asked for by a read, never changed in the document by one.
constexpr int HoleBegin = 0x3C0;
constexpr int HoleEnd = 0x3CF;
/// Never sent by a write (besides 0x3F1 onwards).
constexpr int WriteGapBegin = 0x330;
constexpr int WriteGapEnd = 0x33F;
/// A session that needs more line operations than this hangs.
constexpr int MaxLineOps = 200000;

bool Overlaps(int begin, int length, int first, int last)
{
    return begin <= last && begin + length - 1 >= first;
}

/// A serial line with a virtual radio at the far end, disturbed by the fuzzer.
class FuzzLine : public CSerialLine
{
public:
    FuzzLine(FuzzedDataProvider &in, CRadioState &radio)
        : m_in(in)
        , m_radio(radio)
    {
    }

    bool open(const QString &) override
    {
        ++opens;
        m_open = m_in.ConsumeIntegral<std::uint8_t>() != 0xFF;
        return m_open;
    }
    void configure() override { count(); }
    void fullPurge() override { clearBuffers(); }
    void clearBuffers() override
    {
        count();
        m_rx.clear();
    }
    int write(const std::uint8_t *bytes, int n) override
    {
        count();
        FUZZ_CHECK(m_open);
        chunks.emplace_back(bytes, bytes + n);
        for (int i = 0; i < n; ++i) {
            const RadioReply reply = m_radio.receive(bytes[i]);
            auto &queue = reply.delayMs > 0 ? m_late : m_rx;
            queue.insert(queue.end(), reply.bytes.begin(), reply.bytes.end());
        }
        return n;
    }
    LineReadResult read(std::uint8_t *buffer, int n) override
    {
        count();
        FUZZ_CHECK(m_open && n > 0);
        // Answers the radio takes its time over arrive by the next read.
        m_rx.insert(m_rx.end(), m_late.begin(), m_late.end());
        m_late.clear();
        LineReadResult r;
        r.ok = true;
        const std::uint8_t fault = m_in.ConsumeIntegral<std::uint8_t>();
        if (fault < 200) { // the line works
            deliver(buffer, n, &r);
            return r;
        }
        disturbed = true;
        if (fault < 215) { // a byte changes on the way
            deliver(buffer, n, &r);
            if (r.count > 0)
                buffer[m_in.ConsumeIntegralInRange(0, r.count - 1)]
                    ^= m_in.ConsumeIntegralInRange<std::uint8_t>(1, 255);
        } else if (fault < 230) { // part of the answer is lost
            deliver(buffer, m_in.ConsumeIntegralInRange(0, n - 1), &r);
        } else if (fault < 240) { // the device fails
            r.ok = false;
        } else if (fault < 248) { // silence: the answer never comes
            m_rx.clear();
        } else { // noise
            const int k = m_in.ConsumeIntegralInRange(0, n);
            for (int i = 0; i < k; ++i)
                buffer[i] = m_in.ConsumeIntegral<std::uint8_t>();
            r.count = k;
        }
        return r;
    }
    void wait(int) override { count(); }
    void close() override
    {
        ++closes;
        m_open = false;
    }
    bool isOpen() const override { return m_open; }

    std::vector<std::vector<std::uint8_t>> chunks; ///< Every write() call's bytes.
    int opens = 0;
    int closes = 0;
    bool disturbed = false; ///< Some read was not what the radio sent.

private:
    void count()
    {
        if (++m_ops > MaxLineOps)
            fuzzcheck::Fail(__FILE__, __LINE__, "a transfer ends", QString(), QString());
    }
    void deliver(std::uint8_t *buffer, int n, LineReadResult *r)
    {
        while (r->count < n && !m_rx.empty()) {
            buffer[r->count++] = m_rx.front();
            m_rx.pop_front();
        }
    }

    FuzzedDataProvider &m_in;
    CRadioState &m_radio;
    std::deque<std::uint8_t> m_rx;
    std::deque<std::uint8_t> m_late;
    bool m_open = false;
    int m_ops = 0;
};

/// The user: Retry or Cancel on a communication error, and the Cancel button.
class FuzzUi : public CTransferUi
{
public:
    explicit FuzzUi(FuzzedDataProvider &in)
        : m_in(in)
    {
    }
    MessageAnswer showMessage(int id) override
    {
        messages << id;
        FUZZ_CHECK(
            id == ids::CommError || id == ids::ProgramInterrupt || id == ids::PortOpenFailed);
        if (id != ids::CommError)
            return MessageAnswer::Ok;
        // Out of input the user gives up, so every run ends.
        return m_in.ConsumeBool() ? MessageAnswer::Retry : MessageAnswer::Cancel;
    }
    void stepProgress() override { ++steps; }
    bool pumpAndTest(int, int) override
    {
        cancelled = cancelled || m_in.ConsumeIntegral<std::uint8_t>() >= 250;
        return cancelled;
    }

    QList<int> messages;
    int steps = 0;
    bool cancelled = false;

private:
    FuzzedDataProvider &m_in;
};

MemoryImage Pattern(std::uint8_t seed)
{
    MemoryImage image;
    for (int i = 0; i < mem::ImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(seed + 37 * i);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const TransferDirection direction
        = in.ConsumeBool() ? TransferDirection::Write : TransferDirection::Read;
    const bool reading = direction == TransferDirection::Read;
    const MemoryImage radioMemory = Pattern(in.ConsumeIntegral<std::uint8_t>());
    CRadioState radio(radioMemory);
    FuzzLine line(in, radio);
    FuzzUi ui(in);

    // For a read, the staging copy; for a write, the document's image.
    const MemoryImage original = Pattern(in.ConsumeIntegral<std::uint8_t>());
    MemoryImage image = original;
    const TransferOutcome outcome
        = RunTransfer(line, QStringLiteral("/dev/ttyUSB0"), direction, image, ui);

    // The port: opened once, and closed whenever it was opened.
    FUZZ_CHECK_EQ(line.opens, 1);
    FUZZ_CHECK(!line.isOpen());
    if (outcome == TransferOutcome::PortNotOpened) {
        FUZZ_CHECK(line.closes == 0 && line.chunks.empty());
        FUZZ_CHECK(ui.messages == QList<int> { ids::PortOpenFailed });
        return 0;
    }
    FUZZ_CHECK(line.closes >= 1);

    // What was asked for and sent: never the hole, and for a write the image's own bytes.
    QSet<int> requested;
    QSet<int> written;
    for (size_t i = 0; i < line.chunks.size(); ++i) {
        const std::vector<std::uint8_t> &c = line.chunks[i];
        if (c.size() != 4 || (c[0] != wire::ReadCmd && c[0] != wire::WriteCmd))
            continue;
        const int address = c[1] << 8 | c[2];
        FUZZ_CHECK(address + c[3] <= mem::ImageSize);
        if (c[0] == wire::ReadCmd) {
            FUZZ_CHECK(reading);
            FUZZ_CHECK(!Overlaps(address, c[3], HoleBegin, HoleEnd));
            requested << address;
            continue;
        }
        FUZZ_CHECK(!reading);
        FUZZ_CHECK(!Overlaps(address, c[3], WriteGapBegin, WriteGapEnd));
        FUZZ_CHECK(!Overlaps(address, c[3], mem::WriteLastByte + 1, mem::ImageSize - 1));
        FUZZ_CHECK(i + 1 < line.chunks.size());
        const std::vector<std::uint8_t> &payload = line.chunks[i + 1];
        FUZZ_CHECK_EQ(int(payload.size()), int(c[3]));
        for (int k = 0; k < c[3]; ++k)
            FUZZ_CHECK(payload[k] == original.at(address + k));
        written << address;
    }

    // The image: a write never changes it; a read changes nothing outside its ranges.
    if (!reading)
        FUZZ_CHECK(image == original);
    static const std::vector<bool> readRange = [] {
        std::vector<bool> range(mem::ImageSize, false);
        for (int a : TransferBlockAddresses(TransferDirection::Read))
            std::fill_n(range.begin() + a, mem::WireBlockSize, true);
        return range;
    }();
    for (int i = 0; i < mem::ImageSize; ++i)
        if (!readRange[i])
            FUZZ_CHECK(image.at(i) == original.at(i));
    MemoryImage document = Pattern(0x5A);
    const MemoryImage documentBefore = document;
    CommitReadRanges(image, document);
    for (int i = HoleBegin; i <= HoleEnd; ++i)
        FUZZ_CHECK(document.at(i) == documentBefore.at(i));

    // Progress never runs past its end; success only with every block.
    FUZZ_CHECK(ui.steps <= TransferProgressSteps(direction));
    switch (outcome) {
    case TransferOutcome::Succeeded:
        FUZZ_CHECK_EQ(ui.steps, TransferProgressSteps(direction));
        FUZZ_CHECK(!ui.messages.contains(ids::ProgramInterrupt));
        for (int a : TransferBlockAddresses(direction))
            FUZZ_CHECK(reading ? requested.contains(a) : written.contains(a));
        if (!reading)
            FUZZ_CHECK(written.contains(mem::WriteLastByte));
        if (!line.disturbed) {
            // A clean line carries every byte.
            for (int a : TransferBlockAddresses(direction))
                for (int k = 0; k < mem::WireBlockSize; ++k)
                    FUZZ_CHECK((reading ? image : radio.memory()).at(a + k)
                        == (reading ? radioMemory : original).at(a + k));
        }
        break;
    case TransferOutcome::Cancelled:
        FUZZ_CHECK(ui.cancelled);
        break;
    case TransferOutcome::Failed:
        // The user always hears why.
        FUZZ_CHECK(!ui.messages.isEmpty());
        break;
    case TransferOutcome::PortNotOpened:
        break;
    }
    // A clean line and a patient user: the transfer succeeds.
    if (!line.disturbed && !ui.cancelled)
        FUZZ_CHECK(outcome == TransferOutcome::Succeeded);
    return 0;
}
