// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid as the user drives it: clicks, typing, Enter, Tab,
// scrolling and F1 on the real widgets, and saving through the view.
#include "tests/common/EditorTestEnv.h"

#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "gui/shell/Help.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

struct Fixture
{
    std::unique_ptr<CProgramDoc> doc;
    std::unique_ptr<CProgramView> view;
    CChannelGrid *grid() const { return view->grid(); }
};

} // namespace

class TestProgramView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void newDocumentShowsEmptyGrid();
    void headersAndWidths();
    void typedRxFillsNewChannel();
    void enterWalksTheGrid_data();
    void enterWalksTheGrid();
    void rejectedFrequencyShowsMessage_data();
    void rejectedFrequencyShowsMessage();
    void tabAndClickCommit();
    void emptiedTxCopiesRx();
    void attributeOfEmptyRowDropped();
    void listOpensOnCellText();
    void unlistedToneSurvivesVisit();
    void pickedEntryReplacesUnlistedTone();
    void scrollDiscardsEdit();
    void leavingForHiddenCellCommits();
    void f1AsksHelpForFocusedControl_data();
    void f1AsksHelpForFocusedControl();
    void chineseGrid();
    void openedFileSyncsStoreAndBand();
    void datRoundTripKeepsUncoveredBits();
    void saveStoresOwnViewsGrid();
    void commitFromOutside();
    void saveCommitsTheOpenEditor();
    void channelNumbersStayInPlace();
    void visitedOddFrequenciesKeepTheirBytes();

private:
    Fixture makeView(const QString &datPath = QString());
    void clickCell(Fixture &f, int row, int col);
    QWidget *visibleEditor(const Fixture &f) const;
    QStringList rowTexts(const Fixture &f, int row) const;

    QTemporaryDir m_dir;
    QList<ShownMessage> m_messages;
};

void TestProgramView::initTestCase()
{
    SetHelpWindowSuppressed(true);
    SetMessageHook([this](const ShownMessage &m) {
        m_messages << m;
        return QMessageBox::Ok;
    });
}

void TestProgramView::init()
{
    QVERIFY(editortest::OpenTestIni(m_dir));
    g_bChinese = false;
    g_strAppDir = m_dir.path() + QLatin1Char('/');
    m_messages.clear();
}

void TestProgramView::cleanup()
{
    g_bChinese = false;
}

Fixture TestProgramView::makeView(const QString &datPath)
{
    Fixture f;
    f.doc = std::make_unique<CProgramDoc>();
    if (datPath.isEmpty())
        f.doc->OnNewDocument();
    else if (!f.doc->OnOpenDocument(datPath))
        qFatal("cannot open %s", qPrintable(datPath));
    f.view = std::make_unique<CProgramView>(f.doc.get());
    f.view->OnInitialUpdate();
    f.view->show();
    f.view->activateWindow();
    if (!QTest::qWaitForWindowExposed(f.view.get()))
        qFatal("view not exposed");
    return f;
}

void TestProgramView::clickCell(Fixture &f, int row, int col)
{
    const QRect r = f.grid()->cellRect(row, col);
    QTest::mouseClick(f.grid()->viewport(), Qt::LeftButton, {}, r.center());
}

QWidget *TestProgramView::visibleEditor(const Fixture &f) const
{
    QWidget *found = nullptr;
    for (QWidget *w :
        f.grid()->viewport()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->property("ctrlId").isValid() && !w->isHidden()) {
            if (found)
                return nullptr; // never two at once
            found = w;
        }
    }
    return found;
}

QStringList TestProgramView::rowTexts(const Fixture &f, int row) const
{
    QStringList r;
    for (int c = 1; c < 10; ++c)
        r << f.grid()->TextMatrix(row, c);
    return r;
}

void TestProgramView::newDocumentShowsEmptyGrid()
{
    UserSettings store = UserSettings::forApplication();
    store.setValue("Type", 0);
    store.setValue("Field", 1);
    Fixture f = makeView();
    QCOMPARE(f.grid()->Rows(), 17);
    QCOMPARE(f.grid()->Cols(), 10);
    for (int r = 1; r <= 16; ++r) {
        QCOMPARE(f.grid()->TextMatrix(r, 0), QString::asprintf("%2d", r));
        QCOMPARE(rowTexts(f, r), QStringList(9, QString()));
    }
    QCOMPARE(f.view->m_nBandLow, 13600000);
    QCOMPARE(f.view->m_nBandHigh, 17400000);
    QCOMPARE(int(f.doc->m_image[mem::FrequencyBand]), 1);
    QCOMPARE(g_strTitle, QString("Test Radio Programming Software"));
    QVERIFY(visibleEditor(f) == nullptr);
}

void TestProgramView::headersAndWidths()
{
    Fixture f = makeView();
    QCOMPARE(f.grid()->TextMatrix(0, 0), QString("CH"));
    QCOMPARE(f.grid()->TextMatrix(0, 1), QString("Rx Frequency"));
    QCOMPARE(f.grid()->TextMatrix(0, 9), QString("Compand"));
    const int w0 = f.grid()->ColWidth(0);
    // Column 0 is half the default width; frequency columns 1.2 times it.
    QVERIFY(qAbs(f.grid()->ColWidth(1) - int(2.4 * w0)) <= 2);
    QVERIFY(qAbs(f.grid()->ColWidth(3) - int(2.2 * w0)) <= 2);
    QVERIFY(qAbs(f.grid()->ColWidth(9) - int(1.8 * w0)) <= 2);
    QCOMPARE(f.grid()->horizontalHeaderItem(1)->foreground().color(), QColor(0, 50, 240));
    QCOMPARE(f.grid()->item(4, 0)->foreground().color(), QColor(0, 50, 240));
    QCOMPARE(f.grid()->item(4, 5)->textAlignment(), int(Qt::AlignCenter));
    // The channel number column never becomes current.
    clickCell(f, 5, 0);
    QVERIFY(f.grid()->Col() != 0);
}

void TestProgramView::typedRxFillsNewChannel()
{
    Fixture f = makeView();
    clickCell(f, 3, 1);
    auto *rx = f.view->findChild<QLineEdit *>("editRx");
    QVERIFY(rx && !rx->isHidden());
    QCOMPARE(rx->geometry(), f.grid()->cellRect(3, 1));
    QTest::keyClicks(rx, "145.125");
    QTest::keyClick(rx, Qt::Key_Return);
    QCOMPARE(rowTexts(f, 3),
        QStringList(
            { "145.12500", "145.12500", "None", "None", "High", "No", "Off", "Wide", "No" }));
    QVERIFY(m_messages.isEmpty());
    // Enter moved on to the Tx cell and opened its editor.
    QCOMPARE(f.grid()->Row(), 3);
    QCOMPARE(f.grid()->Col(), 2);
    QCOMPARE(visibleEditor(f), f.view->findChild<QLineEdit *>("editTx"));
}

void TestProgramView::enterWalksTheGrid_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("nextRow");
    QTest::addColumn<int>("nextCol");
    QTest::newRow("last cell to first") << 16 << 9 << 1 << 1;
    QTest::newRow("end of row 3") << 3 << 9 << 4 << 1;
    QTest::newRow("next column") << 7 << 4 << 7 << 5;
}

void TestProgramView::enterWalksTheGrid()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, nextRow);
    QFETCH(int, nextCol);
    Fixture f = makeView();
    clickCell(f, row, col);
    QWidget *editor = visibleEditor(f);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Enter);
    QCOMPARE(f.grid()->Row(), nextRow);
    QCOMPARE(f.grid()->Col(), nextCol);
    QVERIFY(visibleEditor(f));
    QCOMPARE(visibleEditor(f)->geometry(), f.grid()->cellRect(nextRow, nextCol));
}

void TestProgramView::rejectedFrequencyShowsMessage_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message");
    QTest::addColumn<QStringList>("after");
    const QStringList used
        = { "145.12500", "145.12500", "None", "None", "High", "No", "Off", "Wide", "No" };
    QStringList txCleared = used;
    txCleared[1].clear();
    QTest::newRow("Rx off step") << 1 << "145.002" << int(ids::StepError)
                                 << QStringList(9, QString());
    QTest::newRow("Rx out of range")
        << 1 << "160.00001" << int(ids::OutOfRange) << QStringList(9, QString());
    QTest::newRow("Tx off step") << 2 << "145.002" << int(ids::StepError) << txCleared;
    QTest::newRow("Tx out of range") << 2 << "99" << int(ids::OutOfRange) << txCleared;
}

void TestProgramView::rejectedFrequencyShowsMessage()
{
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(int, message);
    QFETCH(QStringList, after);
    Fixture f = makeView();
    clickCell(f, 6, 1);
    QTest::keyClicks(visibleEditor(f), "145.125");
    QTest::keyClick(visibleEditor(f), Qt::Key_Return);
    if (f.grid()->Col() != col) // after Enter the Tx editor is already open
        clickCell(f, 6, col);
    QLineEdit *edit = qobject_cast<QLineEdit *>(visibleEditor(f));
    QVERIFY(edit);
    QVERIFY(edit->hasSelectedText()); // the cell text comes up selected: typing replaces it
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text, LoadString(message));
    QCOMPARE(m_messages.first().caption, QString("Caution"));
    QCOMPARE(m_messages.first().icon, MsgIcon::Exclamation);
    QCOMPARE(rowTexts(f, 6), after);
    // A rejected value keeps the cell current, with no editor open.
    QCOMPARE(f.grid()->Row(), 6);
    QCOMPARE(f.grid()->Col(), col);
    QVERIFY(visibleEditor(f) == nullptr);
    // Typing into the bare grid does not jump to a matching cell: it edits
    // the kept cell, so a corrected value is not lost.
    QTest::keyClicks(f.grid(), "1");
    QCOMPARE(f.grid()->Row(), 6);
    QCOMPARE(f.grid()->Col(), col);
    edit = qobject_cast<QLineEdit *>(visibleEditor(f));
    QVERIFY(edit);
    QCOMPARE(edit->text(), QString("1"));
    QTest::keyClicks(edit, "46.5");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(f.grid()->TextMatrix(6, col), QString("146.50000"));
}

void TestProgramView::tabAndClickCommit()
{
    Fixture f = makeView();
    clickCell(f, 2, 1);
    QTest::keyClicks(visibleEditor(f), "150.0125");
    QTest::keyClick(visibleEditor(f), Qt::Key_Tab);
    QCOMPARE(f.grid()->TextMatrix(2, 1), QString("150.01250"));
    QCOMPARE(f.grid()->Col(), 2);
    QTest::keyClicks(visibleEditor(f), "155");
    clickCell(f, 10, 5); // leaving by mouse commits as well
    QCOMPARE(f.grid()->TextMatrix(2, 2), QString("155.00000"));
    QCOMPARE(f.grid()->Row(), 10);
    // Row 10 is empty: the power list opened there stores nothing when left.
    clickCell(f, 1, 1);
    QCOMPARE(f.grid()->TextMatrix(10, 5), QString());
    QVERIFY(m_messages.isEmpty());
}

void TestProgramView::emptiedTxCopiesRx()
{
    Fixture f = makeView(RADIOPROG_TEST_DATA "/editor/channels.dat");
    // The file's type 4, band 2 allows 400-480 MHz; channel 2 is 146.52 MHz but
    // an emptied Tx needs no check.
    clickCell(f, 2, 2);
    QTest::keyClick(visibleEditor(f), Qt::Key_Delete);
    QTest::keyClick(visibleEditor(f), Qt::Key_Return);
    QCOMPARE(f.grid()->TextMatrix(2, 2), QString("146.52000"));
    QVERIFY(m_messages.isEmpty());
}

void TestProgramView::attributeOfEmptyRowDropped()
{
    Fixture f = makeView();
    clickCell(f, 4, 7);
    auto *busy = qobject_cast<QComboBox *>(visibleEditor(f));
    QVERIFY(busy);
    QCOMPARE(busy->objectName(), QString("comboBusyLock"));
    QTest::keyClick(busy, Qt::Key_Down); // "Carrier"
    QCOMPARE(busy->currentText(), QString("Carrier"));
    QTest::keyClick(busy, Qt::Key_Return);
    QCOMPARE(f.grid()->TextMatrix(4, 7), QString());
}

void TestProgramView::listOpensOnCellText()
{
    Fixture f = makeView(RADIOPROG_TEST_DATA "/editor/channels.dat");
    clickCell(f, 2, 3);
    auto *decode = qobject_cast<QComboBox *>(visibleEditor(f));
    QVERIFY(decode);
    QCOMPARE(decode->currentText(), QString("D023N"));
    QCOMPARE(decode->count(), 265);
    // The tone list drops down as a short scrolling list, not one screen-high column.
    decode->showPopup();
    QTRY_VERIFY(decode->view()->isVisible());
    QVERIFY(decode->view()->verticalScrollBar()->isVisible());
    QVERIFY(decode->view()->height() < 14 * decode->view()->sizeHintForRow(0));
    decode->hidePopup();
    clickCell(f, 1, 7);
    QCOMPARE(qobject_cast<QComboBox *>(visibleEditor(f))->currentText(), QString("Carrier"));
    // Choosing another entry and leaving stores it.
    QTest::keyClick(visibleEditor(f), Qt::Key_Down);
    QTest::keyClick(visibleEditor(f), Qt::Key_Return);
    QCOMPARE(f.grid()->TextMatrix(1, 7), QString("QT/DQT"));
}

void TestProgramView::unlistedToneSurvivesVisit()
{
    Fixture f = makeView(RADIOPROG_TEST_DATA "/editor/channels.dat");
    QCOMPARE(f.grid()->TextMatrix(1, 3), QString("466.0"));
    clickCell(f, 1, 3);
    auto *decode = qobject_cast<QComboBox *>(visibleEditor(f));
    QVERIFY(decode);
    QCOMPARE(decode->currentIndex(), -1);
    QCOMPARE(decode->placeholderText(), QString("466.0"));
    QTest::keyClick(decode, Qt::Key_Return);
    QCOMPARE(f.grid()->TextMatrix(1, 3), QString("466.0"));
    clickCell(f, 1, 3);
    clickCell(f, 5, 5);
    QCOMPARE(f.grid()->TextMatrix(1, 3), QString("466.0"));
}

void TestProgramView::pickedEntryReplacesUnlistedTone()
{
    Fixture f = makeView(RADIOPROG_TEST_DATA "/editor/channels.dat");
    clickCell(f, 1, 3);
    auto *decode = qobject_cast<QComboBox *>(visibleEditor(f));
    QVERIFY(decode);
    QTest::keyClick(decode, Qt::Key_Down);
    const QString picked = decode->currentText();
    QVERIFY(!picked.isEmpty());
    QTest::keyClick(decode, Qt::Key_Return);
    QCOMPARE(f.grid()->TextMatrix(1, 3), picked);
}

void TestProgramView::scrollDiscardsEdit()
{
    Fixture f = makeView();
    f.view->resize(260, 170); // small enough for the grid to scroll
    QTRY_VERIFY(f.grid()->verticalScrollBar()->maximum() > 0);
    clickCell(f, 1, 1);
    QTest::keyClicks(visibleEditor(f), "145.125");
    f.grid()->verticalScrollBar()->setValue(f.grid()->verticalScrollBar()->maximum());
    QVERIFY(visibleEditor(f) == nullptr);
    QCOMPARE(f.grid()->TextMatrix(1, 1), QString());
    QVERIFY(!f.view->CommitCellEditor());
    QCOMPARE(f.grid()->TextMatrix(1, 1), QString());
}

void TestProgramView::leavingForHiddenCellCommits()
{
    Fixture f = makeView();
    f.view->resize(220, 170); // the cell moved to lies outside the visible part
    QTRY_VERIFY(f.grid()->verticalScrollBar()->maximum() > 0);
    clickCell(f, 1, 1);
    QTest::keyClicks(visibleEditor(f), "145.125");
    // The grid scrolls to the new cell only after the cell left has been committed.
    QTest::keyClick(visibleEditor(f), Qt::Key_Backtab); // wraps to row 16, column 9
    QCOMPARE(f.grid()->Row(), 16);
    QCOMPARE(f.grid()->Col(), 9);
    QVERIFY(
        f.grid()->verticalScrollBar()->value() > 0 || f.grid()->horizontalScrollBar()->value() > 0);
    QCOMPARE(f.grid()->TextMatrix(1, 1), QString("145.12500"));
    QCOMPARE(f.grid()->TextMatrix(1, 2), QString("145.12500"));
}

void TestProgramView::f1AsksHelpForFocusedControl_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("context");
    QTest::newRow("Rx") << 1 << 2127;
    QTest::newRow("Tx") << 2 << 2128;
    QTest::newRow("decode") << 3 << 2132;
    QTest::newRow("encode") << 4 << 2133;
    QTest::newRow("power") << 5 << 1129;
    QTest::newRow("scan add") << 6 << 1134;
    QTest::newRow("busy lock") << 7 << 1139;
    QTest::newRow("bandwidth") << 8 << 1128;
    QTest::newRow("compand") << 9 << 2134;
}

void TestProgramView::f1AsksHelpForFocusedControl()
{
    QFETCH(int, col);
    QFETCH(int, context);
    Fixture f = makeView();
    QApplication::setActiveWindow(f.view.get());
    clickCell(f, 8, col);
    QWidget *editor = visibleEditor(f);
    QVERIFY(editor);
    QTRY_COMPARE(QApplication::focusWidget(), editor);
    QTest::keyClick(editor, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), context);
    // Without an editor the grid itself has the focus.
    f.view->CommitCellEditor();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.grid()));
    QTest::keyClick(f.grid(), Qt::Key_F1);
    QCOMPARE(LastHelpContext(), 1000);
}

void TestProgramView::chineseGrid()
{
    g_bChinese = true;
    g_strLanguage = QStringLiteral("Chinese");
    Fixture f = makeView();
    QCOMPARE(f.grid()->TextMatrix(0, 1), QString("接收频率"));
    clickCell(f, 16, 1);
    QTest::keyClicks(visibleEditor(f), "145.125");
    QTest::keyClick(visibleEditor(f), Qt::Key_Return);
    QCOMPARE(rowTexts(f, 16),
        QStringList({ "145.12500", "145.12500", "无", "无", "高", "无", "关", "宽", "否" }));
    QCOMPARE(g_strTitle, QString("测试对讲机 写频软件"));
    clickCell(f, 16, 5);
    auto *power = qobject_cast<QComboBox *>(visibleEditor(f));
    QVERIFY(power);
    QCOMPARE(power->itemText(0), QString("高"));
    QCOMPARE(power->currentText(), QString("高"));
}

void TestProgramView::openedFileSyncsStoreAndBand()
{
    UserSettings store = UserSettings::forApplication();
    store.setValue("Type", 0);
    store.setValue("Field", 0);
    Fixture f = makeView(RADIOPROG_TEST_DATA "/editor/channels.dat");
    QCOMPARE(store.value("Type", -1), 3);
    QCOMPARE(store.value("Field", -1), 1);
    QCOMPARE(f.view->m_nBandLow, 40000000);
    QCOMPARE(f.view->m_nBandHigh, 48000000);
    QCOMPARE(rowTexts(f, 2),
        QStringList(
            { "146.52000", "146.52000", "D023N", "D754I", "Low", "No", "QT/DQT", "Wide", "No" }));
    QCOMPARE(f.grid()->TextMatrix(9, 6), QString("Yes"));
    QCOMPARE(f.grid()->TextMatrix(16, 1), QString("140.00000"));
    QCOMPARE(f.grid()->TextMatrix(16, 6), QString()); // empty channel: bit not shown
}

void TestProgramView::datRoundTripKeepsUncoveredBits()
{
    const QString src = RADIOPROG_TEST_DATA "/editor/channels.dat";
    const QByteArray original = editortest::ReadAll(src);
    Fixture f = makeView(src);
    // Channel 2: low power becomes high through the list.
    clickCell(f, 2, 5);
    QTest::keyClick(visibleEditor(f), Qt::Key_Up);
    QCOMPARE(qobject_cast<QComboBox *>(visibleEditor(f))->currentText(), QString("High"));
    QTest::keyClick(visibleEditor(f), Qt::Key_Return);
    const QString out = m_dir.filePath("roundtrip.dat");
    QVERIFY(f.doc->OnSaveDocument(out));
    const QByteArray saved = editortest::ReadAll(out);
    QCOMPARE(saved.size(), 1024);

    QByteArray expected = original;
    const int ch2 = mem::channelOffset(2);
    expected[ch2 + rec::FlagsB] = char(0x3F); // only the power bit changed
    for (int n : { 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16 }) {
        // Empty channels are written as blank cells: busy lock 10, compand,
        // power and bandwidth 0; their other flag bits and +14/+15 stay.
        const int at = mem::channelOffset(n);
        expected[at + rec::FlagsA] = char((quint8(original.at(at + rec::FlagsA)) & ~0x38) | 0x10);
        expected[at + rec::FlagsB] = char(quint8(original.at(at + rec::FlagsB)) & ~0x30);
    }
    expected[mem::ScanAddHigh] = char(0x01); // empty channel 16 loses its scan-add bit
    for (int i = 0; i < 1024; ++i)
        QVERIFY2(saved.at(i) == expected.at(i),
            qPrintable(QString("offset 0x%1: %2 instead of %3")
                           .arg(i, 3, 16, QLatin1Char('0'))
                           .arg(quint8(saved.at(i)), 2, 16)
                           .arg(quint8(expected.at(i)), 2, 16)));
}

void TestProgramView::saveStoresOwnViewsGrid()
{
    Fixture first = makeView();
    Fixture second = makeView();
    clickCell(first, 1, 1);
    QTest::keyClicks(visibleEditor(first), "145.125");
    QTest::keyClick(visibleEditor(first), Qt::Key_Return);
    clickCell(second, 5, 1);
    QTest::keyClicks(visibleEditor(second), "150");
    QTest::keyClick(visibleEditor(second), Qt::Key_Return);

    const QString path = m_dir.filePath("first.dat");
    QVERIFY(first.doc->OnSaveDocument(path));
    MemoryImage saved;
    QVERIFY(MemoryImage::fromBytes(editortest::ReadAll(path), &saved));
    QCOMPARE(saved.channel(1).byte(rec::Rx + 3), std::uint8_t(0x14));
    QVERIFY(saved.channel(5).isEmpty());
    // A view gone before its document leaves a save that still works.
    second.view.reset();
    QVERIFY(second.doc->OnSaveDocument(m_dir.filePath("second.dat")));
}

void TestProgramView::commitFromOutside()
{
    Fixture f = makeView();
    QVERIFY(!f.view->CommitCellEditor()); // nothing open
    clickCell(f, 12, 1);
    QTest::keyClicks(visibleEditor(f), "145.002");
    QVERIFY(f.view->CommitCellEditor());
    QCOMPARE(m_messages.size(), 1);
    clickCell(f, 12, 1);
    QTest::keyClicks(visibleEditor(f), "145.125");
    QVERIFY(!f.view->CommitCellEditor());
    QCOMPARE(f.view->table().text(12, 2), QString("145.12500"));
    QVERIFY(visibleEditor(f) == nullptr);
}

void TestProgramView::saveCommitsTheOpenEditor()
{
    Fixture f = makeView();
    clickCell(f, 3, 1);
    QTest::keyClicks(visibleEditor(f), "146.5");
    // Still typing: the editor is open when File > Save runs.
    const QString path = m_dir.filePath("typing.dat");
    QVERIFY(f.doc->OnSaveDocument(path));
    MemoryImage saved;
    QVERIFY(MemoryImage::fromBytes(editortest::ReadAll(path), &saved));
    QCOMPARE(saved.channel(3).rxBytes(), (FrequencyBytes { 0x00, 0x00, 0x65, 0x14 }));
    QCOMPARE(f.view->table().text(3, 1), QString("146.50000"));
}

void TestProgramView::channelNumbersStayInPlace()
{
    Fixture f = makeView();
    f.view->resize(300, 200); // narrow: the grid scrolls sideways
    QTRY_VERIFY(f.grid()->horizontalScrollBar()->maximum() > 0);
    auto *fixed = f.grid()->findChild<QTableView *>(QStringLiteral("fixedColumn"));
    QVERIFY(fixed);
    clickCell(f, 3, 1);
    for (int i = 0; i < 8; ++i) // Enter to column 9
        QTest::keyClick(visibleEditor(f), Qt::Key_Return);
    QCOMPARE(f.grid()->Col(), 9);
    QVERIFY(f.grid()->horizontalScrollBar()->value() > 0);
    // The channel numbers are still shown at the left edge, with their header...
    QVERIFY(fixed->isVisible());
    QCOMPARE(fixed->x(), f.grid()->frameWidth());
    QCOMPARE(fixed->width(), f.grid()->ColWidth(0));
    QCOMPARE(fixed->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("CH"));
    QCOMPARE(fixed->model()->index(2, 0).data().toString(), QStringLiteral(" 3"));
    // ...and going back to column 1 brings it out from under them.
    clickCell(f, 3, 9);
    QTest::keyClick(visibleEditor(f), Qt::Key_Backtab);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(visibleEditor(f), Qt::Key_Backtab);
    QCOMPARE(f.grid()->Col(), 1);
    QVERIFY(f.grid()->cellRect(3, 1).left() >= f.grid()->ColWidth(0));
    QVERIFY(visibleEditor(f)->geometry().left() >= f.grid()->ColWidth(0) - 3);
}

void TestProgramView::visitedOddFrequenciesKeepTheirBytes()
{
    // Frequencies read from a radio that the program would write differently, or
    // that lie outside the band chosen now: clicking through their cells and saving
    // changes no byte and shows no message.
    MemoryImage image = MemoryImage::defaults();
    image.channel(1).setRxBytes({ 0x00, 0x00, 0x00, 0xA5 }); // 1050.00000
    image.channel(1).setTxBytes({ 0x00, 0x25, 0x51, 0x14 });
    image.channel(2).setRxBytes({ 0xAA, 0x00, 0x00, 0x14 }); // 140.00110, off step
    image.channel(2).setTxBytes({ 0x00, 0x00, 0x00, 0x47 }); // 470.00000, out of band
    for (int n : { 1, 2 }) {
        // Flags the grid writes back as they are (busy lock 11 would come back as 10).
        image.channel(n).setByte(rec::FlagsA, 0xD7);
        image.channel(n).setByte(rec::FlagsB, 0xCF);
    }
    const QString path = m_dir.filePath(QStringLiteral("odd.dat"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(image.toByteArray());
    file.close();
    Fixture f = makeView(path);
    QCOMPARE(f.grid()->TextMatrix(1, 1), QString("1050.00000"));
    const MemoryImage before = f.doc->m_image;
    for (const auto &[row, col] : { std::pair { 1, 1 }, { 1, 2 }, { 2, 1 }, { 2, 2 }, { 5, 5 } })
        clickCell(f, row, col);
    QTest::keyClick(f.grid(), Qt::Key_Return);
    QCOMPARE(m_messages.size(), 0);
    f.view->GridToImage();
    for (int i = mem::channelOffset(1); i < mem::channelOffset(3); ++i)
        QVERIFY2(f.doc->m_image.at(i) == before.at(i), qPrintable(QString::number(i, 16)));
}

QTEST_MAIN(TestProgramView)
#include "tst_programview.moc"
