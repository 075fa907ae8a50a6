// SPDX-License-Identifier: GPL-3.0-or-later
// The rule that decides between complete reads of the radio, block by block.
#include "core/link/ReadConsensus.h"

#include <QtTest>

namespace {

/// One byte of one read changed: which read, at which offset.
struct Garble
{
    int read;
    int offset;
    std::uint8_t value;
};

MemoryImage Radio()
{
    MemoryImage image = MemoryImage::defaults();
    for (int i = 0; i < mem::ImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(QList<Garble>)

class TestReadConsensus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void vote_data();
    void vote();
};

void TestReadConsensus::vote_data()
{
    QTest::addColumn<int>("reads");
    QTest::addColumn<QList<Garble>>("garbles");
    QTest::addColumn<QList<int>>("disputed");
    QTest::addColumn<QList<int>>("undecided");
    QTest::addColumn<int>("winningRead"); // whose byte at the first garbled offset stands, -1: none

    QTest::newRow("one read stands alone")
        << 1 << QList<Garble> { { 0, 0x105, 0xEE } } << QList<int> {} << QList<int> {} << 0;
    QTest::newRow("two equal reads")
        << 2 << QList<Garble> {} << QList<int> {} << QList<int> {} << -1;
    QTest::newRow("two reads differ: no majority")
        << 2 << QList<Garble> { { 1, 0x105, 0xEE }, { 1, 0x3F8, 0x00 } }
        << QList<int> { 0x100, 0x3F8 } << QList<int> { 0x100, 0x3F8 } << -1;
    QTest::newRow("third agrees with the first")
        << 3 << QList<Garble> { { 1, 0x105, 0xEE } } << QList<int> { 0x100 } << QList<int> {} << 0;
    QTest::newRow("third agrees with the second")
        << 3 << QList<Garble> { { 0, 0x105, 0xEE } } << QList<int> { 0x100 } << QList<int> {} << 1;
    QTest::newRow("first two agree, third garbled")
        << 3 << QList<Garble> { { 2, 0x000, 0xEE } } << QList<int> { 0x000 } << QList<int> {} << 0;
    QTest::newRow("each read garbled elsewhere")
        << 3 << QList<Garble> { { 0, 0x010, 0x01 }, { 1, 0x020, 0x02 }, { 2, 0x3D0, 0x03 } }
        << QList<int> { 0x010, 0x020, 0x3D0 } << QList<int> {} << 1;
    QTest::newRow("no two agree in one block")
        << 3 << QList<Garble> { { 0, 0x105, 0x01 }, { 1, 0x105, 0x02 }, { 2, 0x106, 0x03 } }
        << QList<int> { 0x100 } << QList<int> { 0x100 } << -1;
    // Bytes a read never fetches are no evidence either way.
    QTest::newRow("unread bytes differ")
        << 2 << QList<Garble> { { 1, 0x3C4, 0xEE } } << QList<int> {} << QList<int> {} << 0;
}

void TestReadConsensus::vote()
{
    QFETCH(int, reads);
    QFETCH(QList<Garble>, garbles);
    QFETCH(QList<int>, disputed);
    QFETCH(QList<int>, undecided);
    QFETCH(int, winningRead);

    QList<MemoryImage> images(reads, Radio());
    for (const Garble &g : garbles)
        images[g.read][g.offset] = g.value;
    const ReadVote vote = VoteOnReads(images);
    QCOMPARE(vote.disputed, disputed);
    QCOMPARE(vote.undecided, undecided);
    QCOMPARE(vote.agreed, undecided.isEmpty());
    if (reads == 2)
        QCOMPARE(DifferingReadBlocks(images.at(0), images.at(1)), disputed);
    if (!vote.agreed || garbles.isEmpty())
        return;
    // Every block not disputed is the radio's; a disputed one the majority's.
    const int at = garbles.constFirst().offset;
    QCOMPARE(vote.image.at(at), images.at(winningRead).at(at));
    for (int i = 0; i < mem::ImageSize; ++i) {
        const bool garbled = std::any_of(
            garbles.begin(), garbles.end(), [i](const Garble &g) { return g.offset == i; });
        if (!garbled)
            QCOMPARE(vote.image.at(i), Radio().at(i));
    }
}

QTEST_GUILESS_MAIN(TestReadConsensus)
#include "tst_readconsensus.moc"
