// SPDX-License-Identifier: GPL-3.0-or-later
// Program > Write with backup, the compare window and verify; Setup > Options,
// Program > Backups... and File > Compare With..., in the running program
// (offscreen) against the virtual radio over a pseudo-terminal.
#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/log/ProgrammingLog.h"
#include "core/settings/UserSettings.h"
#include "core/settings/WriteSettings.h"
#include "gui/dialogs/BackupsDlg.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/dialogs/WriteOptionsDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"
#include "sim/RadioState.h"
#include "tests/common/ShellFixture.h"
#include "tests/common/SimProcess.h"

#include "tests/common/TestFiles.h"
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace {

/// Owns the waits of the running test case; a wait that never fired ends with it.
QObject *s_waits = nullptr;

/// Runs act on the first modal window of type T that comes up (inside whatever loop runs).
template <class T> void WhenModal(std::function<void(T *)> act)
{
    auto *timer = new QTimer(s_waits);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

/// Texts of a list's rows, columns joined by "|".
QStringList Rows(QTreeWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

MemoryImage Load(const QString &path)
{
    MemoryImage image;
    MemoryImage::fromBytes(testing::ReadAll(path), &image);
    return image;
}

bool InWriteRanges(int i)
{
    return i <= mem::WriteFirstEnd || (i >= mem::WriteSecondBegin && i <= mem::WriteLastByte);
}

/// What the compare window showed before the user answered.
struct Seen
{
    QString title;
    QString summary;
    QString writeText;
    QStringList rows;
    QString step;
    QString processTitle;
    int processMaximum = 0;
};

} // namespace

class TestWriteWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void compareThenWriteAndVerify();
    void cancelInTheCompareWindowWritesNothing();
    void radioAlreadyHoldsTheImage_data();
    void radioAlreadyHoldsTheImage();
    void failedVerifyOffersTheBackup();
    void failedBackupReadWritesNothing();
    void optionsArePerUser();
    void readTakesAThirdReadWhereTwoDiffer();
    void backupsWindowOpensOneBesideTheDocument();
    void compareWithAFile();

private:
    /// Puts image into the window and starts a radio that holds it as the grid will store it.
    void startRadioHolding(const MemoryImage &image, QStringList simArgs);
    /// Starts Program > Write with OK; answer clicks Write (true) or Cancel in the compare window.
    Seen runWrite(bool answer);
    CProgramView *view() const { return m_fx->frame()->activeView(); }
    CProgramDoc *doc() const { return m_fx->frame()->activeDocument(); }

    std::unique_ptr<ShellFixture> m_fx;
    std::unique_ptr<SimProcess> m_sim;
    QString m_saved;
    QTemporaryDir m_dir;
};

void TestWriteWindow::init()
{
    s_waits = new QObject;
    m_fx = std::make_unique<ShellFixture>();
    QVERIFY(m_fx->start());
    QFile::remove(UserSettings::forApplication().fileName());
    QDir(DefaultBackupFolder()).removeRecursively();
    QFile::remove(DefaultProgrammingLogPath());
}

void TestWriteWindow::cleanup()
{
    delete s_waits;
    s_waits = nullptr;
    m_sim.reset();
    m_fx.reset();
}

void TestWriteWindow::startRadioHolding(const MemoryImage &image, QStringList simArgs)
{
    doc()->m_image = image;
    view()->ImageToGrid();
    // The grid decides what a write sends (the flags of empty rows, type and band).
    view()->GridToImage();
    const QString file
        = m_dir.filePath(QStringLiteral("radio-%1.dat").arg(QTest::currentTestFunction()));
    testing::WriteAll(file, doc()->m_image.toByteArray());
    m_sim = std::make_unique<SimProcess>(simArgs << QStringLiteral("--image") << file);
}

Seen TestWriteWindow::runWrite(bool answer)
{
    Seen seen;
    CProgramView *v = view();
    v->m_strPort = m_sim->path();
    v->OnWrite();
    CProcessDlg *dlg = v->m_pProcessDlg;
    seen.processMaximum = dlg->m_ctlProgress->maximum();
    WhenModal<CCompareDlg>([&seen, dlg, answer](CCompareDlg *w) {
        seen.title = w->windowTitle();
        seen.summary = w->summary()->text();
        seen.writeText = w->writeButton() ? w->writeButton()->text() : QString();
        seen.rows = Rows(w->list());
        if (QDialog *process = dlg->window()) {
            seen.processTitle = process->windowTitle();
            if (auto *label = process->findChild<QLabel *>(QStringLiteral("stepLabel")))
                seen.step = label->text();
        }
        if (answer)
            w->writeButton()->click();
        else
            w->reject();
    });
    dlg->OnOK();
    if (!QTest::qWaitFor([dlg] { return !dlg->hasWindow(); }, 30000))
        qWarning("the transfer did not end");
    return seen;
}

void TestWriteWindow::compareThenWriteAndVerify()
{
    m_saved = m_dir.filePath(QStringLiteral("after-write.dat"));
    startRadioHolding(DemoRadioImage(), { QStringLiteral("--save"), m_saved });
    const MemoryImage radioBefore = doc()->m_image;
    doc()->m_image.channel(1).setPowerHigh(false);
    view()->ImageToGrid();

    const Seen seen = runWrite(true);
    QCOMPARE(seen.processMaximum, 251);
    QCOMPARE(seen.step, QStringLiteral("Backup 1/3, read 2/2"));
    QCOMPARE(seen.processTitle, QStringLiteral("Write Data - Backup 1/3, read 2/2"));
    QCOMPARE(seen.title, QStringLiteral("Write Data - Changes"));
    QCOMPARE(seen.summary, QStringLiteral("The write will change 1 value in the radio:"));
    QCOMPARE(seen.rows, QStringList { QStringLiteral("1|Power|High|Low") });
    QCOMPARE(seen.writeText, QStringLiteral("Write"));
    QVERIFY2(m_fx->messages.isEmpty(), qPrintable(m_fx->messages.value(0).text));

    QVERIFY(m_sim->stop());
    const MemoryImage radio = Load(m_saved);
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(radio.at(i), InWriteRanges(i) ? doc()->m_image.at(i) : radioBefore.at(i));
    const QList<BackupEntry> backups = ListBackups(DefaultBackupFolder());
    QCOMPARE(backups.size(), 1);
    QCOMPARE(Load(backups.constFirst().path).channel(1).powerHigh(), true);
    QVERIFY(m_fx->frame()->statusBar()->currentMessage().contains(backups.constFirst().path));
    // Program > Write leaves its record in the programming log.
    const ProgrammingLogRead log = ReadProgrammingLog(DefaultProgrammingLogPath());
    QCOMPARE(log.records.size(), 1);
    QCOMPARE(log.records.constFirst().result, QStringLiteral("ok"));
    QCOMPARE(log.records.constFirst().port, m_sim->path());
    QCOMPARE(log.records.constFirst().backupFile, backups.constFirst().path);
}

void TestWriteWindow::cancelInTheCompareWindowWritesNothing()
{
    m_saved = m_dir.filePath(QStringLiteral("after-cancel.dat"));
    const QString log = m_dir.filePath(QStringLiteral("cancel.log"));
    m_sim = std::make_unique<SimProcess>(
        QStringList { QStringLiteral("--save"), m_saved, QStringLiteral("--log"), log });
    const Seen seen = runWrite(false);
    QVERIFY(seen.rows.size() > 10);
    QVERIFY(m_fx->messages.isEmpty());
    QVERIFY(m_sim->stop());
    QCOMPARE(Load(m_saved).toByteArray(), DemoRadioImage().toByteArray());
    QVERIFY(!testing::ReadAll(log).contains(" RX 57"));
    QVERIFY(!view()->isTransferRunning());
}

void TestWriteWindow::radioAlreadyHoldsTheImage_data()
{
    QTest::addColumn<bool>("ownFiller");
    QTest::newRow("as the grid stores it") << false;
    // Read from a radio and written back: the grid's filler of channels 10-16 differs.
    QTest::newRow("the radio's own empty channels") << true;
}

void TestWriteWindow::radioAlreadyHoldsTheImage()
{
    QFETCH(bool, ownFiller);
    if (ownFiller) {
        // The type and band as the window takes them; the channels as the radio keeps them.
        doc()->m_image = DemoRadioImage();
        view()->ImageToGrid();
        const QString file = m_dir.filePath(QStringLiteral("radio-own-filler.dat"));
        testing::WriteAll(file, doc()->m_image.toByteArray());
        m_sim = std::make_unique<SimProcess>(QStringList { QStringLiteral("--image"), file });
    } else {
        startRadioHolding(DemoRadioImage(), {});
    }
    const Seen seen = runWrite(true);
    QCOMPARE(seen.summary,
        QStringLiteral("The radio already holds this image. Nothing will change if you write it."));
    QCOMPARE(seen.writeText, QStringLiteral("Write anyway"));
    if (ownFiller) {
        QCOMPARE(seen.rows.size(), 1);
        QVERIFY2(seen.rows.first().startsWith(QStringLiteral(
                     "10, 11, 12, 13, 14, 15, 16|unused bytes of empty channels (no effect on the "
                     "radio)|")),
            qPrintable(seen.rows.first()));
    } else {
        QVERIFY(seen.rows.isEmpty());
    }
    QVERIFY(m_fx->messages.isEmpty());
}

void TestWriteWindow::failedVerifyOffersTheBackup()
{
    m_sim = std::make_unique<SimProcess>(
        QStringList { QStringLiteral("--corrupt-at"), QStringLiteral("0x3F0") });
    const int windows = m_fx->frame()->childFrames().size();
    m_fx->reply = QMessageBox::Yes;
    runWrite(true);
    QCOMPARE(m_fx->messages.size(), 1);
    const ShownMessage &m = m_fx->messages.constFirst();
    const QList<BackupEntry> backups = ListBackups(DefaultBackupFolder());
    QCOMPARE(backups.size(), 1);
    QVERIFY2(m.text.contains(QStringLiteral("blocks at 0x3F0.")), qPrintable(m.text));
    QVERIFY2(m.text.contains(backups.constFirst().path), qPrintable(m.text));
    QCOMPARE(m.buttons, QMessageBox::Yes | QMessageBox::No);
    // Yes opened the backup in a window of its own, as an untitled copy; the edited
    // document stays.
    QCOMPARE(m_fx->frame()->childFrames().size(), windows + 1);
    QVERIFY(doc()->isBackupCopy());
    QCOMPARE(
        doc()->title(), BackupTitle(backups.constFirst().when, backups.constFirst().radioType));
}

void TestWriteWindow::failedBackupReadWritesNothing()
{
    const QString log = m_dir.filePath(QStringLiteral("nobackup.log"));
    m_sim = std::make_unique<SimProcess>(QStringList { QStringLiteral("--short-answer-at"),
        QStringLiteral("0x200"), QStringLiteral("--log"), log });
    bool asked = false;
    WhenModal<CCompareDlg>([&asked](CCompareDlg *w) {
        asked = true;
        w->reject();
    });
    view()->m_strPort = m_sim->path();
    view()->OnWrite();
    view()->m_pProcessDlg->OnOK();
    QTRY_VERIFY_WITH_TIMEOUT(!view()->m_pProcessDlg->hasWindow(), 30000);
    QVERIFY(!asked);
    QCOMPARE(m_fx->messages.size(), 2);
    QCOMPARE(m_fx->messages.at(0).text,
        QStringLiteral("Program Interrupt, Please reset the radio and try again"));
    QCOMPARE(m_fx->messages.at(1).text,
        QStringLiteral(
            "The radio could not be read for the backup, so nothing was written to it."));
    QVERIFY(!testing::ReadAll(log).contains(" RX 57"));
    QVERIFY(ListBackups(DefaultBackupFolder()).isEmpty());
}

void TestWriteWindow::optionsArePerUser()
{
    WhenModal<CWriteOptionsDlg>([](CWriteOptionsDlg *w) {
        QVERIFY(w->readTwiceBox()->isChecked());
        QVERIFY(w->backupBox()->isChecked());
        QVERIFY(w->verifyBox()->isChecked());
        QCOMPARE(w->folderEdit()->text(), DefaultBackupFolder());
        w->backupBox()->setChecked(false);
        w->readTwiceBox()->setChecked(false);
        w->OnOK();
    });
    view()->OnRead();
    QCOMPARE(view()->m_pProcessDlg->m_ctlProgress->maximum(), 2 * 63);
    view()->m_pProcessDlg->OnCancel();
    m_fx->frame()->action(cmd::WriteOptions)->trigger();
    RadioWriteOptions stored = LoadWriteOptions();
    QVERIFY(!stored.backup);
    QVERIFY(stored.verify);
    QVERIFY(!stored.readTwice);
    // The Process window counts what will run: the write and the verify; a read once.
    view()->OnWrite();
    QCOMPARE(view()->m_pProcessDlg->m_ctlProgress->maximum(), 62 + 63);
    view()->m_pProcessDlg->OnCancel();
    view()->OnRead();
    QCOMPARE(view()->m_pProcessDlg->m_ctlProgress->maximum(), 63);
    view()->m_pProcessDlg->OnCancel();

    // Cancel keeps what was stored.
    WhenModal<CWriteOptionsDlg>([](CWriteOptionsDlg *w) {
        QVERIFY(!w->backupBox()->isChecked());
        w->verifyBox()->setChecked(false);
        w->reject();
    });
    m_fx->frame()->action(cmd::WriteOptions)->trigger();
    stored = LoadWriteOptions();
    QVERIFY(!stored.backup);
    QVERIFY(stored.verify);
}

void TestWriteWindow::readTakesAThirdReadWhereTwoDiffer()
{
    m_sim = std::make_unique<SimProcess>(
        QStringList { QStringLiteral("--garble-at"), QStringLiteral("0x100") });
    CProgramView *v = view();
    v->m_strPort = m_sim->path();
    v->OnRead();
    CProcessDlg *dlg = v->m_pProcessDlg;
    QString thirdStep;
    int maximumInThird = 0;
    // The window tells which read runs, and its bar grows by the read it did not expect.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *label = dlg->window()
            ? dlg->window()->findChild<QLabel *>(QStringLiteral("stepLabel"))
            : nullptr;
        if (label && label->text() == QLatin1String("Read 3/3") && thirdStep.isEmpty()) {
            thirdStep = dlg->window()->windowTitle();
            maximumInThird = dlg->m_ctlProgress->maximum();
        }
    });
    poll.start(5);
    dlg->OnOK();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg->hasWindow(), 30000);
    QCOMPARE(thirdStep, QStringLiteral("Read Data - Read 3/3"));
    QCOMPARE(maximumInThird, 3 * 63);
    QTRY_COMPARE(m_fx->messages.size(), 1);
    QVERIFY2(m_fx->messages.constFirst().text.contains(
                 QLatin1String("differed in the blocks at 0x100; a third read decided them")),
        qPrintable(m_fx->messages.constFirst().text));
    QCOMPARE(doc()->m_image.at(0x100), DemoRadioImage().at(0x100));
    // The end is told in the status bar too, where a screen reader hears it.
    QCOMPARE(m_fx->frame()->statusBar()->currentMessage(), QStringLiteral("The radio was read."));
}

void TestWriteWindow::backupsWindowOpensOneBesideTheDocument()
{
    const QDateTime when(QDate(2026, 5, 1), QTime(8, 0, 0));
    MemoryImage older = DemoRadioImage();
    older.channel(2).setPowerHigh(false);
    QString olderPath;
    QString newerPath;
    QVERIFY(SaveBackup(DefaultBackupFolder(), older, when, &olderPath, nullptr));
    QVERIFY(SaveBackup(
        DefaultBackupFolder(), DemoRadioImage(), when.addSecs(3600), &newerPath, nullptr));
    CProgramDoc *edited = doc();
    QStringList rows;
    WhenModal<CBackupsDlg>([&rows](CBackupsDlg *w) {
        rows = Rows(w->list());
        w->list()->setCurrentItem(w->list()->topLevelItem(1));
        w->openButton()->click();
    });
    m_fx->frame()->action(cmd::Backups)->trigger();
    QCOMPARE(rows,
        (QStringList { QStringLiteral("2026-05-01 09:00:00|%1|%2")
                           .arg(BackupRadioType(older), QFileInfo(newerPath).fileName()),
            QStringLiteral("2026-05-01 08:00:00|%1|%2")
                .arg(BackupRadioType(older), QFileInfo(olderPath).fileName()) }));
    QCOMPARE(m_fx->frame()->childFrames().size(), 2);
    QCOMPARE(doc()->title(),
        QStringLiteral("Backup of 2026-05-01 08:00 (%1)").arg(BackupRadioType(older)));
    QVERIFY(doc()->pathName().isEmpty());
    QVERIFY(doc()->m_image == older);
    QVERIFY(m_fx->frame()->childFrames().constFirst()->document() == edited);
}

void TestWriteWindow::compareWithAFile()
{
    doc()->m_image = DemoRadioImage();
    view()->ImageToGrid();
    // The other file: the document as the window shows it, with changes.
    MemoryImage other = doc()->m_image;
    other[mem::IdentificationBlock] = 0x00;
    const QString path = m_dir.filePath(QStringLiteral("other.dat"));
    // What the grid shows counts, though not yet stored into the image.
    view()->grid()->setTextMatrix(4, ColWidth, QStringLiteral("Narrow"));
    other.channel(5).setPowerHigh(true);
    testing::WriteAll(path, other.toByteArray());
    QStringList rows;
    QString summary;
    WhenModal<CCompareDlg>([&](CCompareDlg *w) {
        rows = Rows(w->list());
        summary = w->summary()->text();
        w->reject();
    });
    // The file dialog of File > Compare With... hands its choice to this.
    m_fx->frame()->CompareWithFile(path);
    QCOMPARE(rows,
        (QStringList { QStringLiteral("4|W/N|Narrow|Wide"), QStringLiteral("5|Power|Low|High"),
            QStringLiteral("|Byte 0x1B8|%1|00")
                .arg(QString::asprintf("%02X", DemoRadioImage().at(mem::IdentificationBlock))) }));
    QCOMPARE(
        summary, QStringLiteral("3 values differ between %1 and other.dat:").arg(doc()->title()));
}

QTEST_MAIN(TestWriteWindow)
#include "tst_writewindow.moc"
