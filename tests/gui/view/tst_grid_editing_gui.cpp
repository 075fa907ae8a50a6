// SPDX-License-Identifier: GPL-3.0-or-later
// Editing on the real grid in the real main window: every kind of step is
// undone to the exact bytes and redone, whole channels copied and pasted, a
// spreadsheet block with one bad cell, channel operations keeping the
// priority channel, and the keys F2, Escape, Delete and type-ahead.
#include "tests/common/ShellFixture.h"

#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

namespace {

// Channels 1..6 used (14x MHz), carried bytes and scan-add bits all distinct.
QByteArray SixChannels()
{
    MemoryImage image = MemoryImage::defaults();
    image[mem::ProductType] = 0; // Type1, 136 - 174MHz
    image[mem::FrequencyBand] = 0;
    for (int n = 1; n <= 6; ++n) {
        ChannelRecord ch = image.channel(n);
        const FrequencyBytes f = EncodeFrequency(14000000 + n * 12500);
        ch.setRxBytes(f);
        ch.setTxBytes(f);
        ch.setDecodeTone(EncodeTone(QStringLiteral("None")));
        ch.setEncodeTone(EncodeTone(QStringLiteral("None")));
        ch.setByte(rec::Spare, static_cast<std::uint8_t>(0xA0 + n));
        ch.setByte(rec::Spare + 1, static_cast<std::uint8_t>(0xB0 + n));
        ch.setScanAdd(n % 2 == 0);
    }
    return image.toByteArray();
}

QByteArray Record(const MemoryImage &image, int n)
{
    QByteArray out;
    for (int i = 0; i < mem::RecordSize; ++i)
        out.append(char(image.channel(n).byte(i)));
    out.append(image.channel(n).scanAdd() ? 'S' : '-');
    return out;
}

} // namespace

class TestGridEditingGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void undoRestoresEveryKindOfStep_data();
    void undoRestoresEveryKindOfStep();
    void copiedChannelsPasteIdentical();
    void spreadsheetBlockWithOneBadCell();
    void priorityChannelFollowsItsChannel();
    void selectionFollowsMovedChannel_data();
    void selectionFollowsMovedChannel();
    void keyboardComfort();

private:
    CProgramView *view() const { return m_fx->frame()->activeView(); }
    CProgramDoc *doc() const { return m_fx->frame()->activeDocument(); }
    CChannelGrid *grid() const { return view()->grid(); }
    QWidget *editor() const;
    void clickCell(int row, int col);
    void clickChannelNumber(int row, Qt::KeyboardModifiers mods = {});
    void keys(const QKeySequence &seq);

    std::unique_ptr<ShellFixture> m_fx;
};

void TestGridEditingGui::init()
{
    m_fx = std::make_unique<ShellFixture>(ShellFixture::EnglishIni());
    m_fx->write("six.dat", SixChannels());
    QVERIFY(m_fx->start({ m_fx->dir() + "six.dat" }));
    m_fx->frame()->show();
    m_fx->frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fx->frame()));
}

void TestGridEditingGui::cleanup()
{
    m_fx.reset();
}

QWidget *TestGridEditingGui::editor() const
{
    for (QWidget *w :
        grid()->viewport()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (w->property("ctrlId").isValid() && !w->isHidden())
            return w;
    return nullptr;
}

void TestGridEditingGui::clickCell(int row, int col)
{
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->cellRect(row, col).center());
}

void TestGridEditingGui::clickChannelNumber(int row, Qt::KeyboardModifiers mods)
{
    auto *fixed = grid()->findChild<QTableView *>(QStringLiteral("fixedColumn"));
    const QRect r = fixed->visualRect(fixed->model()->index(row - 1, 0));
    QTest::mouseClick(fixed->viewport(), Qt::LeftButton, mods, r.center());
}

void TestGridEditingGui::keys(const QKeySequence &seq)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : grid();
    const QKeyCombination k = seq[0];
    QTest::keyClick(target, k.key(), k.keyboardModifiers());
}

void TestGridEditingGui::undoRestoresEveryKindOfStep_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("typed Rx") << "typed"
                              << "Rx Frequency of channel 8";
    QTest::newRow("list pick") << "list"
                               << "Power of channel 2";
    QTest::newRow("paste") << "paste"
                           << "Paste of 2 channels";
    QTest::newRow("delete key") << "delete"
                                << "Clear of 1 cell";
    QTest::newRow("cut") << "cut"
                         << "Cut of 9 cells";
    QTest::newRow("insert") << "insert"
                            << "Insert Channel 2";
    QTest::newRow("delete channel") << "deleteChannel"
                                    << "Delete Channel 2";
    QTest::newRow("move down") << "moveDown"
                               << "Move Channel 2 Down";
    QTest::newRow("clear channel") << "clearChannel"
                                   << "Clear Channel 2";
    QTest::newRow("optional features") << "dialog"
                                       << "Optional Features";
}

void TestGridEditingGui::undoRestoresEveryKindOfStep()
{
    QFETCH(QString, step);
    QFETCH(QString, undoText);
    CMainFrame *frame = m_fx->frame();
    const MemoryImage before = doc()->m_image;
    if (step == "typed") {
        clickCell(8, 1);
        QTest::keyClicks(editor(), "150.0125");
        QTest::keyClick(editor(), Qt::Key_Return);
    } else if (step == "list") {
        clickCell(2, 5);
        QTest::keyClicks(editor(), "L");
        QTest::keyClick(editor(), Qt::Key_Return);
    } else if (step == "paste") {
        QApplication::clipboard()->setText("150\t151\n152\n");
        clickCell(9, 1);
        keys(QKeySequence::Paste);
    } else if (step == "delete") {
        clickCell(3, 1);
        QTest::keyClick(editor(), Qt::Key_Delete);
    } else if (step == "cut") {
        clickChannelNumber(4);
        keys(QKeySequence::Cut);
    } else if (step == "dialog") {
        QTimer::singleShot(0, this, [] {
            QWidget *dlg = QApplication::activeModalWidget();
            QVERIFY(dlg);
            dlg->findChild<QCheckBox *>("chkBeep")->click();
            dlg->findChild<QPushButton *>("btnOk")->click();
        });
        frame->OnOptionalFeatures();
        // The offscreen platform leaves the closed dialog active; the keys below are the frame's.
        QApplication::setActiveWindow(frame);
        view()->grid()->setFocus();
    } else {
        clickCell(2, 3);
        const int id = step == "insert" ? cmd::InsertChannel
            : step == "deleteChannel"   ? cmd::DeleteChannel
            : step == "moveDown"        ? cmd::MoveDown
                                        : cmd::ClearChannel;
        if (id == cmd::MoveDown)
            keys(QKeySequence(Qt::CTRL | Qt::Key_Down));
        else
            frame->action(id)->trigger();
    }
    const MemoryImage after = doc()->m_image;
    QVERIFY(after != before);
    QVERIFY(doc()->isModified());
    QCOMPARE(doc()->undoStack()->undoText(), undoText);
    QCOMPARE(frame->action(cmd::Undo)->text(), "&Undo " + undoText);

    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY2(doc()->m_image == before, "undo must give back every byte");
    QVERIFY(!doc()->isModified());
    // The grid shows the image again.
    ChannelTable t;
    ChannelsToTable(before, t, Language::English);
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c < 10; ++c)
            QCOMPARE(grid()->TextMatrix(r, c), t.text(r, c));
    keys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QVERIFY(doc()->m_image == after);
    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(doc()->m_image == after);
}

void TestGridEditingGui::copiedChannelsPasteIdentical()
{
    const MemoryImage source = doc()->m_image;
    clickChannelNumber(2);
    clickChannelNumber(4, Qt::ShiftModifier);
    keys(QKeySequence::Copy);
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    QVERIFY(mime->hasFormat("application/x-radioprog-channels"));
    // Whole channels come with a header row and their numbers.
    const QString text = mime->text();
    QCOMPARE(text.count('\n'), 4);
    QVERIFY(text.startsWith("CH\tRx Frequency\tTx Frequency\tQT/DQT Dec\t"));
    QVERIFY(text.section('\n', 1, 1).startsWith("2\t140.25000\t140.25000\tNone\tNone\t"));
    clickChannelNumber(10);
    keys(QKeySequence::Paste);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(Record(doc()->m_image, 10 + i), Record(source, 2 + i));
    QCOMPARE(doc()->undoStack()->undoText(), QString("Paste of 3 channels"));
    QVERIFY(m_fx->messages.isEmpty());
    // The same text back from a spreadsheet: the header row is no channel.
    QApplication::clipboard()->setText(text);
    clickChannelNumber(13);
    keys(QKeySequence::Paste);
    QVERIFY(m_fx->messages.isEmpty());
    for (int i = 0; i < 3; ++i)
        for (int c = 1; c < 10; ++c)
            QCOMPARE(grid()->TextMatrix(13 + i, c), grid()->TextMatrix(2 + i, c));
}

void TestGridEditingGui::spreadsheetBlockWithOneBadCell()
{
    // As a spreadsheet puts it on the clipboard: CR LF line ends.
    QApplication::clipboard()->setText("150\t150\tNone\tNone\tLow\r\n"
                                       "151\t151.003\tNone\tNone\tHigh\r\n"
                                       "152\t152\tNone\tNone\tHigh\r\n");
    clickCell(10, 1);
    keys(QKeySequence::Paste);
    QCOMPARE(m_fx->messages.size(), 1);
    const QString report = m_fx->messages.first().text;
    QVERIFY2(report.contains("1 cell not pasted"), qPrintable(report));
    QVERIFY2(report.contains("Channel 11, Tx Frequency: not on a 5 or 6.25 kHz step"),
        qPrintable(report));
    // The status bar's one line names the cell too.
    QCOMPARE(m_fx->frame()->statusBar()->currentMessage(),
        QString("1 cell not pasted: channel 11 Tx Frequency."));
    QCOMPARE(grid()->TextMatrix(10, 5), QString("Low"));
    QCOMPARE(grid()->TextMatrix(11, 1), QString("151.00000"));
    QCOMPARE(grid()->TextMatrix(11, 2), QString("151.00000")); // the new channel's own Tx
    QCOMPARE(grid()->TextMatrix(12, 2), QString("152.00000"));
    QCOMPARE(doc()->undoStack()->count(), 1); // one step for the whole block
}

void TestGridEditingGui::priorityChannelFollowsItsChannel()
{
    MemoryImage fixed = doc()->m_image;
    fixed[mem::Priority] = 1;
    fixed[mem::PriorityChannel] = 3;
    doc()->applyImageChange(fixed, "Scan Information");
    CMainFrame *frame = m_fx->frame();

    clickCell(2, 1);
    frame->action(cmd::InsertChannel)->trigger();
    QCOMPARE(int(doc()->m_image[mem::PriorityChannel]), 4);
    clickCell(4, 3);
    keys(QKeySequence(Qt::CTRL | Qt::Key_Down));
    QCOMPARE(int(doc()->m_image[mem::PriorityChannel]), 5);
    QCOMPARE(grid()->Row(), 5); // the current cell went with the channel
    keys(QKeySequence(Qt::CTRL | Qt::Key_Up));
    QCOMPARE(int(doc()->m_image[mem::PriorityChannel]), 4);
    frame->action(cmd::DeleteChannel)->trigger();
    QCOMPARE(int(doc()->m_image[mem::Priority]), 0);
    QVERIFY(frame->statusBar()->currentMessage().contains("Priority is now None"));
    QVERIFY(doc()->undoStack()->undoText().contains("priority channel"));
    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(int(doc()->m_image[mem::Priority]), 1);
    QCOMPARE(int(doc()->m_image[mem::PriorityChannel]), 4);
    // Channel 16 in use: Insert is refused with a message, nothing changes.
    const MemoryImage before = doc()->m_image;
    QApplication::clipboard()->setText("160\n");
    clickCell(16, 1);
    keys(QKeySequence::Paste);
    const MemoryImage full = doc()->m_image;
    QVERIFY(full != before);
    frame->action(cmd::InsertChannel)->trigger();
    QVERIFY(doc()->m_image == full);
    QVERIFY(m_fx->messages.last().text.contains("channel 16 is in use"));
}

void TestGridEditingGui::selectionFollowsMovedChannel_data()
{
    QTest::addColumn<bool>("wholeChannel");
    QTest::newRow("channel number") << true;
    QTest::newRow("Rx cell") << false;
}

void TestGridEditingGui::selectionFollowsMovedChannel()
{
    QFETCH(bool, wholeChannel);
    const MemoryImage source = doc()->m_image;
    if (wholeChannel)
        clickChannelNumber(5);
    else
        clickCell(5, 1);
    keys(QKeySequence(Qt::CTRL | Qt::Key_Up));
    keys(QKeySequence(Qt::CTRL | Qt::Key_Up));
    QCOMPARE(grid()->Row(), 3);
    keys(QKeySequence(Qt::Key_Delete));
    // Only the moved channel (old 5, now 3) is cleared; 4 and 5 keep old 3 and 4.
    QVERIFY(doc()->m_image.channel(3).isEmpty());
    QCOMPARE(Record(doc()->m_image, 4), Record(source, 3));
    QCOMPARE(Record(doc()->m_image, 5), Record(source, 4));
}

void TestGridEditingGui::keyboardComfort()
{
    CMainFrame *frame = m_fx->frame();
    // The band hint while a frequency is typed.
    clickCell(2, 1);
    QCOMPARE(frame->statusBar()->currentMessage(),
        QString("136.00000–174.00000 MHz, 5 or 6.25 kHz steps"));
    // Escape drops what was typed and shows the cell as it was.
    QTest::keyClicks(editor(), "999");
    QTest::keyClick(editor(), Qt::Key_Escape);
    QVERIFY(editor() == nullptr);
    QCOMPARE(grid()->TextMatrix(2, 1), QString("140.25000"));
    QCOMPARE(doc()->undoStack()->count(), 0);
    // Edit > Undo while typing drops the typing only.
    clickCell(3, 1);
    QTest::keyClicks(editor(), "150");
    QTest::keyClick(editor(), Qt::Key_Return);
    clickCell(2, 1);
    QTest::keyClicks(editor(), "151");
    frame->action(cmd::Undo)->trigger();
    QCOMPARE(grid()->TextMatrix(2, 1), QString("140.25000"));
    QCOMPARE(grid()->TextMatrix(3, 1), QString("150.00000"));
    QCOMPARE(doc()->undoStack()->index(), 1);
    clickCell(2, 1);
    QTest::keyClick(editor(), Qt::Key_Escape);
    QVERIFY(editor() == nullptr);
    // F2 opens the current cell's editor again.
    QTest::keyClick(grid(), Qt::Key_F2);
    QVERIFY(qobject_cast<QLineEdit *>(editor()));
    QCOMPARE(qobject_cast<QLineEdit *>(editor())->text(), QString("140.25000"));
    // Type-ahead in the tone list; the hint is gone there.
    clickCell(2, 3);
    QCOMPARE(frame->statusBar()->currentMessage(), QString());
    auto *combo = qobject_cast<QComboBox *>(editor());
    QVERIFY(combo);
    QTest::keyClicks(combo, "D07");
    QCOMPARE(combo->currentText(), QString("D071N"));
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(grid()->TextMatrix(2, 3), QString("D071N"));
    clickCell(2, 4);
    QTest::keyClicks(editor(), "88");
    QCOMPARE(qobject_cast<QComboBox *>(editor())->currentText(), QString("88.5"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCOMPARE(grid()->TextMatrix(2, 4), QString("None"));
}

QTEST_MAIN(TestGridEditingGui)
#include "tst_grid_editing_gui.moc"
