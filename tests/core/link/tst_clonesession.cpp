// SPDX-License-Identifier: GPL-3.0-or-later
// The clone procedure over an in-memory line with a virtual radio on the far end.
#include "core/app/StringTable.h"
#include "core/link/CloneSession.h"
#include "tests/common/MemoryLine.h"

#include <QtTest>

namespace {

MemoryImage patternImage(int seed)
{
    MemoryImage image;
    for (int i = 0; i < mem::ImageSize; ++i)
        image[i] = static_cast<std::uint8_t>((i * 7 + seed) & 0xFF);
    return image;
}

MemoryImage filled(std::uint8_t value)
{
    MemoryImage image;
    std::fill(image.data(), image.data() + mem::ImageSize, value);
    return image;
}

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(static_cast<char>(b));
    return out;
}

QByteArray handshakeBytes()
{
    return bytes({ 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02, 0x06 });
}

int countOf(const QByteArray &sent, const QByteArray &what)
{
    int n = 0;
    for (int i = sent.indexOf(what); i >= 0; i = sent.indexOf(what, i + 1))
        ++n;
    return n;
}

bool inReadRanges(int offset)
{
    return offset <= mem::ReadFirstEnd || offset >= mem::ReadSecondBegin;
}

} // namespace

Q_DECLARE_METATYPE(RadioFaults)
Q_DECLARE_METATYPE(TransferDirection)

class TestCloneSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rangesAndSteps();
    void readFetchesReadRangesOnly();
    void readWireBytesAndOrder();
    void handshakeOperationsInOrder();
    void writeSendsBlocksAndLastByte();
    void faults_data();
    void faults();
    void retryStartsFromProgramRequest();
    void programAnswerFailures_data();
    void programAnswerFailures();
    void cancelAfterCurrentBlock_data();
    void cancelAfterCurrentBlock();
    void cancelBeforeHandshakeSendsNothing();
    void cancelCutsAWaitShort_data();
    void cancelCutsAWaitShort();
    void portThatCannotOpen();
    void commitKeepsUnfetchedBytes();
};

void TestCloneSession::rangesAndSteps()
{
    const QVector<int> read = TransferBlockAddresses(TransferDirection::Read);
    const QVector<int> write = TransferBlockAddresses(TransferDirection::Write);
    QCOMPARE(read.size(), 126);
    QCOMPARE(write.size(), 124);
    QCOMPARE(TransferProgressSteps(TransferDirection::Read), 63);
    QCOMPARE(TransferProgressSteps(TransferDirection::Write), 62);
    QVERIFY(std::is_sorted(read.begin(), read.end()));
    QVERIFY(std::is_sorted(write.begin(), write.end()));
    for (int a : read)
        QVERIFY2(a + 7 < 0x3C0 || a > 0x3CF, qPrintable(QString::number(a, 16)));
    for (int a : write) {
        QVERIFY2(a + 7 < 0x330 || a > 0x33F, qPrintable(QString::number(a, 16)));
        QVERIFY2(a + 7 <= 0x3EF, qPrintable(QString::number(a, 16)));
    }
}

void TestCloneSession::readFetchesReadRangesOnly()
{
    CRadioState radio(patternImage(3));
    CMemoryLine line(&radio);
    CRecordingUi ui;
    MemoryImage staged = filled(0xAA);
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), TransferDirection::Read, staged, ui),
        TransferOutcome::Succeeded);
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(staged.at(i), inReadRanges(i) ? radio.memory().at(i) : std::uint8_t(0xAA));
    QVERIFY(ui.messages.isEmpty());
    QCOMPARE(ui.steps, 63);
    QCOMPARE(ui.positions.last(), QStringLiteral("63"));
    QCOMPARE(line.ops.first(), QStringLiteral("open /dev/x"));
    QCOMPARE(line.ops.last(), QStringLiteral("close"));
}

void TestCloneSession::readWireBytesAndOrder()
{
    CRadioState radio(patternImage(1));
    CMemoryLine line(&radio);
    CRecordingUi ui;
    MemoryImage staged;
    RunTransfer(line, QStringLiteral("COM1"), TransferDirection::Read, staged, ui);
    QByteArray expected = handshakeBytes();
    for (int a : TransferBlockAddresses(TransferDirection::Read))
        expected += bytes({ 0x52, a >> 8, a & 0xFF, 0x08, 0x06 });
    QCOMPARE(line.sent.toHex(' '), expected.toHex(' '));
}

void TestCloneSession::handshakeOperationsInOrder()
{
    CRadioState radio(patternImage(1));
    CMemoryLine line(&radio);
    CRecordingUi ui;
    MemoryImage staged;
    RunTransfer(line, QStringLiteral("/dev/x"), TransferDirection::Read, staged, ui);
    QStringList expected { QStringLiteral("open /dev/x"), QStringLiteral("configure"),
        QStringLiteral("purge") };
    for (const char *b : { "02", "50", "52", "4F", "47", "52", "41", "4D" })
        expected << QStringLiteral("wait 2") << QStringLiteral("clear")
                 << QStringLiteral("write %1").arg(QLatin1String(b));
    expected << QStringLiteral("read 1 -> 1") << QStringLiteral("wait 1") << QStringLiteral("clear")
             << QStringLiteral("write 02") << QStringLiteral("wait 1")
             << QStringLiteral("read 8 -> 8") << QStringLiteral("clear")
             << QStringLiteral("write 06") << QStringLiteral("clear") << QStringLiteral("wait 1")
             << QStringLiteral("read 1 -> 1")
             // the first block
             << QStringLiteral("clear") << QStringLiteral("write 52 00 00 08")
             << QStringLiteral("read 12 -> 12") << QStringLiteral("clear")
             << QStringLiteral("write 06") << QStringLiteral("read 1 -> 1");
    QCOMPARE(line.ops.mid(0, expected.size()), expected);
    // Handshake pumps six passes of 1 ms; each block nine passes without a wait.
    QCOMPARE(ui.pumps.first(), qMakePair(6, 1));
    QCOMPARE(ui.pumps.size(), 1 + 126);
    QCOMPARE(ui.pumps.last(), qMakePair(9, 0));
}

void TestCloneSession::writeSendsBlocksAndLastByte()
{
    const MemoryImage radioBefore = patternImage(5);
    CRadioState radio(radioBefore);
    CMemoryLine line(&radio);
    CRecordingUi ui;
    MemoryImage image = patternImage(77);
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), TransferDirection::Write, image, ui),
        TransferOutcome::Succeeded);
    QByteArray expected = handshakeBytes();
    for (int a : TransferBlockAddresses(TransferDirection::Write)) {
        expected += bytes({ 0x57, a >> 8, a & 0xFF, 0x08 });
        expected += QByteArray(reinterpret_cast<const char *>(image.data() + a), 8);
    }
    expected += bytes({ 0x57, 0x03, 0xF0, 0x01, image.at(0x3F0) });
    QCOMPARE(line.sent.toHex(' '), expected.toHex(' '));
    QCOMPARE(radio.blocksWritten(), 125);
    for (int i = 0; i < mem::ImageSize; ++i) {
        const bool sentByte = i <= 0x32F || (i >= 0x340 && i <= 0x3F0);
        QCOMPARE(radio.memory().at(i), sentByte ? image.at(i) : radioBefore.at(i));
    }
    QCOMPARE(ui.steps, 62);
    QVERIFY(ui.messages.isEmpty());
    // 1 ms between every header and its data.
    const int header = line.ops.indexOf(QStringLiteral("write 57 00 10 08"));
    QVERIFY(header > 0);
    QCOMPARE(line.ops.at(header + 1), QStringLiteral("wait 1"));
    QCOMPARE(line.ops.at(header + 3), QStringLiteral("read 1 -> 1"));
}

void TestCloneSession::faults_data()
{
    QTest::addColumn<TransferDirection>("direction");
    QTest::addColumn<RadioFaults>("faults");
    QTest::addColumn<TransferOutcome>("outcome");
    QTest::addColumn<QList<int>>("messages");
    QTest::addColumn<int>("steps");

    const auto R = TransferDirection::Read;
    const auto W = TransferDirection::Write;
    const auto failed = TransferOutcome::Failed;
    RadioFaults f;
    f = {};
    f.shortAnswerAt = 0x100;
    QTest::newRow("11-byte read answer") << R << f << failed << QList<int> { 61454 } << 16;
    f = {};
    f.shortAnswerAt = 0x000;
    QTest::newRow("short first answer") << R << f << failed << QList<int> { 61454 } << 0;
    f = {};
    f.nakAt = 0x108;
    QTest::newRow("read ack not 06") << R << f << failed << QList<int> { 61454 } << 17;
    f = {};
    f.stallAt = 0x3D0;
    QTest::newRow("read: no answer") << R << f << failed << QList<int> { 61454 } << 60;
    f = {};
    f.hangupAt = 0x200;
    QTest::newRow("read: line dies") << R << f << failed << QList<int> { 61454 } << 32;
    f = {};
    f.nakAt = 0x200;
    QTest::newRow("write ack not 06") << W << f << failed << QList<int> { 61454 } << 32;
    f = {};
    f.nakAt = 0x3F0;
    QTest::newRow("last byte not acked") << W << f << failed << QList<int> { 61454 } << 62;
    f = {};
    f.stallAt = 0x340;
    QTest::newRow("write: no ack") << W << f << failed << QList<int> { 61454 } << 51;
    f = {};
    f.badHandshakeAck = true;
    QTest::newRow("handshake ack not 06") << R << f << failed << QList<int> { 61451 } << 0;
    f = {};
    f.silent = true;
    QTest::newRow("silent radio") << W << f << failed << QList<int> { 61451 } << 0;
    f = {};
    f.garbage = true;
    QTest::newRow("garbage") << R << f << failed << QList<int> { 61451 } << 0;
}

void TestCloneSession::faults()
{
    QFETCH(TransferDirection, direction);
    QFETCH(RadioFaults, faults);
    QFETCH(TransferOutcome, outcome);
    QFETCH(QList<int>, messages);
    QFETCH(int, steps);

    CRadioState radio(patternImage(9), faults);
    CMemoryLine line(&radio);
    CRecordingUi ui;
    MemoryImage image = filled(0x5A);
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), direction, image, ui), outcome);
    QCOMPARE(ui.messages, messages);
    QCOMPARE(ui.steps, steps);
    QCOMPARE(line.ops.last(), QStringLiteral("close"));
    if (direction == TransferDirection::Read) {
        // The blocks before the failure are in the staging copy, nothing after.
        const int failedAt = faults.shortAnswerAt >= 0 ? faults.shortAnswerAt
            : faults.stallAt >= 0                      ? faults.stallAt
            : faults.hangupAt >= 0                     ? faults.hangupAt
                                                       : -1;
        if (failedAt >= 0) {
            QCOMPARE(image.at(failedAt), std::uint8_t(0x5A));
            if (failedAt > 0 && inReadRanges(failedAt - 1))
                QCOMPARE(image.at(failedAt - 1), radio.memory().at(failedAt - 1));
        }
    }
}

void TestCloneSession::retryStartsFromProgramRequest()
{
    RadioFaults bad;
    bad.badHandshakeAck = true;
    CRadioState radio(patternImage(2), bad);
    CMemoryLine line(&radio);
    CRecordingUi ui;
    ui.answers = { MessageAnswer::Retry, MessageAnswer::Retry };
    // The radio comes right after the second prompt.
    ui.onMessage = [&](int) {
        if (ui.messages.size() == 2)
            radio.setFaults({});
    };
    MemoryImage staged;
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), TransferDirection::Read, staged, ui),
        TransferOutcome::Succeeded);
    QCOMPARE(ui.messages, (QList<int> { 61451, 61451 }));
    QCOMPARE(countOf(line.sent, bytes({ 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M' })), 3);
    QCOMPARE(ui.pumps.mid(0, 3), (QList<QPair<int, int>> { { 6, 1 }, { 6, 1 }, { 6, 1 } }));
    QCOMPARE(line.ops.count(QStringLiteral("purge")), 3);
    QCOMPARE(ui.steps, 63);
}

void TestCloneSession::programAnswerFailures_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<QList<int>>("messages");
    QTest::addColumn<int>("programRequests");
    QTest::newRow("1 failure, wrong ack") << 1 << QList<int> { 61451 } << 2;
    QTest::newRow("4 failures, wrong ack") << 4 << QList<int> { 61451 } << 5;
    QTest::newRow("5 failures, wrong ack") << 5 << QList<int> { 61454 } << 6;
    QTest::newRow("14 failures, wrong ack") << 14 << QList<int> { 61454 } << 15;
    QTest::newRow("15 failures") << 15 << QList<int> { 61451 } << 15;
    QTest::newRow("always failing") << 1000 << QList<int> { 61451 } << 15;
}

void TestCloneSession::programAnswerFailures()
{
    QFETCH(int, failures);
    QFETCH(QList<int>, messages);
    QFETCH(int, programRequests);
    RadioFaults bad;
    bad.badHandshakeAck = true;
    CRadioState radio(patternImage(2), bad);
    CMemoryLine line(&radio);
    int failed = 0;
    // The read of the program answer (one byte after the 'M') fails with an I/O fault.
    line.readFails
        = [&](int n, std::uint8_t last) { return n == 1 && last == 'M' && failed++ < failures; };
    CRecordingUi ui;
    MemoryImage staged;
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), TransferDirection::Read, staged, ui),
        TransferOutcome::Failed);
    QCOMPARE(ui.messages, messages);
    QCOMPARE(
        countOf(line.sent, bytes({ 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M' })), programRequests);
}

void TestCloneSession::cancelAfterCurrentBlock_data()
{
    QTest::addColumn<TransferDirection>("direction");
    QTest::addColumn<int>("cancelAtStep");
    QTest::addColumn<int>("blocks");
    QTest::newRow("read at step 10") << TransferDirection::Read << 10 << 19;
    QTest::newRow("read at the last step") << TransferDirection::Read << 63 << 125;
    QTest::newRow("write at step 1") << TransferDirection::Write << 1 << 1;
}

void TestCloneSession::cancelAfterCurrentBlock()
{
    QFETCH(TransferDirection, direction);
    QFETCH(int, cancelAtStep);
    QFETCH(int, blocks);
    CRadioState radio(patternImage(4));
    CMemoryLine line(&radio);
    CRecordingUi ui;
    ui.cancelAtStep = cancelAtStep;
    MemoryImage image = filled(0x11);
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), direction, image, ui),
        TransferOutcome::Cancelled);
    QVERIFY(ui.messages.isEmpty());
    const QRegularExpression request(direction == TransferDirection::Read
            ? QStringLiteral("^write 52 .. .. 08$")
            : QStringLiteral("^write 57 .. .. 08$"));
    int requests = 0;
    for (const QString &op : line.ops)
        if (request.match(op).hasMatch())
            ++requests;
    QCOMPARE(requests, blocks);
    // The cancelled block was acknowledged in full: the last operation before close is its ack.
    QCOMPARE(line.ops.at(line.ops.size() - 2), QStringLiteral("read 1 -> 1"));
    if (direction == TransferDirection::Read) {
        const int lastAddress = TransferBlockAddresses(direction).at(blocks - 1);
        QCOMPARE(image.at(lastAddress + 7), radio.memory().at(lastAddress + 7));
        QCOMPARE(image.at(lastAddress + 8), std::uint8_t(0x11));
    }
}

void TestCloneSession::cancelCutsAWaitShort_data()
{
    QTest::addColumn<TransferDirection>("direction");
    QTest::addColumn<int>("cancelAtRead");
    // Reads in order: program answer, identification, handshake ack; then per read
    // block its answer and its ack, per write block its ack, and the ack of 0x3F0.
    const auto read = TransferDirection::Read;
    const auto write = TransferDirection::Write;
    QTest::newRow("program answer") << read << 0;
    QTest::newRow("identification") << write << 1;
    QTest::newRow("handshake ack") << read << 2;
    QTest::newRow("answer of read block 5") << read << 3 + 2 * 5;
    QTest::newRow("ack of read block 5") << read << 3 + 2 * 5 + 1;
    QTest::newRow("ack of write block 5") << write << 3 + 5;
    QTest::newRow("ack of the byte at 0x3F0") << write << 3 + 124;
}

void TestCloneSession::cancelCutsAWaitShort()
{
    QFETCH(TransferDirection, direction);
    QFETCH(int, cancelAtRead);
    CRadioState radio(patternImage(4));
    CMemoryLine line(&radio);
    CRecordingUi ui;
    line.cancelAtRead = cancelAtRead;
    line.onCancel = [&ui] { ui.cancelled = true; };
    MemoryImage image = filled(0x11);
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), direction, image, ui),
        TransferOutcome::Cancelled);
    // A wait the user cut short is a cancel: no "Program Interrupt", no Retry question.
    QVERIFY(ui.messages.isEmpty());
    // Nothing happens on the line after the cut-short wait but the close.
    QVERIFY(line.ops.at(line.ops.size() - 2).endsWith(QStringLiteral(" -> 0 cancelled")));
    QCOMPARE(line.ops.filter(QStringLiteral("cancelled")).size(), 1);
    QCOMPARE(line.ops.last(), QStringLiteral("close"));
}

void TestCloneSession::cancelBeforeHandshakeSendsNothing()
{
    CRadioState radio(patternImage(4));
    CMemoryLine line(&radio);
    CRecordingUi ui;
    ui.cancelled = true;
    MemoryImage image;
    QCOMPARE(RunTransfer(line, QStringLiteral("/dev/x"), TransferDirection::Write, image, ui),
        TransferOutcome::Cancelled);
    QVERIFY(line.sent.isEmpty());
    QCOMPARE(line.ops.last(), QStringLiteral("close"));
}

void TestCloneSession::portThatCannotOpen()
{
    CRadioState radio(patternImage(4));
    CMemoryLine line(&radio);
    line.openFails = true;
    CRecordingUi ui;
    MemoryImage image;
    QCOMPARE(RunTransfer(line, QStringLiteral("com4"), TransferDirection::Read, image, ui),
        TransferOutcome::PortNotOpened);
    QCOMPARE(ui.messages, QList<int> { ids::PortOpenFailed });
    QVERIFY(line.sent.isEmpty());
    QCOMPARE(line.ops, QStringList { QStringLiteral("open /dev/ttyUSB3") });
}

void TestCloneSession::commitKeepsUnfetchedBytes()
{
    const MemoryImage staged = patternImage(8);
    MemoryImage doc = filled(0xC3);
    CommitReadRanges(staged, doc);
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(doc.at(i), inReadRanges(i) ? staged.at(i) : std::uint8_t(0xC3));
}

QTEST_GUILESS_MAIN(TestCloneSession)
#include "tst_clonesession.moc"
