// SPDX-License-Identifier: GPL-3.0-or-later
// The in-cell editing rules over the grid texts, without any widget.
#include "core/app/StringTable.h"
#include "core/channels/CellRules.h"
#include "core/image/Codecs.h"

#include <QtTest>

namespace {

const QStringList kUsed
    = { "145.12500", "145.12500", "None", "None", "High", "No", "Off", "Wide", "No" };
const QStringList kEmpty = QStringList(9, QString());

ChannelTable TableWithRow(int row, const QStringList &texts)
{
    ChannelTable t = ChannelTable::withHeaders(Language::English);
    for (int c = 0; c < texts.size(); ++c)
        t.setText(row, c + 1, texts.at(c));
    return t;
}

QStringList RowOf(const ChannelTable &t, int row)
{
    QStringList r;
    for (int c = 1; c < ChannelTable::Cols; ++c)
        r << t.text(row, c);
    return r;
}

QStringList With(QStringList row, int col, const QString &text)
{
    row[col - 1] = text;
    return row;
}

} // namespace

class TestCellRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commit_data();
    void commit();
    void commitTouchesOnlyItsRow();
    void listIndex_data();
    void listIndex();
    void listCommitText();
    void nextCell_data();
    void nextCell();
    void editorOfColumn();
    void editorItems();
};

void TestCellRules::commit_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("band");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("message");

    const QString vhf = QStringLiteral("130 - 160MHz");
    const QStringList zhNew
        = { "145.12500", "145.12500", "无", "无", "高", "无", "关", "宽", "否" };
    const QStringList halfEmpty = With(kEmpty, 1, "150.00000"); // Rx read without Tx

    QTest::newRow("new channel gets defaults")
        << kEmpty << 1 << "145.125" << vhf << false << kUsed << 0;
    QTest::newRow("new channel, Chinese defaults")
        << kEmpty << 1 << "145.125" << vhf << true << zhNew << 0;
    QTest::newRow("off step clears used row")
        << kUsed << 1 << "145.002" << vhf << false << kEmpty << int(ids::StepError);
    QTest::newRow("off step in empty row")
        << kEmpty << 1 << "145.002" << vhf << false << kEmpty << int(ids::StepError);
    QTest::newRow("12.5 kHz multiple accepted")
        << kUsed << 1 << "145.13" << vhf << false << With(kUsed, 1, "145.13000") << 0;
    QTest::newRow("6.25 kHz step accepted")
        << kUsed << 1 << "145.00625" << vhf << false << With(kUsed, 1, "145.00625") << 0;
    QTest::newRow("one unit off step")
        << kUsed << 1 << "145.12499" << vhf << false << kEmpty << int(ids::StepError);
    QTest::newRow("above band") << kEmpty << 1 << "160.00001" << vhf << false << kEmpty
                                << int(ids::OutOfRange);
    QTest::newRow("above band clears used row")
        << kUsed << 1 << "160.00001" << vhf << false << kEmpty << int(ids::OutOfRange);
    QTest::newRow("upper limit inclusive")
        << kUsed << 1 << "160" << vhf << false << With(kUsed, 1, "160.00000") << 0;
    QTest::newRow("lower limit inclusive")
        << kUsed << 1 << "130" << vhf << false << With(kUsed, 1, "130.00000") << 0;
    QTest::newRow("range before step")
        << kUsed << 1 << "129.00001" << vhf << false << kEmpty << int(ids::OutOfRange);
    QTest::newRow("not a number") << kUsed << 1 << "abc" << vhf << false << kEmpty
                                  << int(ids::OutOfRange);
    QTest::newRow("no band text") << kUsed << 1 << "145.125"
                                  << "" << false << kEmpty << int(ids::OutOfRange);
    // More than five decimals: the checks see the rounded value the cell shows and stores.
    QTest::newRow("rounds up off step")
        << kUsed << 1 << "145.1250099" << vhf << false << kEmpty << int(ids::StepError);
    QTest::newRow("rounds up out of band")
        << kUsed << 1 << "160.000009" << vhf << false << kEmpty << int(ids::OutOfRange);
    QTest::newRow("Tx rounds up off step")
        << kUsed << 2 << "145.1250099" << vhf << false << With(kUsed, 2, "") << int(ids::StepError);
    QTest::newRow("rounds down onto a step")
        << kUsed << 1 << "145.1250001" << vhf << false << kUsed << 0;
    // A frequency the record cannot hold is out of range in any band.
    QTest::newRow("zero in empty band") << kEmpty << 1 << "abc"
                                        << "" << false << kEmpty << int(ids::OutOfRange);
    QTest::newRow("below 10 MHz") << kUsed << 1 << "9.995"
                                  << "0 - 20MHz" << false << kEmpty << int(ids::OutOfRange);
    QTest::newRow("Tx below 10 MHz")
        << kUsed << 2 << "5"
        << "0 - 200MHz" << false << With(kUsed, 2, "") << int(ids::OutOfRange);
    QTest::newRow("10 MHz is storable") << kUsed << 1 << "10"
                                        << "0 - 20MHz" << false << With(kUsed, 1, "10.00000") << 0;
    QTest::newRow("trailing text ignored")
        << kEmpty << 1 << " 145.125MHz" << vhf << false << kUsed << 0;
    QTest::newRow("emptied Rx clears row") << kUsed << 1 << "" << vhf << false << kEmpty << 0;
    QTest::newRow("Rx of half-empty row keeps rest")
        << halfEmpty << 1 << "145.125" << vhf << false << With(halfEmpty, 1, "145.12500") << 0;
    QTest::newRow("emptied Tx copies Rx")
        << With(kUsed, 2, "146.00000") << 2 << "" << vhf << false << kUsed << 0;
    QTest::newRow("Tx accepted") << kUsed << 2 << "146.00625" << vhf << false
                                 << With(kUsed, 2, "146.00625") << 0;
    QTest::newRow("Tx in empty row stays empty")
        << kEmpty << 2 << "145.125" << vhf << false << kEmpty << 0;
    QTest::newRow("Tx off step clears only Tx")
        << kUsed << 2 << "145.002" << vhf << false << With(kUsed, 2, "") << int(ids::StepError);
    QTest::newRow("Tx out of band clears only Tx")
        << kUsed << 2 << "170" << vhf << false << With(kUsed, 2, "") << int(ids::OutOfRange);
    QTest::newRow("Tx of half-empty row")
        << halfEmpty << 2 << "" << vhf << false << With(halfEmpty, 2, "150.00000") << 0;
    QTest::newRow("Carrier in empty row dropped")
        << kEmpty << 7 << "Carrier" << vhf << false << kEmpty << 0;
    QTest::newRow("Carrier in used row")
        << kUsed << 7 << "Carrier" << vhf << false << With(kUsed, 7, "Carrier") << 0;
    QTest::newRow("tone in used row")
        << kUsed << 3 << "D023N" << vhf << false << With(kUsed, 3, "D023N") << 0;
    QTest::newRow("option with Rx only")
        << halfEmpty << 5 << "Low" << vhf << false << With(halfEmpty, 5, "Low") << 0;
    QTest::newRow("unlisted tone kept")
        << With(kUsed, 4, "466.0") << 4 << "466.0" << vhf << false << With(kUsed, 4, "466.0") << 0;
    // Passing through a frequency cell (the editor opens and closes on its text) checks
    // nothing: what the radio or the file held stays, even outside today's band.
    const QStringList oddRx = With(kUsed, 1, "1050.00000");
    QTest::newRow("untouched Rx out of band kept")
        << oddRx << 1 << "1050.00000" << vhf << false << oddRx << 0;
    QTest::newRow("untouched Rx off step kept") << With(kUsed, 1, "140.00110") << 1 << "140.00110"
                                                << vhf << false << With(kUsed, 1, "140.00110") << 0;
    QTest::newRow("untouched Rx without band kept") << kUsed << 1 << "145.12500"
                                                    << "" << false << kUsed << 0;
    QTest::newRow("untouched Tx out of band kept")
        << With(kUsed, 2, "470.00000") << 2 << "470.00000" << vhf << false
        << With(kUsed, 2, "470.00000") << 0;
    QTest::newRow("typed over an odd Rx is checked")
        << oddRx << 1 << "1050" << vhf << false << kEmpty << int(ids::OutOfRange);
    QTest::newRow("compand column")
        << kUsed << 9 << "Yes" << vhf << false << With(kUsed, 9, "Yes") << 0;
}

void TestCellRules::commit()
{
    QFETCH(QStringList, before);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, band);
    QFETCH(bool, chinese);
    QFETCH(QStringList, after);
    QFETCH(int, message);

    ChannelTable t = TableWithRow(3, before);
    const int shown = CommitCell(
        t, 3, col, typed, BandLimitsOfText(band), chinese ? Language::Chinese : Language::English);
    QCOMPARE(RowOf(t, 3), after);
    QCOMPARE(shown, message);
}

void TestCellRules::commitTouchesOnlyItsRow()
{
    ChannelTable t = TableWithRow(3, kUsed);
    for (int c = 1; c < ChannelTable::Cols; ++c) {
        t.setText(2, c, kUsed.at(c - 1));
        t.setText(4, c, kUsed.at(c - 1));
    }
    const ChannelTable before = t;
    CommitCell(
        t, 3, 1, QStringLiteral("145.002"), BandLimitsOfText("130 - 160MHz"), Language::English);
    QCOMPARE(RowOf(t, 2), RowOf(before, 2));
    QCOMPARE(RowOf(t, 4), RowOf(before, 4));
    QCOMPARE(t.text(0, 1), before.text(0, 1));
    QCOMPARE(t.text(3, 0), before.text(3, 0));
}

void TestCellRules::listIndex_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("index");

    const QStringList tones = BuildToneList(Language::English);
    const QStringList busy = OptionTexts(OptionKind::BusyLock, Language::English);
    QTest::newRow("listed tone") << tones << "67.0" << 1;
    QTest::newRow("last tone") << tones << "254.1" << 50;
    QTest::newRow("code ignoring case") << tones << "d023n" << int(tones.indexOf("D023N"));
    QTest::newRow("inverted code") << tones << "D754I" << 264;
    QTest::newRow("empty cell: first item") << tones << "" << 0;
    QTest::newRow("none") << tones << "None" << 0;
    QTest::newRow("tone outside list") << tones << "466.0" << -1;
    QTest::newRow("code outside list") << tones << "D000N" << -1;
    QTest::newRow("busy lock tone") << busy << "QT/DQT" << 2;
    QTest::newRow("prefix") << busy << "car" << 1;
    QTest::newRow("Chinese cell in English list") << busy << "载波" << -1;
}

void TestCellRules::listIndex()
{
    QFETCH(QStringList, items);
    QFETCH(QString, cell);
    QFETCH(int, index);
    QCOMPARE(ListIndexForCellText(items, cell), index);
}

void TestCellRules::listCommitText()
{
    const QStringList tones = BuildToneList(Language::English);
    // Untouched list over an unlisted tone: the cell keeps its value.
    QCOMPARE(
        ListCommitText(tones, ListIndexForCellText(tones, "466.0"), "466.0"), QString("466.0"));
    // An entry picked by the user replaces it.
    QCOMPARE(ListCommitText(tones, 0, "466.0"), QString("None"));
    QCOMPARE(ListCommitText(tones, 1, "466.0"), QString("67.0"));
    QCOMPARE(ListCommitText(tones, 265, "x"), QString("x"));
}

void TestCellRules::nextCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("nextRow");
    QTest::addColumn<int>("nextCol");
    QTest::newRow("last cell wraps") << 16 << 9 << 1 << 1;
    QTest::newRow("end of row 3") << 3 << 9 << 4 << 1;
    QTest::newRow("middle") << 3 << 4 << 3 << 5;
    QTest::newRow("first") << 1 << 1 << 1 << 2;
    QTest::newRow("end of row 15") << 15 << 9 << 16 << 1;
    QTest::newRow("row 16 column 8") << 16 << 8 << 16 << 9;
}

void TestCellRules::nextCell()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, nextRow);
    QFETCH(int, nextCol);
    const GridCell next = NextCellAfterEnter({ row, col });
    QCOMPARE(next.row, nextRow);
    QCOMPARE(next.col, nextCol);
}

void TestCellRules::editorOfColumn()
{
    const QList<CellEditorKind> expected = { CellEditorKind::Compand, CellEditorKind::Rx,
        CellEditorKind::Tx, CellEditorKind::Decode, CellEditorKind::Encode, CellEditorKind::Power,
        CellEditorKind::ScanAdd, CellEditorKind::BusyLock, CellEditorKind::Width,
        CellEditorKind::Compand, CellEditorKind::Compand };
    for (int col = 0; col < expected.size(); ++col)
        QCOMPARE(EditorKindOfColumn(col), expected.at(col));
}

void TestCellRules::editorItems()
{
    const QStringList tones = BuildToneList(Language::Chinese);
    QCOMPARE(EditorItems(CellEditorKind::Decode, tones, Language::Chinese).size(), 265);
    QCOMPARE(EditorItems(CellEditorKind::ScanAdd, tones, Language::Chinese),
        QStringList({ "有", "无" }));
    QCOMPARE(EditorItems(CellEditorKind::Compand, tones, Language::Chinese),
        QStringList({ "是", "否" }));
    QCOMPARE(EditorItems(CellEditorKind::BusyLock, tones, Language::English),
        QStringList({ "Off", "Carrier", "QT/DQT" }));
    QVERIFY(EditorItems(CellEditorKind::Rx, tones, Language::English).isEmpty());
}

QTEST_APPLESS_MAIN(TestCellRules)
#include "tst_cellrules.moc"
