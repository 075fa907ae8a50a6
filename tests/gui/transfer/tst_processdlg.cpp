// SPDX-License-Identifier: GPL-3.0-or-later
// The Process window and the view's Read/Write/transfer, offscreen, against
// the virtual radio over a pseudo-terminal.
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/link/PortProbe.h"
#include "core/link/PortRoutes.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"
#include "core/settings/WriteSettings.h"
#include "gui/shell/Help.h"
#include "gui/shell/MessageBox.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/view/ProgramView.h"
#include "sim/RadioState.h"
#include "tests/common/SimProcess.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>
#include <memory>

namespace {

QWidget *control(QWidget *window, int id)
{
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->property("ctrlId").toInt() == id)
            return w;
    return nullptr;
}

/// Remembers the number shown when the Process window goes away.
class LastTextOnHide : public QObject
{
public:
    QString text;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            if (auto *label
                = qobject_cast<QLabel *>(control(static_cast<QWidget *>(watched), 1009)))
                text = label->text();
        return false;
    }
};

bool inReadRanges(int i)
{
    return i <= mem::ReadFirstEnd || i >= mem::ReadSecondBegin;
}

} // namespace

class TestProcessDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cancelBeforeOkSendsNothing();
    void readFillsDocumentAndWindowComesBackFresh();
    void writeThenReadRunsARead();
    void writeSendsTheImage();
    void failedReadLeavesTheDocument();
    void portThatCannotOpen();
    void readOverRouteChosenInComSetup();
    void handshakePromptOffersRetry();
    void questionInARealBox_data();
    void questionInARealBox();
    void cancelDuringTransfer();
    void cancelDuringSilentHandshake();
    void closingTheViewDuringTransfer();
    void twoWindowsReadAtOnce();
    void chineseTitles();

private:
    void makeView();
    void pressOk();
    void installMessageHook();
    CProcessDlg *dlg() const { return m_view->m_pProcessDlg; }

    QTemporaryDir m_dir;
    std::unique_ptr<CProgramDoc> m_doc;
    std::unique_ptr<CProgramView> m_view;
    QList<ShownMessage> m_messages;
    QList<QMessageBox::StandardButton> m_answers;
};

void TestProcessDlg::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    SetHelpWindowSuppressed(true);
    installMessageHook();
    const QString ini = m_dir.filePath(QStringLiteral("Program.ini"));
    QVERIFY(QFile::copy(QStringLiteral(RADIOPROG_BUILD_DIR "/Program.ini"), ini));
    QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(theIniFile.Open(ini, false, true, false), 1);
    g_strAppDir = m_dir.path() + QLatin1Char('/');
    QFile::remove(UserSettings::forApplication().fileName());
    // These cases watch the bare sessions; backup, verify and the double read have a suite
    // of their own.
    RadioWriteOptions plain;
    plain.backup = false;
    plain.verify = false;
    plain.readTwice = false;
    StoreWriteOptions(plain);
}

void TestProcessDlg::init()
{
    g_bChinese = false;
    m_messages.clear();
    m_answers.clear();
    m_view.reset();
    m_doc.reset();
    makeView();
}

void TestProcessDlg::installMessageHook()
{
    SetMessageHook([this](const ShownMessage &m) {
        // The transfer runs on a worker, but its messages are shown on the window's thread.
        if (QThread::currentThread() != qApp->thread())
            qFatal("message box shown off the GUI thread");
        m_messages << m;
        return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
    });
}

void TestProcessDlg::makeView()
{
    m_doc = std::make_unique<CProgramDoc>();
    m_doc->OnNewDocument();
    m_view = std::make_unique<CProgramView>(m_doc.get());
    m_view->OnInitialUpdate();
    m_view->show();
}

void TestProcessDlg::pressOk()
{
    QVERIFY(dlg() && dlg()->hasWindow());
    QTest::mouseClick(control(dlg()->window(), 1), Qt::LeftButton);
}

void TestProcessDlg::cancelBeforeOkSendsNothing()
{
    const QString log = m_dir.filePath(QStringLiteral("cancel.log"));
    SimProcess sim({ QStringLiteral("--log"), log });
    m_view->m_strPort = sim.path();
    m_view->OnRead();
    QVERIFY(dlg()->hasWindow());
    QDialog *w = dlg()->window();
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Read Data"));
    QCOMPARE(dlg()->m_ctlProgress->maximum(), 63);
    QCOMPARE(dlg()->positionText(), QStringLiteral("0"));
    QVERIFY(dlg()->isOkEnabled());
    QTest::mouseClick(control(w, 2), Qt::LeftButton);
    QVERIFY(!dlg()->hasWindow());
    QCOMPARE(dlg()->m_bCancel, 1);
    QTest::qWait(100);
    QVERIFY(!m_view->isTransferRunning());
    QVERIFY(sim.stop());
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY2(!f.readAll().contains("RX"), "nothing may reach the radio");
}

void TestProcessDlg::readFillsDocumentAndWindowComesBackFresh()
{
    SimProcess sim({});
    m_view->m_strPort = sim.path();
    const MemoryImage before = m_doc->m_image;
    m_view->OnRead();
    LastTextOnHide last;
    dlg()->window()->installEventFilter(&last);
    pressOk();
    QVERIFY(!dlg()->isOkEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(last.text, QStringLiteral("63"));
    const MemoryImage demo = DemoRadioImage();
    for (int i = 0; i < mem::ImageSize; ++i)
        QCOMPARE(m_doc->m_image.at(i), inReadRanges(i) ? demo.at(i) : before.at(i));
    QCOMPARE(g_bNewImage, std::uint8_t(0));
    QVERIFY(!m_view->isTransferRunning());
    // The read is one undo step: undo gives back the image before it, redo the radio's.
    QVERIFY(m_doc->isModified());
    const MemoryImage read = m_doc->m_image;
    QCOMPARE(m_doc->undoStack()->undoText(), QStringLiteral("Read from Radio"));
    m_doc->undoStack()->undo();
    QVERIFY(m_doc->m_image == before);
    QVERIFY(!m_doc->isModified());
    m_doc->undoStack()->redo();
    QVERIFY(m_doc->m_image == read);

    m_view->OnWrite();
    QVERIFY(dlg()->hasWindow());
    QCOMPARE(dlg()->window()->windowTitle(), QStringLiteral("Write Data"));
    QVERIFY(dlg()->isOkEnabled());
    QCOMPARE(dlg()->m_ctlProgress->value(), 0);
    QCOMPARE(dlg()->m_ctlProgress->maximum(), 62);
    QCOMPARE(dlg()->positionText(), QStringLiteral("0"));
    QCOMPARE(dlg()->m_bCancel, 0);
}

void TestProcessDlg::writeThenReadRunsARead()
{
    SimProcess sim({});
    m_view->m_strPort = sim.path();
    m_view->OnWrite();
    m_view->OnRead();
    // The open window keeps the title and range of the command that created it.
    QCOMPARE(dlg()->window()->windowTitle(), QStringLiteral("Write Data"));
    QCOMPARE(dlg()->m_ctlProgress->maximum(), 62);
    QCOMPARE(m_view->m_bWrite, 0);
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_doc->m_image.at(mem::channelOffset(1)), DemoRadioImage().at(mem::channelOffset(1)));
    QCOMPARE(g_bNewImage, std::uint8_t(0));
}

void TestProcessDlg::writeSendsTheImage()
{
    const QString saved = m_dir.filePath(QStringLiteral("written.dat"));
    SimProcess sim({ QStringLiteral("--save"), saved });
    m_view->m_strPort = sim.path();
    m_doc->m_image[mem::CallTone] = 0x03;
    m_view->OnWrite();
    LastTextOnHide last;
    dlg()->window()->installEventFilter(&last);
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(last.text, QStringLiteral("62"));
    QVERIFY(sim.stop());
    QFile f(saved);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray radio = f.readAll();
    QCOMPARE(radio.size(), mem::ImageSize);
    for (int i = 0; i <= 0x32F; ++i)
        QCOMPARE(std::uint8_t(radio.at(i)), m_doc->m_image.at(i));
    QCOMPARE(std::uint8_t(radio.at(mem::CallTone)), std::uint8_t(0x03));
}

void TestProcessDlg::failedReadLeavesTheDocument()
{
    SimProcess sim({ QStringLiteral("--nak-at"), QStringLiteral("0x100") });
    m_view->m_strPort = sim.path();
    const MemoryImage before = m_doc->m_image;
    m_view->OnRead();
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text,
        QStringLiteral("Program Interrupt, Please reset the radio and try again"));
    QCOMPARE(m_messages.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(m_messages.first().icon, MsgIcon::None);
    QCOMPARE(m_messages.first().caption, g_strAppDisplayName);
    QVERIFY(m_doc->m_image == before);
    QVERIFY(!m_doc->isModified());
    QCOMPARE(m_doc->undoStack()->count(), 0);
    QCOMPARE(g_bNewImage, std::uint8_t(1));
    QVERIFY(ProbePort(sim.path())); // closed again
}

void TestProcessDlg::portThatCannotOpen()
{
    m_view->m_strPort = m_dir.filePath(QStringLiteral("no-such-port"));
    m_view->OnRead();
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 5000);
    QCOMPARE(m_messages.size(), 1);
    // Message 61453, then why and how to fix it.
    const QStringList lines = m_messages.first().text.split(QLatin1Char('\n'));
    QCOMPARE(lines.first(),
        QStringLiteral("Could not Open the Port,Please check whether the Port are occupied or "
                       "the device are ok"));
    QVERIFY(lines.size() > 3);
    QVERIFY(lines.at(2).startsWith(QStringLiteral("Why: ") + m_view->m_strPort));
    QVERIFY(lines.at(2).contains(QStringLiteral("does not exist")));
    QVERIFY(lines.at(3).startsWith(QStringLiteral("Serial devices found: ")));
}

void TestProcessDlg::readOverRouteChosenInComSetup()
{
    // No adapter and no [Ports] entry: COM3 leads nowhere until the dialog routes it.
    SimProcess sim({});
    QVERIFY(!sim.path().isEmpty());
    bool enabledBefore = true;
    bool enabledAfter = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *dlg = QApplication::activeModalWidget();
        QVERIFY(dlg);
        auto *com3 = dlg->findChild<QRadioButton *>(QStringLiteral("rdoCom3"));
        auto *route = dlg->findChild<QComboBox *>(QStringLiteral("cmbRouteCom3"));
        QVERIFY(com3 && route);
        enabledBefore = com3->isEnabled();
        QApplication::setActiveWindow(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        route->setFocus();
        route->lineEdit()->selectAll();
        QTest::keyClicks(route->lineEdit(), sim.path());
        QTest::keyClick(route, Qt::Key_Tab); // leaving the box probes the typed device
        enabledAfter = com3->isEnabled();
        com3->click();
        QTest::mouseClick(control(dlg, 1), Qt::LeftButton);
    });
    m_view->OnComSetup();
    QVERIFY(!enabledBefore);
    QVERIFY(enabledAfter);
    QCOMPARE(m_view->m_strPort, QStringLiteral("com3"));
    QCOMPARE(ChosenComRoute(3), sim.path());
    auto forget = qScopeGuard([] { ChooseComRoute(3, QString()); });

    // The next transfer takes the new route, without a restart.
    m_view->OnRead();
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_doc->m_image.at(mem::channelOffset(1)), DemoRadioImage().at(mem::channelOffset(1)));
}

void TestProcessDlg::cancelDuringSilentHandshake()
{
    // A radio that never answers: each wait of the handshake lasts up to 4 s.
    SimProcess sim({ QStringLiteral("--silent") });
    m_view->m_strPort = sim.path();
    m_view->OnRead();
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longestGap = 0;
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] {
        longestGap = qMax(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
        ++ticks;
    });
    bool runningAtCancel = false;
    bool portHeldAtCancel = false;
    // Fires while the transfer runs, well inside the handshake's first long read, as
    // the user's click would.
    QTimer::singleShot(1500, this, [&] {
        runningAtCancel = dlg()->hasWindow() && m_view->isTransferRunning();
        portHeldAtCancel = !ProbePort(sim.path());
        QTest::mouseClick(control(dlg()->window(), 2), Qt::LeftButton);
    });
    pressOk();
    clock.start();
    tick.start(10);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 3000);
    tick.stop();
    QVERIFY(runningAtCancel);
    QVERIFY(portHeldAtCancel);
    // The window's thread kept handling its events: no wait for the radio blocked it.
    QVERIFY(ticks > 20);
    QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!m_view->isTransferRunning());
    QVERIFY(ProbePort(sim.path()));
}

void TestProcessDlg::handshakePromptOffersRetry()
{
    SimProcess sim({ QStringLiteral("--bad-handshake-ack") });
    m_view->m_strPort = sim.path();
    m_answers = { QMessageBox::Retry, QMessageBox::Cancel };
    m_view->OnRead();
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
    QCOMPARE(m_messages.size(), 2);
    for (const ShownMessage &m : m_messages) {
        QVERIFY(m.text.startsWith(QStringLiteral("Communication Error")));
        QCOMPARE(m.buttons, QMessageBox::Retry | QMessageBox::Cancel);
    }
}

void TestProcessDlg::questionInARealBox_data()
{
    QTest::addColumn<bool>("closeView");
    QTest::newRow("Retry, then Cancel") << false;
    QTest::newRow("window closed while asking") << true;
}

void TestProcessDlg::questionInARealBox()
{
    QFETCH(bool, closeView);
    // No hook: the program's own box, up while the window's event loop goes on.
    SetMessageHook({});
    const auto restore = qScopeGuard([this] { installMessageHook(); });
    SimProcess sim({ QStringLiteral("--bad-handshake-ack") });
    m_view->m_strPort = sim.path();
    m_view->OnRead();
    QStringList texts;
    QList<QMessageBox::StandardButtons> buttons;
    QPointer<QMessageBox> shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == shown || !box->isVisible())
            return;
        shown = box;
        texts << box->text();
        buttons << box->standardButtons();
        if (closeView) {
            m_view->cancelTransferAndWait();
            m_view.reset();
            m_doc.reset();
            return;
        }
        box->button(texts.size() == 1 ? QMessageBox::Retry : QMessageBox::Cancel)->click();
    });
    poll.start(10);
    pressOk();
    if (closeView) {
        QTRY_VERIFY_WITH_TIMEOUT(!m_view, 20000);
        // The box went with the transfer it asked for.
        QTRY_VERIFY(!shown);
        QCOMPARE(texts.size(), 1);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
        QCOMPARE(texts.size(), 2);
        QVERIFY(!m_view->isTransferRunning());
    }
    poll.stop();
    for (int i = 0; i < texts.size(); ++i) {
        QVERIFY(texts.at(i).startsWith(QStringLiteral("Communication Error")));
        QCOMPARE(buttons.at(i), QMessageBox::Retry | QMessageBox::Cancel);
    }
    QTRY_VERIFY(ProbePort(sim.path()));
    QVERIFY(m_messages.isEmpty());
}

void TestProcessDlg::cancelDuringTransfer()
{
    SimProcess sim({ QStringLiteral("--pace") });
    m_view->m_strPort = sim.path();
    const MemoryImage before = m_doc->m_image;
    m_view->OnRead();
    bool stillOpenAfterCancel = false;
    int positionAtCancel = -1;
    QTimer poll;
    // Fires while the transfer runs, as a user's click would.
    connect(&poll, &QTimer::timeout, this, [&] {
        if (positionAtCancel < 0 && dlg()->hasWindow() && dlg()->GetPos() >= 3) {
            positionAtCancel = dlg()->GetPos();
            QTest::mouseClick(control(dlg()->window(), 2), Qt::LeftButton);
            stillOpenAfterCancel = dlg()->hasWindow();
        }
    });
    poll.start(5);
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow(), 20000);
    poll.stop();
    QVERIFY(positionAtCancel >= 3 && positionAtCancel < 63);
    QVERIFY(stillOpenAfterCancel);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(m_doc->m_image == before);
    QVERIFY(!m_view->isTransferRunning());
    QVERIFY(ProbePort(sim.path()));
}

void TestProcessDlg::closingTheViewDuringTransfer()
{
    SimProcess sim({ QStringLiteral("--pace") });
    m_view->m_strPort = sim.path();
    m_view->OnRead();
    bool closed = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (!closed && m_view && m_view->m_pProcessDlg->GetPos() >= 2) {
            closed = true;
            // What the shell does before it closes a document window.
            m_view->cancelTransferAndWait();
            m_view.reset();
            m_doc.reset();
        }
    });
    poll.start(5);
    pressOk();
    QTRY_VERIFY_WITH_TIMEOUT(closed, 20000);
    poll.stop();
    // The transfer unwound without touching the dead view and gave the port back.
    QTRY_VERIFY_WITH_TIMEOUT(ProbePort(sim.path()), 5000);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(sim.running());
}

void TestProcessDlg::twoWindowsReadAtOnce()
{
    // Two document windows read two radios at the same time, each into its own document.
    MemoryImage held = DemoRadioImage();
    held.channel(1).setPowerHigh(!held.channel(1).powerHigh());
    const QString file = m_dir.filePath(QStringLiteral("second-radio.dat"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(held.toByteArray());
    out.close();
    SimProcess first({ QStringLiteral("--pace") });
    SimProcess second({ QStringLiteral("--pace"), QStringLiteral("--image"), file });
    CProgramDoc otherDoc;
    otherDoc.OnNewDocument();
    CProgramView other(&otherDoc);
    other.OnInitialUpdate();
    other.show();
    m_view->m_strPort = first.path();
    other.m_strPort = second.path();
    const MemoryImage before = m_doc->m_image;
    const MemoryImage otherBefore = otherDoc.m_image;
    m_view->OnRead();
    other.OnRead();
    CProcessDlg *otherDlg = other.m_pProcessDlg;
    bool together = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this,
        [&] { together = together || (dlg()->GetPos() > 0 && otherDlg->GetPos() > 0); });
    poll.start(5);
    pressOk();
    QTest::mouseClick(control(otherDlg->window(), 1), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg()->hasWindow() && !otherDlg->hasWindow(), 20000);
    QVERIFY(together);
    QVERIFY(m_messages.isEmpty());
    const MemoryImage demo = DemoRadioImage();
    for (int i = 0; i < mem::ImageSize; ++i) {
        QCOMPARE(m_doc->m_image.at(i), inReadRanges(i) ? demo.at(i) : before.at(i));
        QCOMPARE(otherDoc.m_image.at(i), inReadRanges(i) ? held.at(i) : otherBefore.at(i));
    }
}

void TestProcessDlg::chineseTitles()
{
    g_bChinese = true;
    m_view->OnRead();
    QCOMPARE(dlg()->window()->windowTitle(), QString::fromUtf8("读数据"));
    QTest::mouseClick(control(dlg()->window(), 2), Qt::LeftButton);
    m_view->OnWrite();
    QCOMPARE(dlg()->window()->windowTitle(), QString::fromUtf8("写数据"));
    QTest::keyClick(dlg()->window(), Qt::Key_Escape);
    QVERIFY(!dlg()->hasWindow());
}

QTEST_MAIN(TestProcessDlg)
#include "tst_processdlg.moc"
