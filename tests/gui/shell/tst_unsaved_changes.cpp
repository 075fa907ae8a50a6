// SPDX-License-Identifier: GPL-3.0-or-later
// The unsaved-changes question on every way out of a document: New, Open,
// closing the main window, File > Exit and the language restart, each
// answered Save, Discard and Cancel; and the mark in the window title.
#include "tests/common/ShellFixture.h"

#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "core/image/MemoryImage.h"
#include "core/settings/IniFile.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"
#include "gui/view/ProgramView.h"

#include "tests/common/TestFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

int s_restarts = 0;
void CountRestart()
{
    ++s_restarts;
}

// Answers the first modal dialog of type T; the timer dies with the returned guard.
template <typename T> std::unique_ptr<QObject> WhenModal(std::function<void(T *)> answer)
{
    auto guard = std::make_unique<QObject>();
    auto *timer = new QTimer(guard.get());
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            answer(dialog);
        }
    });
    timer->start();
    return guard;
}

// Types path into a file dialog and accepts it once the dialog has settled:
// the dialog fills its name box itself while it reads the folder.
void TypeAndAccept(QFileDialog *dialog, const QString &path)
{
    auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
    auto *timer = new QTimer(dialog);
    auto steady = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, dialog, [=] {
        if (edit->text() != path) {
            edit->setText(path);
            *steady = 0;
        } else if (++*steady >= 5) {
            timer->stop();
            static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        }
    });
    timer->start(40);
}

void DrainDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestUnsavedChanges : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void askedOnEveryWayOut_data();
    void askedOnEveryWayOut();
    void noQuestionWithoutChanges();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void titleMarkFollowsUndo();
    void chineseQuestion();

private:
    QByteArray m_original;
};

void TestUnsavedChanges::initTestCase()
{
    SetRestartHook(&CountRestart);
    m_original = MemoryImage::defaults().toByteArray();
}

void TestUnsavedChanges::askedOnEveryWayOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("answer");
    for (const char *way : { "new", "open", "close", "exit", "language" }) {
        QTest::addRow("%s save", way) << way << int(QMessageBox::Save);
        QTest::addRow("%s discard", way) << way << int(QMessageBox::Discard);
        QTest::addRow("%s cancel", way) << way << int(QMessageBox::Cancel);
    }
}

void TestUnsavedChanges::askedOnEveryWayOut()
{
    QFETCH(QString, way);
    QFETCH(int, answer);
    ShellFixture fx(ShellFixture::EnglishIni());
    fx.write("good.dat", m_original);
    QByteArray other = m_original;
    other[0x3F0] = char(0x42);
    fx.write("other.dat", other);
    QVERIFY(fx.start({ fx.dir() + "good.dat" }));
    CMainFrame *frame = fx.frame();
    frame->show();
    CProgramDoc *doc = frame->activeDocument();
    MemoryImage changed = doc->m_image;
    changed[0x3F0] = 0x77;
    doc->applyImageChange(changed, "Optional Features");
    QVERIFY(doc->isModified());
    QVERIFY(frame->activeChildFrame()->isWindowModified());

    s_restarts = 0;
    fx.reply = QMessageBox::StandardButton(answer);
    std::unique_ptr<QObject> guard;
    bool closed = false;
    if (way == "new") {
        frame->action(ids::FileNew)->trigger();
    } else if (way == "open") {
        guard = WhenModal<QFileDialog>(
            [&](QFileDialog *d) { TypeAndAccept(d, fx.dir() + "other.dat"); });
        frame->action(ids::FileOpen)->trigger();
    } else if (way == "close") {
        closed = frame->close();
    } else if (way == "exit") {
        frame->action(ids::AppExit)->trigger();
        closed = !frame->isVisible();
    } else {
        guard = WhenModal<CLanguageDlg>([](CLanguageDlg *d) {
            d->findChild<QRadioButton *>("rdoChinese")->click();
            d->findChild<QPushButton *>("btnOk")->click();
        });
        frame->activeView()->OnLanguage();
    }
    DrainDeletes();

    QCOMPARE(fx.messages.size(), 1);
    QCOMPARE(fx.messages.first().text, QString("Save changes to good.dat?"));
    QCOMPARE(fx.messages.first().buttons,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    const QByteArray onDisk = testing::ReadAll(fx.dir() + "good.dat");
    QCOMPARE(onDisk.at(0x3F0), answer == QMessageBox::Save ? char(0x77) : m_original.at(0x3F0));

    const bool goOn = answer != QMessageBox::Cancel;
    if (way == "new" || way == "open") {
        CProgramDoc *now = frame->activeDocument();
        QCOMPARE(frame->childFrames().size(), 1);
        QCOMPARE(now != doc, goOn);
        if (goOn)
            QCOMPARE(now->title(), way == "new" ? QString("Channel Information") : "other.dat");
    } else if (way == "close" || way == "exit") {
        QCOMPARE(closed, goOn);
    } else {
        QCOMPARE(s_restarts, goOn ? 1 : 0);
        // Cancel keeps this run's language for the next start too.
        QCOMPARE(theIniFile.GetValue("Setup", "Language"),
            goOn ? QString("Chinese") : QString("English"));
    }
    if (!goOn) {
        QVERIFY(frame->activeDocument() == doc);
        QVERIFY(doc->isModified());
        QCOMPARE(doc->m_image.at(0x3F0), std::uint8_t(0x77));
    } else if (answer == QMessageBox::Save && frame->activeDocument() == doc) {
        QVERIFY(!doc->isModified()); // a save clears the mark
    }
}

void TestUnsavedChanges::noQuestionWithoutChanges()
{
    ShellFixture fx(ShellFixture::EnglishIni());
    fx.write("good.dat", m_original);
    QVERIFY(fx.start({ fx.dir() + "good.dat" }));
    CMainFrame *frame = fx.frame();
    // New keeps its own box when nothing is unsaved.
    fx.reply = QMessageBox::Cancel;
    frame->action(ids::FileNew)->trigger();
    QCOMPARE(fx.messages.size(), 1);
    QCOMPARE(fx.messages.first().text, QString("All data will be Cleared!"));
    // A change undone is no change: closing asks nothing.
    CProgramDoc *doc = frame->activeDocument();
    MemoryImage changed = doc->m_image;
    changed[0x3F0] = 0x01;
    doc->applyImageChange(changed, "Optional Features");
    doc->undoStack()->undo();
    QVERIFY(frame->close());
    QCOMPARE(fx.messages.size(), 1);
}

void TestUnsavedChanges::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("new") << "new";
    QTest::newRow("close") << "close";
    QTest::newRow("language") << "language";
}

void TestUnsavedChanges::failedSaveKeepsEverything()
{
    QFETCH(QString, way);
    ShellFixture fx(ShellFixture::EnglishIni());
    QVERIFY(fx.start()); // a new document: Save asks for a name
    CMainFrame *frame = fx.frame();
    frame->show();
    CProgramDoc *doc = frame->activeDocument();
    MemoryImage changed = doc->m_image;
    changed[0x3F0] = 0x55;
    doc->applyImageChange(changed, "Optional Features");
    fx.reply = QMessageBox::Save;
    s_restarts = 0;
    // The name typed has a plain file for its folder: the save fails, also for root.
    fx.write("missing", "not a folder");
    auto saveAs = WhenModal<QFileDialog>(
        [&](QFileDialog *d) { TypeAndAccept(d, fx.dir() + "missing/new.dat"); });
    std::unique_ptr<QObject> language;
    if (way == "new") {
        frame->action(ids::FileNew)->trigger();
    } else if (way == "close") {
        QVERIFY(!frame->close());
    } else {
        language = WhenModal<CLanguageDlg>([](CLanguageDlg *d) {
            d->findChild<QRadioButton *>("rdoChinese")->click();
            d->findChild<QPushButton *>("btnOk")->click();
        });
        frame->activeView()->OnLanguage();
        QCOMPARE(s_restarts, 0);
        QCOMPARE(theIniFile.GetValue("Setup", "Language"), QString("English"));
    }
    DrainDeletes();
    QCOMPARE(fx.messages.size(), 2); // the question, then why the save failed
    QVERIFY(fx.messages.at(1).text.contains("new.dat"));
    QVERIFY(frame->isVisible());
    QVERIFY(frame->activeDocument() == doc);
    QVERIFY(doc->isModified());
    QCOMPARE(testing::ReadAll(fx.dir() + "missing"), QByteArray("not a folder"));
}

void TestUnsavedChanges::titleMarkFollowsUndo()
{
    ShellFixture fx(ShellFixture::EnglishIni());
    fx.write("good.dat", m_original);
    QVERIFY(fx.start({ fx.dir() + "good.dat" }));
    CMainFrame *frame = fx.frame();
    CChildFrame *child = frame->activeChildFrame();
    CProgramDoc *doc = child->document();
    QCOMPARE(child->windowTitle(), QString("good.dat[*]"));
    QVERIFY(!child->isWindowModified());
    MemoryImage changed = doc->m_image;
    changed[0x3F0] = 0x33;
    doc->applyImageChange(changed, "Optional Features");
    QVERIFY(child->isWindowModified());
    QCOMPARE(frame->action(cmd::Undo)->text(), QString("&Undo Optional Features"));
    QVERIFY(frame->OnFileSave());
    QVERIFY(!child->isWindowModified());
    frame->action(cmd::Undo)->trigger();
    QVERIFY(child->isWindowModified());
    QCOMPARE(frame->action(cmd::Redo)->text(), QString("&Redo Optional Features"));
    frame->action(cmd::Redo)->trigger();
    QVERIFY(!child->isWindowModified());
    QCOMPARE(doc->m_image.at(0x3F0), std::uint8_t(0x33));
}

void TestUnsavedChanges::chineseQuestion()
{
    ShellFixture fx(ShellFixture::IniWithLanguage("Chinese"));
    QVERIFY(fx.start());
    CMainFrame *frame = fx.frame();
    CProgramDoc *doc = frame->activeDocument();
    MemoryImage changed = doc->m_image;
    changed[0x3F0] = 0x21;
    doc->applyImageChange(changed, "x");
    QCOMPARE(frame->action(cmd::Undo)->text(), QString("撤销 x(&U)"));
    fx.reply = QMessageBox::Cancel;
    QVERIFY(!frame->close());
    QCOMPARE(fx.messages.size(), 1);
    QCOMPARE(fx.messages.first().text, QString("是否保存对 信道信息 的更改？"));
}

QTEST_MAIN(TestUnsavedChanges)
#include "tst_unsaved_changes.moc"
