// SPDX-License-Identifier: GPL-3.0-or-later
// The editing rules behind the Edit menu, without widgets: channel
// operations, the clipboard formats, paste and clear through the commit
// rules, type-ahead, the frequency hint, and the document's history.
#include "core/channels/ChannelOps.h"
#include "core/channels/EditorHints.h"
#include "core/channels/GridEditing.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"

#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

namespace {

const BandLimits kBand { 13600000, 17400000 };

// Every channel record distinct (including its carried bytes), channels 1..n
// used with 14x.xxx MHz frequencies, odd channels scanned.
MemoryImage Numbered(int used = 10)
{
    MemoryImage image = MemoryImage::defaults();
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        ChannelRecord ch = image.channel(n);
        for (int i = 0; i < mem::RecordSize; ++i)
            ch.setByte(i, static_cast<std::uint8_t>(n * 16 + i));
        if (n <= used) {
            const FrequencyBytes f = EncodeFrequency(14000000 + n * 12500);
            ch.setRxBytes(f);
            ch.setTxBytes(f);
        } else {
            SetEmptyRecord(image, n);
        }
        ch.setScanAdd(n % 2 == 1);
    }
    return image;
}

QByteArray Record(const MemoryImage &image, int n)
{
    const RawChannel raw = TakeChannel(image, n);
    QByteArray out(reinterpret_cast<const char *>(raw.bytes.data()), mem::RecordSize);
    out.append(raw.scanAdd ? 'S' : '-');
    return out;
}

// The image with the priority settings given.
MemoryImage WithPriority(MemoryImage image, int priority, int channel)
{
    image[mem::Priority] = static_cast<std::uint8_t>(priority);
    image[mem::PriorityChannel] = static_cast<std::uint8_t>(channel);
    return image;
}

} // namespace

class TestGridEditing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void channelOps_data();
    void channelOps();
    void insertRefusedWhenChannel16Used();
    void emptiedFixedPriorityChannel_data();
    void emptiedFixedPriorityChannel();
    void moveRefusedAtTheEnds();
    void tsvRoundTrip();
    void headerRows_data();
    void headerRows();
    void recordsCodec();
    void recordsCodecRefusesMalformed_data();
    void recordsCodecRefusesMalformed();
    void pasteTexts_data();
    void pasteTexts();
    void pasteStopsAtChannel16();
    void pasteRecordsExact();
    void pasteRecordsChecksTheBand();
    void clearCells_data();
    void clearCells();
    void typeAhead_data();
    void typeAhead();
    void frequencyHint();
    void historyRestoresBytes();
    void modifiedFollowsCleanState();
};

void TestGridEditing::channelOps_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("n");
    // Where each old channel 1..16 ends up (0: gone), and the priority channel after.
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<int>("priorityBefore");
    QTest::addColumn<int>("priorityAfter");
    QTest::addColumn<QString>("undoText");
    const QList<int> same { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 };
    QTest::newRow("insert at 3") << "insert" << 3
                                 << QList<int> { 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                        0 }
                                 << 5 << 6 << "Insert Channel 3";
    QTest::newRow("insert below priority")
        << "insert" << 9 << QList<int> { 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 0 }
        << 5 << 5 << "Insert Channel 9";
    QTest::newRow("delete 2") << "delete" << 2
                              << QList<int> { 1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 }
                              << 5 << 4 << "Delete Channel 2";
    QTest::newRow("delete below priority")
        << "delete" << 7 << QList<int> { 1, 2, 3, 4, 5, 6, 0, 7, 8, 9, 10, 11, 12, 13, 14, 15 } << 5
        << 5 << "Delete Channel 7";
    QTest::newRow("move 5 up") << "up" << 5
                               << QList<int> { 1, 2, 3, 5, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                                      16 }
                               << 5 << 4 << "Move Channel 5 Up";
    QTest::newRow("move 4 down onto priority")
        << "down" << 4 << QList<int> { 1, 2, 3, 5, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 } << 5
        << 4 << "Move Channel 4 Down";
    QTest::newRow("clear 5") << "clear" << 5 << same << 5 << 5 << "Clear Channel 5";
}

void TestGridEditing::channelOps()
{
    QFETCH(QString, op);
    QFETCH(int, n);
    QFETCH(QList<int>, moves);
    QFETCH(int, priorityBefore);
    QFETCH(int, priorityAfter);
    QFETCH(QString, undoText);
    // Priority Selected: the channel number is kept in step without changing the priority.
    const MemoryImage before = WithPriority(Numbered(), 2, priorityBefore);
    ChannelOpResult r;
    if (op == "insert")
        r = InsertChannel(before, n, Language::English);
    else if (op == "delete")
        r = DeleteChannel(before, n, Language::English);
    else if (op == "up")
        r = MoveChannel(before, n, -1, Language::English);
    else if (op == "down")
        r = MoveChannel(before, n, 1, Language::English);
    else
        r = ClearChannel(before, n, Language::English);
    QVERIFY(r.done);
    QCOMPARE(r.undoText, undoText);
    QCOMPARE(int(r.image[mem::PriorityChannel]), priorityAfter);
    QCOMPARE(int(r.image[mem::Priority]), 2);
    // Whole records move, their carried bytes and scan-add bits with them.
    for (int old = 1; old <= 16; ++old)
        if (const int to = moves.at(old - 1); to != 0 && !(op == "clear" && old == n))
            QCOMPARE(Record(r.image, to), Record(before, old));
    // A made-empty channel shows nothing and is not scanned.
    QList<int> emptied;
    for (int to = 1; to <= 16; ++to)
        if (!moves.contains(to) || (op == "clear" && to == n))
            emptied << to;
    for (int to : emptied) {
        QVERIFY(r.image.channel(to).isEmpty());
        QVERIFY(!r.image.channel(to).scanAdd());
        QCOMPARE(DecodeFrequency(r.image.channel(to).rxBytes()), QString());
    }
    // Nothing outside the channel records, the scan-add bytes and the priority changed.
    for (int i = 0; i < mem::ImageSize; ++i) {
        const bool owned = (i >= mem::channelOffset(1) && i < mem::channelOffset(17))
            || i == mem::ScanAddLow || i == mem::ScanAddHigh || i == mem::PriorityChannel;
        if (!owned)
            QVERIFY2(r.image[i] == before[i], qPrintable(QString::number(i, 16)));
    }
}

void TestGridEditing::insertRefusedWhenChannel16Used()
{
    const MemoryImage full = Numbered(16);
    const ChannelOpResult r = InsertChannel(full, 4, Language::English);
    QVERIFY(!r.done);
    QVERIFY(r.image == full);
    QVERIFY(r.message.contains("channel 16 is in use"));
    QVERIFY(InsertChannel(full, 4, Language::Chinese).message.contains("信道 16"));
}

void TestGridEditing::emptiedFixedPriorityChannel_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("priorityChannel");
    QTest::addColumn<int>("priorityAfter"); // 0 None, 1 Fixed
    QTest::addColumn<int>("channelAfter");
    QTest::addColumn<QString>("undoText");
    const QString released = " (the priority channel: Priority set to None)";
    QTest::newRow("delete it") << "delete" << 3 << 0 << 3 << "Delete Channel 3" + released;
    QTest::newRow("delete another") << "delete" << 8 << 1 << 7 << "Delete Channel 3";
    QTest::newRow("clear it") << "clear" << 3 << 0 << 3 << "Clear Channel 3" + released;
    QTest::newRow("clear another") << "clear" << 4 << 1 << 4 << "Clear Channel 3";
    QTest::newRow("Delete on its Rx cell") << "rx" << 3 << 0 << 3 << "Clear of 1 cell" + released;
    QTest::newRow("Delete on its Power cell") << "power" << 3 << 1 << 3 << "Clear of 1 cell";
}

void TestGridEditing::emptiedFixedPriorityChannel()
{
    QFETCH(QString, op);
    QFETCH(int, priorityChannel);
    QFETCH(int, priorityAfter);
    QFETCH(int, channelAfter);
    QFETCH(QString, undoText);
    const MemoryImage before = WithPriority(Numbered(), 1, priorityChannel);
    MemoryImage after;
    QString undo, message;
    if (op == "delete" || op == "clear") {
        const ChannelOpResult r = op == "delete" ? DeleteChannel(before, 3, Language::English)
                                                 : ClearChannel(before, 3, Language::English);
        QVERIFY(r.done);
        after = r.image, undo = r.undoText, message = r.message;
    } else {
        const GridEditResult r = ClearCells(
            before, { GridCell { 3, op == "rx" ? ColRx : ColPower } }, Language::English);
        after = r.image, undo = r.undoText, message = r.message;
    }
    QCOMPARE(int(after[mem::Priority]), priorityAfter);
    QCOMPARE(int(after[mem::PriorityChannel]), channelAfter);
    QCOMPARE(undo, undoText);
    // The status bar says so exactly when Priority changed.
    QCOMPARE(message.contains("Priority is now None"), priorityAfter == 0);
}

void TestGridEditing::moveRefusedAtTheEnds()
{
    const MemoryImage image = Numbered();
    QVERIFY(!MoveChannel(image, 1, -1, Language::English).done);
    QVERIFY(!MoveChannel(image, 16, 1, Language::English).done);
    QVERIFY(MoveChannel(image, 16, -1, Language::English).done);
    QVERIFY(!ClearChannel(image, 14, Language::English).done); // already empty
}

void TestGridEditing::tsvRoundTrip()
{
    ChannelTable t;
    ChannelsToTable(Numbered(), t, Language::English);
    const QString tsv = CellsToTsv(t, CellRange { 2, 1, 3, 9 });
    QCOMPARE(tsv.count('\n'), 2);
    QCOMPARE(tsv.section('\n', 0, 0).count('\t'), 8);
    QVERIFY(tsv.startsWith("140.25000\t140.25000\t"));
    // A spreadsheet's line ends and a missing last line end read the same.
    QCOMPARE(ParseTsv(tsv), ParseTsv(QString(tsv).replace("\n", "\r\n")));
    QCOMPARE(ParseTsv(tsv), ParseTsv(tsv.chopped(1)));
    QCOMPARE(ParseTsv(tsv).size(), 2);
    QCOMPARE(ParseTsv(tsv).at(1).at(0), QString("140.37500"));
    QCOMPARE(ParseTsv("a\t\tb\n"), (QList<QStringList> { { "a", "", "b" } }));
    QVERIFY(ParseTsv("").isEmpty());
}

void TestGridEditing::headerRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("skipped");
    QTest::addColumn<QString>("firstCell"); // of the block left to paste

    ChannelTable t;
    ChannelsToTable(Numbered(), t, Language::English);
    ChannelTable zh;
    ChannelsToTable(Numbered(), zh, Language::Chinese);
    QTest::newRow("whole channels, English")
        << ChannelsToTsv(t, 2, 3, Language::English) << true << "140.25000";
    QTest::newRow("whole channels, Chinese")
        << ChannelsToTsv(zh, 2, 3, Language::Chinese) << true << "140.25000";
    QTest::newRow("titles without CH") << "Power\tScan Add\r\nLow\tYes\r\n" << true << "Low";
    QTest::newRow("Chinese titles, spaces") << " 接收频率 \t发射频率\n146\t146\n" << true << "146";
    QTest::newRow("plain values") << CellsToTsv(t, CellRange { 2, 1, 3, 9 }) << false
                                  << "140.25000";
    QTest::newRow("titles out of order") << "Power\tRx Frequency\nLow\t146\n" << false << "Power";
}

void TestGridEditing::headerRows()
{
    QFETCH(QString, text);
    QFETCH(bool, skipped);
    QFETCH(QString, firstCell);
    QList<QStringList> block = ParseTsv(text);
    const int rows = block.size();
    QCOMPARE(SkipHeaderRow(&block), skipped);
    QCOMPARE(block.size(), rows - (skipped ? 1 : 0));
    QCOMPARE(block.first().first(), firstCell);
}

void TestGridEditing::recordsCodec()
{
    const MemoryImage image = Numbered();
    QList<RawChannel> back;
    QVERIFY(DecodeChannelRecords(EncodeChannelRecords(image, 3, 5), &back));
    QCOMPARE(back.size(), 3);
    MemoryImage copy = MemoryImage();
    for (int i = 0; i < 3; ++i)
        PutChannel(copy, 3 + i, back.at(i));
    for (int n = 3; n <= 5; ++n)
        QCOMPARE(Record(copy, n), Record(image, n));
}

void TestGridEditing::recordsCodecRefusesMalformed_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = EncodeChannelRecords(Numbered(), 1, 2);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("magic only") << good.left(5);
    QTest::newRow("wrong magic") << QByteArray("XXXXX") + good.mid(5);
    QTest::newRow("short record") << good.chopped(1);
    QByteArray badFlag = good;
    badFlag[5 + 16] = 7;
    QTest::newRow("bad scan flag") << badFlag;
    QTest::newRow("17 records") << EncodeChannelRecords(Numbered(), 1, 16) + good.mid(5, 17);
}

void TestGridEditing::recordsCodecRefusesMalformed()
{
    QFETCH(QByteArray, data);
    QList<RawChannel> out { RawChannel {} };
    QVERIFY(!DecodeChannelRecords(data, &out));
    QCOMPARE(out.size(), 1); // untouched
}

void TestGridEditing::pasteTexts_data()
{
    QTest::addColumn<QString>("tsv");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QStringList>("row12"); // texts of channel 12 after
    QTest::addColumn<QStringList>("problems"); // "row,col"
    const QStringList empty(9, QString());
    QTest::newRow("whole channel")
        << "145.125\t146.5\t88.5\tD071N\tlow\tYes\tCarrier\tNarrow\tYes" << 12 << 1
        << QStringList { "145.12500", "146.50000", "88.5", "D071N", "Low", "Yes", "Carrier",
               "Narrow", "Yes" }
        << QStringList {};
    QTest::newRow("one bad cell of a block") << "145.125\t145.002\tNone\n150\t150\t77.7\t\tHigh\n"
                                             << 12 << 1
                                             << QStringList { "145.12500", "145.12500", "None",
                                                    "None", "High", "No", "Off", "Wide", "No" }
                                             << QStringList { "12,2", "13,3", "13,4" };
    QTest::newRow("out of band Rx keeps the row empty")
        << "99\tHigh" << 12 << 1 << empty << QStringList { "12,1", "12,2" };
    QTest::newRow("attribute of an empty row")
        << "Low" << 12 << 5 << empty << QStringList { "12,5" };
    QTest::newRow("beyond the last column")
        << "Yes\tNo\tYes" << 12 << 9 << empty << QStringList { "12,9" };
}

void TestGridEditing::pasteTexts()
{
    QFETCH(QString, tsv);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QStringList, row12);
    QFETCH(QStringList, problems);
    const MemoryImage before = Numbered();
    const GridEditResult r = PasteTexts(before, ParseTsv(tsv), GridCell { row, col }, kBand,
        BuildToneList(Language::English), Language::English);
    ChannelTable t;
    ChannelsToTable(r.image, t, Language::English);
    QStringList texts;
    for (int c = 1; c < 10; ++c)
        texts << t.text(12, c);
    QCOMPARE(texts, row12);
    QStringList got;
    for (const CellProblem &p : r.problems)
        got << QString("%1,%2").arg(p.row).arg(p.col);
    QCOMPARE(got, problems);
    QCOMPARE(GridEditReport(r, Language::English).isEmpty(), problems.isEmpty() && !r.colsLeftOut);
    // Channels the paste did not reach keep every byte.
    for (int n = 1; n <= 16; ++n)
        if (!r.channels.contains(n))
            QCOMPARE(Record(r.image, n), Record(before, n));
}

void TestGridEditing::pasteStopsAtChannel16()
{
    const QString block = "150\n151\n152\n153\n";
    const GridEditResult r = PasteTexts(MemoryImage::defaults(), ParseTsv(block),
        GridCell { 15, 1 }, kBand, BuildToneList(Language::English), Language::English);
    QCOMPARE(r.channels, (QList<int> { 15, 16 }));
    QCOMPARE(r.rowsLeftOut, 2);
    QVERIFY(GridEditReport(r, Language::English).contains("stopped at channel 16"));
    QCOMPARE(r.undoText, QString("Paste of 2 channels"));
}

void TestGridEditing::pasteRecordsExact()
{
    const MemoryImage source = Numbered();
    QList<RawChannel> records;
    QVERIFY(DecodeChannelRecords(EncodeChannelRecords(source, 2, 4), &records));
    const MemoryImage target = MemoryImage::defaults();
    const GridEditResult r = PasteRecords(target, records, 10, kBand, Language::English);
    QCOMPARE(r.channels, (QList<int> { 10, 11, 12 }));
    QCOMPARE(r.undoText, QString("Paste of 3 channels"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(Record(r.image, 10 + i), Record(source, 2 + i));
    // Beyond 16: what fits is pasted, the rest is reported.
    const GridEditResult tail = PasteRecords(target, records, 15, kBand, Language::English);
    QCOMPARE(tail.channels.size(), 2);
    QCOMPARE(tail.rowsLeftOut, 1);
}

void TestGridEditing::pasteRecordsChecksTheBand()
{
    MemoryImage source = Numbered();
    source.channel(3).setTxBytes(EncodeFrequency(45000000)); // 450 MHz: another band
    QList<RawChannel> records;
    QVERIFY(DecodeChannelRecords(EncodeChannelRecords(source, 2, 4), &records));
    const GridEditResult r
        = PasteRecords(MemoryImage::defaults(), records, 1, kBand, Language::English);
    QCOMPARE(r.channels, (QList<int> { 1, 3 }));
    QCOMPARE(r.problems.size(), 1);
    QCOMPARE(r.problems.first().row, 2);
    QCOMPARE(r.problems.first().col, int(ColTx));
    QVERIFY(r.problems.first().reason.contains("136.00000–174.00000 MHz"));
}

void TestGridEditing::clearCells_data()
{
    QTest::addColumn<QList<int>>("cols"); // of channel 2
    QTest::addColumn<QStringList>("after");
    QTest::newRow("Rx clears the channel") << QList<int> { 1 } << QStringList(9, QString());
    QTest::newRow("Tx follows Rx") << QList<int> { 2 } << QStringList {};
    QTest::newRow("lists go to the defaults") << QList<int> { 5, 8 } << QStringList {};
}

void TestGridEditing::clearCells()
{
    QFETCH(QList<int>, cols);
    QFETCH(QStringList, after);
    MemoryImage before = Numbered();
    before.channel(2).setTxBytes(EncodeFrequency(14500000));
    ChannelTable t0;
    ChannelsToTable(before, t0, Language::English);
    QList<GridCell> cells;
    for (int c : cols)
        cells << GridCell { 2, c };
    const GridEditResult r = ClearCells(before, cells, Language::English);
    ChannelTable t;
    ChannelsToTable(r.image, t, Language::English);
    if (!after.isEmpty()) {
        for (int c = 1; c < 10; ++c)
            QCOMPARE(t.text(2, c), after.at(c - 1));
    } else {
        const QStringList defaults = NewChannelDefaults(Language::English);
        for (int c : cols)
            QCOMPARE(t.text(2, c), c == 2 ? t.text(2, 1) : defaults.at(c - 3));
    }
    QCOMPARE(r.channels, (QList<int> { 2 }));
    QCOMPARE(Record(r.image, 3), Record(before, 3));
}

void TestGridEditing::typeAhead_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("item");
    QTest::newRow("D07") << "D07"
                         << "D071N";
    QTest::newRow("d07 any case") << "d07"
                                  << "D071N";
    QTest::newRow("88") << "88"
                        << "88.5";
    QTest::newRow("none") << "None"
                          << "None";
    QTest::newRow("nothing matches") << "zz"
                                     << "";
    QTest::newRow("nothing typed") << ""
                                   << "";
}

void TestGridEditing::typeAhead()
{
    QFETCH(QString, typed);
    QFETCH(QString, item);
    const QStringList tones = BuildToneList(Language::English);
    const int index = TypeAheadIndex(tones, typed);
    QCOMPARE(index < 0 ? QString() : tones.at(index), item);
}

void TestGridEditing::frequencyHint()
{
    QCOMPARE(FrequencyHint(kBand, Language::English),
        QString("136.00000–174.00000 MHz, 5 or 6.25 kHz steps"));
    QCOMPARE(FrequencyHint(BandLimits { 40000000, 48000000 }, Language::Chinese),
        QString("400.00000–480.00000 MHz，步进 5 或 6.25 kHz"));
    QCOMPARE(FrequencyBandText(BandLimits {}, Language::English), QString("0.00000–0.00000 MHz"));
}

void TestGridEditing::historyRestoresBytes()
{
    CProgramDoc doc;
    doc.m_image = Numbered();
    const MemoryImage first = doc.m_image;
    QSignalSpy changed(&doc, &CProgramDoc::imageChanged);
    const ChannelOpResult del = DeleteChannel(doc.m_image, 2, Language::English);
    doc.applyImageChange(del.image, del.undoText);
    const MemoryImage second = doc.m_image;
    const ChannelOpResult ins = InsertChannel(doc.m_image, 1, Language::English);
    doc.applyImageChange(ins.image, ins.undoText);
    QCOMPARE(changed.size(), 2);
    doc.applyImageChange(doc.m_image, "nothing"); // no change, no step
    QCOMPARE(doc.undoStack()->count(), 2);
    QCOMPARE(doc.undoStack()->undoText(), QString("Insert Channel 1"));

    doc.undoStack()->undo();
    QVERIFY(doc.m_image == second);
    doc.undoStack()->undo();
    QVERIFY(doc.m_image == first);
    QCOMPARE(changed.size(), 4);
    doc.undoStack()->redo();
    doc.undoStack()->redo();
    QVERIFY(doc.m_image == ins.image);
}

void TestGridEditing::modifiedFollowsCleanState()
{
    CProgramDoc doc;
    QVERIFY(!doc.isModified());
    QSignalSpy modified(&doc, &CProgramDoc::modifiedChanged);
    MemoryImage after = doc.m_image;
    after[mem::CallTone] ^= 0x01;
    doc.applyImageChange(after, "Optional Features");
    QVERIFY(doc.isModified());
    doc.markSaved();
    QVERIFY(!doc.isModified());
    after[mem::CallTone] ^= 0x02;
    doc.applyImageChange(after, "Optional Features");
    QVERIFY(doc.isModified());
    doc.undoStack()->undo(); // back to the saved state
    QVERIFY(!doc.isModified());
    doc.undoStack()->undo(); // before the save
    QVERIFY(doc.isModified());
    QCOMPARE(modified.size(), 5);
    QCOMPARE(modified.last().at(0).toBool(), true);
}

QTEST_GUILESS_MAIN(TestGridEditing)
#include "tst_grid_editing.moc"
