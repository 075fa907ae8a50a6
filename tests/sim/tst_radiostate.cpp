// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual radio's protocol state machine, without a pseudo-terminal.
#include "core/image/ChannelRecord.h"
#include "sim/RadioState.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

std::vector<std::uint8_t> feed(
    CRadioState &radio, std::initializer_list<int> bytes, bool *hungUp = nullptr)
{
    std::vector<std::uint8_t> out;
    for (int b : bytes) {
        const RadioReply r = radio.receive(static_cast<std::uint8_t>(b));
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
        if (hungUp && r.hangup)
            *hungUp = true;
    }
    return out;
}

std::vector<std::uint8_t> handshake(CRadioState &radio)
{
    feed(radio, { 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M' });
    feed(radio, { 0x02 });
    return feed(radio, { 0x06 });
}

using Bytes = std::vector<std::uint8_t>;

} // namespace

Q_DECLARE_METATYPE(RadioFaults)

class TestRadioState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handshakeAndBlocks();
    void writePayloadIsNeverACommand();
    void newProgramRequestRestarts();
    void survivesAnyInput_data();
    void survivesAnyInput();
    void demoImageIsProgrammed();
};

void TestRadioState::handshakeAndBlocks()
{
    const MemoryImage memory = DemoRadioImage();
    CRadioState radio(memory);
    QCOMPARE(feed(radio, { 0x02, 'P', 'R', 'O', 'G', 'R', 'A' }), Bytes {});
    QCOMPARE(feed(radio, { 'M' }), Bytes { 0x06 });
    QCOMPARE(feed(radio, { 0x02 }),
        Bytes(memory.data() + mem::IdentificationBlock,
            memory.data() + mem::IdentificationBlock + 8));
    const RadioReply ack = radio.receive(0x06);
    QCOMPARE(ack.bytes, Bytes { 0x06 });
    QVERIFY(ack.delayMs > 0);
    QVERIFY(radio.inCloneMode());

    Bytes expected { 'W', 0x00, 0x10, 0x08 };
    expected.reserve(12);
    expected.insert(expected.end(), memory.data() + 0x10, memory.data() + 0x18);
    QCOMPARE(feed(radio, { 'R', 0x00, 0x10, 0x08 }), expected);
    QCOMPARE(feed(radio, { 0x06 }), Bytes { 0x06 });

    QCOMPARE(feed(radio, { 'W', 0x03, 0xF0, 0x01, 0x7E }), Bytes { 0x06 });
    QCOMPARE(radio.memory().at(0x3F0), std::uint8_t(0x7E));
    QCOMPARE(radio.memory().at(0x3F1), memory.at(0x3F1));
}

void TestRadioState::writePayloadIsNeverACommand()
{
    CRadioState radio(MemoryImage::defaults());
    handshake(radio);
    QCOMPARE(feed(radio, { 'W', 0x01, 0x00, 0x08, 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M' }),
        Bytes { 0x06 });
    QCOMPARE(radio.memory().at(0x100), std::uint8_t(0x02));
    QCOMPARE(radio.memory().at(0x107), std::uint8_t('M'));
    QVERIFY(radio.inCloneMode());
}

void TestRadioState::newProgramRequestRestarts()
{
    CRadioState radio(MemoryImage::defaults());
    handshake(radio);
    feed(radio, { 'R', 0x00, 0x00 }); // a client that went away mid-request
    QCOMPARE(handshake(radio), Bytes { 0x06 });
    QCOMPARE(feed(radio, { 'R', 0x00, 0x00, 0x08 }).size(), size_t(12));
}

void TestRadioState::survivesAnyInput_data()
{
    QTest::addColumn<RadioFaults>("faults");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("answersAfterwards");
    RadioFaults f;
    QTest::newRow("well behaved") << f << 1u << true;
    f = {};
    f.garbage = true;
    QTest::newRow("garbage") << f << 2u << false;
    f = {};
    f.silent = true;
    QTest::newRow("silent") << f << 3u << false;
    f = {};
    f.shortAnswerAt = 0x0000;
    f.nakAt = 0x0008;
    f.stallAt = 0x0010;
    QTest::newRow("short, nak, stall") << f << 4u << true;
    f = {};
    f.hangupAt = 0x5241;
    QTest::newRow("hangup") << f << 5u << false;
}

void TestRadioState::survivesAnyInput()
{
    QFETCH(RadioFaults, faults);
    QFETCH(quint32, seed);
    QFETCH(bool, answersAfterwards);
    CRadioState radio(DemoRadioImage(), faults);
    QRandomGenerator random(seed);
    // Noise sprinkled with protocol fragments, so that every state is visited.
    const Bytes fragments[] = { { 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M' }, { 0x02 }, { 0x06 },
        { 'R', 0x00, 0x10, 0x08 }, { 'W', 0x03, 0xFF, 0xFF }, { 'R', 0x52, 0x41, 0x00 } };
    for (int i = 0; i < 20000; ++i) {
        RadioReply r;
        if (random.bounded(4) == 0) {
            for (std::uint8_t b : fragments[random.bounded(6)])
                r = radio.receive(b);
        } else {
            r = radio.receive(static_cast<std::uint8_t>(random.bounded(256)));
        }
        QVERIFY(r.bytes.size() <= 4 + 255);
    }
    radio.reset();
    // Whatever happened, a fresh handshake ends in a clean command state.
    for (int i = 0; i < 300; ++i)
        radio.receive(0x00);
    const Bytes ack = handshake(radio);
    QCOMPARE(ack == Bytes { 0x06 }, answersAfterwards);
}

void TestRadioState::demoImageIsProgrammed()
{
    const MemoryImage demo = DemoRadioImage();
    int used = 0;
    int highPower = 0;
    int scanned = 0;
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        const ConstChannelRecord c = demo.channel(n);
        if (c.isEmpty())
            continue;
        ++used;
        highPower += c.powerHigh();
        scanned += c.scanAdd();
    }
    QVERIFY(used >= 6);
    QVERIFY(highPower > 0 && highPower < used);
    QVERIFY(scanned > 0 && scanned < used);
}

QTEST_GUILESS_MAIN(TestRadioState)
#include "tst_radiostate.moc"
