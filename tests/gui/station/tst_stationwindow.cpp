// SPDX-License-Identifier: GPL-3.0-or-later
// The Programming Station against virtual radios on real pseudo-terminals:
// the failing rows fail alone and name their backups, Cancel All stops every
// row, closing asks first; and the Programming Log window filters and exports
// what the station logged.
#include "core/log/ProgrammingLog.h"
#include "gui/shell/MessageBox.h"
#include "gui/station/ProgrammingLogDlg.h"
#include "gui/station/StationWindow.h"
#include "tests/common/SimProcess.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <signal.h>

class TestStationWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void failingRowsFailAlone();
    void planErrorsAskOnce();
    void cancelAllAndCloseAsk();
    void logWindowFiltersAndExports();

private:
    StationSetup setup() const;
    /// Answers the channel check's question (the test image has errors on purpose) with Yes.
    static void acceptPlan();
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestStationWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", m_dir->filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toLocal8Bit());
}

void TestStationWindow::cleanup()
{
    SetMessageHook({});
}

StationSetup TestStationWindow::setup() const
{
    StationSetup s;
    QFile f(QStringLiteral(RADIOPROG_TEST_DATA "/image-channels.dat"));
    if (f.open(QIODevice::ReadOnly))
        MemoryImage::fromBytes(f.readAll(), &s.image);
    s.imagePath = f.fileName();
    s.options.backupFolder = m_dir->filePath(QStringLiteral("backups"));
    s.logPath = m_dir->filePath(QStringLiteral("log.jsonl"));
    s.operatorName = QStringLiteral("bench 1");
    return s;
}

void TestStationWindow::acceptPlan()
{
    SetMessageHook([](const ShownMessage &m) {
        return m.text.contains(QStringLiteral("channel plan has errors")) ? QMessageBox::Yes
                                                                          : QMessageBox::Ok;
    });
}

void TestStationWindow::failingRowsFailAlone()
{
    acceptPlan();
    SimProcess good1({});
    SimProcess good2({});
    SimProcess corrupt({ QStringLiteral("--corrupt-at"), QStringLiteral("0x100") });
    SimProcess killed({ QStringLiteral("--pace") });
    const QStringList ports { good1.path(), corrupt.path(), good2.path(), killed.path() };
    QList<StationPort> list;
    for (const QString &p : ports)
        list.append({ p, p, true });
    const StationSetup s = setup();
    CStationWindow station(s, QStringLiteral("image-channels.dat"), list, nullptr);
    station.show();
    QVERIFY(station.findChild<QLabel *>(QStringLiteral("imageLabel"))
                ->text()
                .contains(Sha256Hex(s.image.toByteArray())));
    station.startAll();
    QVERIFY(station.isRunning());
    // Every radio backed up: the paced one is in its write now; kill it there.
    QTRY_COMPARE_WITH_TIMEOUT(
        QDir(s.options.backupFolder).entryList({ QStringLiteral("*.dat") }, QDir::Files).size(), 4,
        30000);
    // An ended process has id 0, and kill(0) would hit this whole group.
    QVERIFY(killed.pid() > 0);
    ::kill(static_cast<pid_t>(killed.pid()), SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(!station.isRunning(), 30000);

    const QStringList results { "ok", "verify-failed", "ok", "failed" };
    for (int i = 0; i < 4; ++i) {
        const CStationRow *row = station.rows().at(i);
        QCOMPARE(row->lastRecord().result, results.at(i));
        QCOMPARE(row->doneCount(), i % 2 == 0 ? 1 : 0);
        QCOMPARE(row->failedCount(), i % 2 == 0 ? 0 : 1);
        QVERIFY(QFile::exists(row->lastRecord().backupFile));
        QVERIFY2(row->stateText().startsWith(i % 2 == 0 ? "Done" : "Failed: "),
            qPrintable(row->stateText()));
    }
    QVERIFY(station.totalsText().startsWith(QStringLiteral("Programmed: 2   Failed: 2")));
    const ProgrammingLogRead log = ReadProgrammingLog(s.logPath);
    QCOMPARE(log.records.size(), 4);
    for (const ProgrammingRecord &r : log.records)
        QCOMPARE(r.operatorName, QStringLiteral("bench 1"));
}

void TestStationWindow::planErrorsAskOnce()
{
    // The image has errors: No starts nothing; Yes starts the row and is not asked again.
    SimProcess radio({ QStringLiteral("--pace") });
    CStationWindow station(
        setup(), QStringLiteral("x.dat"), { { radio.path(), radio.path(), true } }, nullptr);
    QVERIFY(station.findChild<QWidget *>(QStringLiteral("planFindings")));
    QList<QMessageBox::StandardButton> answers { QMessageBox::No, QMessageBox::Yes };
    int asked = 0;
    SetMessageHook([&](const ShownMessage &m) {
        if (m.text.contains(QStringLiteral("channel plan has errors")))
            ++asked;
        return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
    });
    station.startAll();
    QCOMPARE(asked, 1);
    QVERIFY(!station.isRunning());
    station.startAll();
    QCOMPARE(asked, 2);
    QVERIFY(station.isRunning());
    station.cancelAll();
    QTRY_VERIFY_WITH_TIMEOUT(!station.isRunning(), 5000);
    station.startAll();
    QCOMPARE(asked, 2);
    station.cancelAllAndWait();
}

void TestStationWindow::cancelAllAndCloseAsk()
{
    SimProcess a({ QStringLiteral("--pace") });
    SimProcess b({ QStringLiteral("--pace") });
    const StationSetup s = setup();
    auto *station = new CStationWindow(s, QStringLiteral("x.dat"),
        { { a.path(), a.path(), true }, { b.path(), b.path(), true } }, nullptr);
    QPointer<CStationWindow> alive(station);
    station->setAttribute(Qt::WA_DeleteOnClose);
    station->show();

    acceptPlan();
    station->startAll();
    QTest::qWait(300);
    station->cancelAll();
    QTRY_VERIFY_WITH_TIMEOUT(!station->isRunning(), 5000);
    for (const CStationRow *row : station->rows())
        QCOMPARE(row->lastRecord().result, QStringLiteral("cancelled"));

    // Closing while radios run asks; No keeps them running, Yes stops them and closes.
    QList<QMessageBox::StandardButton> answers { QMessageBox::No, QMessageBox::Yes };
    int asked = 0;
    SetMessageHook([&](const ShownMessage &) {
        ++asked;
        return answers.takeFirst();
    });
    station->startAll();
    station->close();
    QCOMPARE(asked, 1);
    QVERIFY(alive && station->isRunning());
    station->close();
    QCOMPARE(asked, 2);
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 5000);
    QCOMPARE(ReadProgrammingLog(s.logPath).records.size(), 4);
}

void TestStationWindow::logWindowFiltersAndExports()
{
    const QString path = m_dir->filePath(QStringLiteral("log.jsonl"));
    const struct
    {
        const char *port;
        QDate day;
        const char *result;
    } rows[] = { { "COM1", QDate(2026, 12, 1), "ok" }, { "COM2", QDate(2026, 12, 5), "failed" },
        { "/dev/ttyUSB0", QDate(2026, 12, 7), "ok" } };
    for (const auto &row : rows) {
        ProgrammingRecord r;
        r.time = QDateTime(row.day, QTime(10, 0));
        r.port = QString::fromLatin1(row.port);
        r.result = QString::fromLatin1(row.result);
        QVERIFY(AppendProgrammingRecord(path, r));
    }
    CProgrammingLogDlg dlg(path);
    QCOMPARE(dlg.shown().size(), 3);
    QCOMPARE(dlg.shown().first().port, QStringLiteral("/dev/ttyUSB0")); // newest first
    dlg.setFilterText(QStringLiteral("com"));
    QCOMPARE(dlg.shown().size(), 2);
    dlg.setFromDate(QDate(2026, 12, 3));
    QCOMPARE(dlg.shown().size(), 1);
    QCOMPARE(dlg.shown().first().result, QStringLiteral("failed"));
    const QString csv = m_dir->filePath(QStringLiteral("out.csv"));
    QString error;
    QVERIFY2(dlg.exportCsv(csv, &error), qPrintable(error));
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(1).contains(",COM2,"));
}

QTEST_MAIN(TestStationWindow)
#include "tst_stationwindow.moc"
