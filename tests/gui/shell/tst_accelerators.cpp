// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's keyboard accelerators work wherever the focus is: on the grid,
// in each open cell editor, in the navigation tree, in the MDI area. A key that
// another widget also claims (the document window's own Ctrl+W, a shortcut an
// editor keeps for itself) would be ambiguous or swallowed, and its command
// would not run.
#include "tests/common/ShellFixture.h"

#include "core/app/StringTable.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MdiClient.h"
#include "gui/shell/NavBar.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QtTest>

namespace {

/// One accelerator: its keys and the command it runs. Add a row for every new one.
struct Accelerator
{
    const char *keys;
    int command;
};

const Accelerator kAccelerators[] = {
    { "Ctrl+N", ids::FileNew },
    { "Ctrl+O", ids::FileOpen },
    { "Ctrl+P", ids::FilePrint },
    { "Ctrl+R", ids::PromptRead },
    { "Ctrl+S", ids::FileSave },
    { "Ctrl+W", ids::PromptWrite },
    { "F6", ids::NextPane },
    { "Shift+F6", ids::PrevPane },
};

/// Where the focus rests when the key is pressed.
enum class Focus { Grid, CellEditor, Tree, MdiArea, DocumentWindow };
} // namespace
Q_DECLARE_METATYPE(Focus)
namespace {

// Warnings Qt prints while a key is handled ("Ambiguous shortcut overload").
QStringList s_warnings;
QtMessageHandler s_previousHandler = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg)
        s_warnings << text;
    if (s_previousHandler)
        s_previousHandler(type, context, text);
}

// Puts the focus where a user would: a click on a cell opens its editor.
QWidget *placeFocus(CMainFrame *frame, Focus where, int column)
{
    CProgramView *view = frame->activeView();
    if (!view)
        return nullptr;
    CChannelGrid *grid = view->grid();
    switch (where) {
    case Focus::Grid:
        grid->setFocus(Qt::MouseFocusReason);
        break;
    case Focus::CellEditor:
        grid->setCurrentGridCell(3, column);
        break;
    case Focus::Tree:
        frame->navBar()->tree()->setFocus(Qt::MouseFocusReason);
        break;
    case Focus::MdiArea:
        frame->mdiClient()->setFocus(Qt::MouseFocusReason);
        break;
    case Focus::DocumentWindow:
        frame->activeChildFrame()->setFocus(Qt::MouseFocusReason);
        break;
    }
    QApplication::processEvents();
    return QApplication::focusWidget();
}

} // namespace

class TestAccelerators : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        s_previousHandler = qInstallMessageHandler(recordWarnings);
    }
    void cleanupTestCase() { qInstallMessageHandler(s_previousHandler); }

    void everyAcceleratorIsBound();
    void acceleratorRunsItsCommand_data();
    void acceleratorRunsItsCommand();
    void programKeyRunsTheTransferCommand_data();
    void programKeyRunsTheTransferCommand();
    void documentWindowClaimsNoKey();
};

void TestAccelerators::everyAcceleratorIsBound()
{
    ShellFixture fx;
    QVERIFY(fx.start());
    QHash<QKeySequence, int> seen;
    for (const Accelerator &a : kAccelerators) {
        QAction *act = fx.frame()->action(a.command);
        QVERIFY2(act, a.keys);
        QVERIFY2(act->shortcuts().contains(QKeySequence(QLatin1String(a.keys))), a.keys);
    }
    // No two commands of the frame share a key.
    for (QAction *act : fx.frame()->findChildren<QAction *>())
        for (const QKeySequence &keys : act->shortcuts()) {
            const int id = act->property("cmdId").toInt();
            QVERIFY2(!seen.contains(keys) || seen.value(keys) == id,
                qPrintable(keys.toString() + QStringLiteral(" twice")));
            seen.insert(keys, id);
        }
}

void TestAccelerators::acceleratorRunsItsCommand_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("command");
    QTest::addColumn<Focus>("focus");
    QTest::addColumn<int>("column");
    for (const Accelerator &a : kAccelerators) {
        const QString keys = QLatin1String(a.keys);
        QTest::addRow("%s, grid", a.keys) << keys << a.command << Focus::Grid << 0;
        // Each of the nine cell editors, open over row 3.
        for (int col = 1; col <= 9; ++col)
            QTest::addRow("%s, editor of column %d", a.keys, col)
                << keys << a.command << Focus::CellEditor << col;
        QTest::addRow("%s, tree", a.keys) << keys << a.command << Focus::Tree << 0;
        QTest::addRow("%s, MDI area", a.keys) << keys << a.command << Focus::MdiArea << 0;
        QTest::addRow("%s, document window", a.keys)
            << keys << a.command << Focus::DocumentWindow << 0;
    }
}

void TestAccelerators::acceleratorRunsItsCommand()
{
    QFETCH(QString, keys);
    QFETCH(int, command);
    QFETCH(Focus, focus);
    QFETCH(int, column);
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QApplication::setActiveWindow(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QAction *act = frame->action(command);
    QVERIFY(act);
    // The command's own work (file and print dialogs) is not what is tested
    // here: that the key reaches it is.
    QObject::disconnect(act, &QAction::triggered, nullptr, nullptr);
    QSignalSpy ran(act, &QAction::triggered);

    QWidget *target = placeFocus(frame, focus, column);
    QVERIFY(target);
    if (focus == Focus::CellEditor) {
        // The editor of the clicked column has the focus, not the grid behind it.
        QVERIFY2(qobject_cast<QLineEdit *>(target) || qobject_cast<QComboBox *>(target),
            target->metaObject()->className());
        QVERIFY(target->isVisible());
    }
    s_warnings.clear();
    QTest::keySequence(target, QKeySequence(keys));
    QCOMPARE(ran.count(), 1);
    QCOMPARE(s_warnings.filter(QStringLiteral("mbiguous")), QStringList());
}

void TestAccelerators::programKeyRunsTheTransferCommand_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("commits");
    // Write sends what the user sees; Read replaces it, so nothing is committed.
    QTest::newRow("Ctrl+W") << "Ctrl+W"
                            << "Write Data" << true;
    QTest::newRow("Ctrl+R") << "Ctrl+R"
                            << "Read Data" << false;
}

void TestAccelerators::programKeyRunsTheTransferCommand()
{
    // The real command: it commits the value being typed and opens the Process window.
    QFETCH(QString, keys);
    QFETCH(QString, caption);
    QFETCH(bool, commits);
    ShellFixture fx;
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    QApplication::setActiveWindow(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    CProgramView *view = frame->activeView();
    QVERIFY(view);
    auto *editor = qobject_cast<QLineEdit *>(placeFocus(frame, Focus::CellEditor, 1));
    QVERIFY(editor);
    const QString before = view->grid()->TextMatrix(3, 1);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("146.52"));
    QTest::keySequence(editor, QKeySequence(keys));
    QCOMPARE(view->grid()->TextMatrix(3, 1), commits ? QStringLiteral("146.52000") : before);
    QWidget *process = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == caption)
            process = w;
    QVERIFY2(process, qPrintable(caption));
    process->close();
}

void TestAccelerators::documentWindowClaimsNoKey()
{
    // The document window's menu keeps no key of its own; it still closes
    // (hides) by its close box and File > Close.
    ShellFixture fx;
    QVERIFY(fx.start());
    CChildFrame *child = fx.frame()->activeChildFrame();
    QVERIFY(child);
    // Also after the window changes state, when its menu is brought up to date.
    child->showMaximized();
    child->showNormal();
    for (QAction *act : child->systemMenu()->actions())
        QVERIFY2(act->shortcuts().isEmpty(), qPrintable(act->text()));
    QVERIFY(child->close() == false || child->isHidden());
    QVERIFY(child->isHidden());
    QCOMPARE(fx.frame()->childFrames().size(), 1);
}

QTEST_MAIN(TestAccelerators)
#include "tst_accelerators.moc"
