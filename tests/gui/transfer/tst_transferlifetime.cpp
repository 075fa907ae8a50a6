// SPDX-License-Identifier: GPL-3.0-or-later
// A transfer never outlives its window: closing the document (File > New, an
// opened file replacing it) or the whole program while a transfer runs, through
// the real main window, with COM1 led to the virtual radio by Program.ini.
#include "core/app/StringTable.h"
#include "core/document/ProgramDoc.h"
#include "core/link/PortProbe.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/Help.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/ProgramApp.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/view/ProgramView.h"
#include "tests/common/SimProcess.h"

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

class TestTransferLifetime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void closingDuringTransfer_data();
    void closingDuringTransfer();

private:
    QTemporaryDir m_dir;
    QList<ShownMessage> m_messages;
};

void TestTransferLifetime::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    SetHelpWindowSuppressed(true);
    SetMessageHook([this](const ShownMessage &m) {
        m_messages << m;
        return QMessageBox::Ok;
    });
    const QString build = QStringLiteral(RADIOPROG_BUILD_DIR "/");
    for (const char *name : { "English.qm", "Chinese.qm", "enHelp.html", "chHelp.html" })
        QFile::copy(build + QLatin1String(name), m_dir.filePath(QLatin1String(name)));
    QFile dat(m_dir.filePath(QStringLiteral("other.dat")));
    QVERIFY(dat.open(QIODevice::WriteOnly));
    dat.write(MemoryImage::defaults().toByteArray());
}

void TestTransferLifetime::closingDuringTransfer_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("silent");
    for (bool write : { false, true }) {
        const char *dir = write ? "write" : "read";
        for (const char *how : { "File > New", "open a file", "File > Exit" })
            QTest::addRow("%s, %s", dir, how) << write << QString::fromLatin1(how) << false;
    }
    // While the transfer waits seconds for a radio that does not answer.
    for (const char *how : { "File > New", "File > Exit" })
        QTest::addRow("read, silent radio, %s", how) << false << QString::fromLatin1(how) << true;
}

void TestTransferLifetime::closingDuringTransfer()
{
    QFETCH(bool, write);
    QFETCH(QString, how);
    QFETCH(bool, silent);
    SimProcess sim({ silent ? QStringLiteral("--silent") : QStringLiteral("--pace") });
    QVERIFY(!sim.path().isEmpty());
    // COM1, the port of every new view, leads to the virtual radio.
    QFile ini(m_dir.filePath(QStringLiteral("Program.ini")));
    QFile::remove(ini.fileName());
    QVERIFY(QFile::copy(QStringLiteral(RADIOPROG_BUILD_DIR "/Program.ini"), ini.fileName()));
    QFile::setPermissions(ini.fileName(), QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(ini.open(QIODevice::Append));
    ini.write(QStringLiteral("\n[Ports]\nCOM1=%1\n").arg(sim.path()).toUtf8());
    ini.close();

    m_messages.clear();
    auto app = std::make_unique<CProgramApp>();
    QVERIFY(app->InitInstance(m_dir.path() + QLatin1Char('/'), {}));
    CMainFrame *frame = app->mainFrame();
    const QPointer<CProgramView> view(frame->activeView());
    QVERIFY(view);
    QCOMPARE(view->m_strPort, QStringLiteral("COM1"));
    const QPointer<CProgramDoc> doc(view->GetDocument());
    const MemoryImage before = doc->m_image;
    write ? view->OnWrite() : view->OnRead();
    QPointer<QDialog> window(view->m_pProcessDlg->window());

    bool acted = false;
    int lastPosition = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    // Fires while the transfer runs, as the user's menu choice would.
    connect(&poll, &QTimer::timeout, this, [&] {
        if (window)
            lastPosition = view->m_pProcessDlg->GetPos();
        if (acted || !view || (silent ? clock.elapsed() < 1500 : lastPosition < 2))
            return;
        acted = true;
        if (how == QLatin1String("File > New"))
            frame->action(ids::FileNew)->trigger();
        else if (how == QLatin1String("open a file"))
            app->OpenDocumentFile(m_dir.filePath(QStringLiteral("other.dat")));
        else
            frame->action(ids::AppExit)->trigger();
    });
    poll.start(5);
    for (QPushButton *b : window->findChildren<QPushButton *>())
        if (b->property("ctrlId").toInt() == 1)
            QTest::mouseClick(b, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(acted, 20000);

    // The transfer ended after the block under way and gave the port back; its window is gone.
    QTRY_VERIFY_WITH_TIMEOUT(!window, 5000);
    poll.stop();
    QVERIFY2(lastPosition <= 3, qPrintable(QString::number(lastPosition)));
    QVERIFY(ProbePort(sim.path()));
    if (how == QLatin1String("File > Exit")) {
        QVERIFY(!frame->isVisible());
        QVERIFY(view && !view->isTransferRunning());
        // A cancelled read leaves the document as it was (a write stored the grid first).
        if (!write)
            QVERIFY(doc && doc->m_image == before);
        QCOMPARE(g_bNewImage, std::uint8_t(1));
    } else {
        // The old window and its document went; the new one is untouched by the radio.
        QTRY_VERIFY(!view && !doc);
        QVERIFY(frame->activeView());
        QVERIFY(!frame->activeView()->isTransferRunning());
        QCOMPARE(frame->childFrames().size(), 1);
    }
    // No failure was reported: the transfer was cancelled, not broken.
    for (const ShownMessage &m : std::as_const(m_messages))
        QCOMPARE(m.text, LoadString(ids::DataCleared));
    QCOMPARE(m_messages.size(), how == QLatin1String("File > New") ? 1 : 0);

    app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(sim.running());
}

QTEST_MAIN(TestTransferLifetime)
#include "tst_transferlifetime.moc"
