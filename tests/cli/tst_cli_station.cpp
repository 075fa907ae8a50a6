// SPDX-License-Identifier: GPL-3.0-or-later
// Several radios from the command line, against virtual radios on real
// pseudo-terminals: a radio that fails fails alone and names its backup, the
// log holds one true record per radio, and the bench gives each radio its own.
#include "core/link/PortLock.h"
#include "core/log/ProgrammingLog.h"
#include "tests/common/ProgramRun.h"
#include "tests/common/SimProcess.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <signal.h>

namespace {

QString Cli()
{
    return QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli");
}

QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCliStation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fourRadiosOneCorruptOneKilled();
    void benchGivesEachRadioItsOwnRecord();
    void interruptCancelsEveryRadio();
    void interruptEndsTheBenchWithTotals();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_image;
    QString m_log;
    QString m_backups;
};

void TestCliStation::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // Nothing of the real user's data is touched.
    qputenv("XDG_DATA_HOME", m_dir->filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toLocal8Bit());
    m_image = m_dir->filePath(QStringLiteral("site.dat"));
    // Its channel plan has errors on purpose: every write here passes --force.
    QVERIFY(QFile::copy(QStringLiteral(RADIOPROG_TEST_DATA "/image-channels.dat"), m_image));
    m_log = m_dir->filePath(QStringLiteral("log.jsonl"));
    m_backups = m_dir->filePath(QStringLiteral("backups"));
}

void TestCliStation::fourRadiosOneCorruptOneKilled()
{
    SimProcess good1({});
    SimProcess good2({});
    SimProcess corrupt({ QStringLiteral("--corrupt-at"), QStringLiteral("0x100") });
    // Paced, so it is still being written when the others are long done.
    SimProcess killed({ QStringLiteral("--pace") });
    const QStringList ports { good1.path(), corrupt.path(), good2.path(), killed.path() };
    for (const QString &p : ports)
        QVERIFY(!p.isEmpty());

    QProcess cli;
    QStringList args { QStringLiteral("write"), m_image, QStringLiteral("--json"),
        QStringLiteral("--backup-dir"), m_backups, QStringLiteral("--log"), m_log,
        QStringLiteral("--force") };
    for (const QString &p : ports)
        args << QStringLiteral("--port") << p;
    cli.start(Cli(), args);
    QVERIFY(cli.waitForStarted());
    // Four backups saved: the paced radio is now in its write; kill it there.
    QTRY_COMPARE_WITH_TIMEOUT(
        QDir(m_backups).entryList({ QStringLiteral("*.dat") }, QDir::Files).size(), 4, 30000);
    QTest::qWait(300);
    QVERIFY(killed.running());
    // An ended process has id 0, and kill(0) would hit this whole group.
    QVERIFY(killed.pid() > 0);
    ::kill(static_cast<pid_t>(killed.pid()), SIGKILL);
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 1);

    const QJsonArray radios
        = QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value("radios").toArray();
    QCOMPARE(radios.size(), 4);
    const QStringList expected { "ok", "verify-failed", "ok", "failed" };
    const ProgrammingLogRead log = ReadProgrammingLog(m_log);
    QCOMPARE(log.records.size(), 4);
    const QString imageSha = Sha256Hex(FileBytes(m_image));
    for (int i = 0; i < 4; ++i) {
        const QJsonObject r = radios.at(i).toObject();
        QCOMPARE(r.value("port").toString(), ports.at(i));
        QCOMPARE(r.value("result").toString(), expected.at(i));
        // Every radio was backed up before anything was written; a failure names its backup.
        const QString backup = r.value("backup").toString();
        QVERIFY(QFile::exists(backup));
        QCOMPARE(r.value("error").toString().isEmpty(), expected.at(i) == "ok");
        if (expected.at(i) != "ok")
            QVERIFY(r.value("error").toString().contains(backup) || expected.at(i) == "failed");
        auto rec = std::find_if(log.records.begin(), log.records.end(),
            [&](const ProgrammingRecord &x) { return x.port == ports.at(i); });
        QVERIFY(rec != log.records.end());
        QCOMPARE(rec->result, expected.at(i));
        QCOMPARE(rec->backupFile, backup);
        QCOMPARE(rec->imageSha256, imageSha);
        QCOMPARE(rec->imageFile, QStringLiteral("site.dat"));
        QCOMPARE(rec->radioSha256, Sha256Hex(FileBytes(backup)));
        QVERIFY(!rec->operatorName.isEmpty());
    }

    // A power cut tore the last line: the log still lists the rest, and says so.
    QFile f(m_log);
    QVERIFY(f.open(QIODevice::Append));
    f.write("{\"time\":\"2026-12-07T09:41");
    f.close();
    const testing::ProgramRun listed = testing::RunRadioprogCli(
        { QStringLiteral("log"), QStringLiteral("--json"), QStringLiteral("--log"), m_log });
    QCOMPARE(listed.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(listed.out).array().size(), 4);
    QVERIFY(listed.err.contains("damaged"));
}

void TestCliStation::benchGivesEachRadioItsOwnRecord()
{
    SimProcess bench({ QStringLiteral("--radios"), QStringLiteral("3") });
    QVERIFY(!bench.path().isEmpty());
    QProcess cli;
    cli.start(Cli(),
        { QStringLiteral("station"), m_image, QStringLiteral("--port"), bench.path(),
            QStringLiteral("--backup-dir"), m_backups, QStringLiteral("--log"), m_log,
            QStringLiteral("--force") });
    QVERIFY(cli.waitForStarted());
    cli.write("\n\n\n");
    cli.closeWriteChannel();
    QVERIFY(cli.waitForFinished(60000));
    const QByteArray out = cli.readAllStandardOutput();
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(out.count("Connect the next radio on"), 4);
    QVERIFY(out.contains("Totals: 3 programmed, 0 failed"));

    const ProgrammingLogRead log = ReadProgrammingLog(m_log);
    QCOMPARE(log.records.size(), 3);
    QSet<QString> backups;
    QSet<QString> radios;
    for (const ProgrammingRecord &r : log.records) {
        QCOMPARE(r.result, QStringLiteral("ok"));
        backups << r.backupFile;
        radios << r.radioSha256;
    }
    QCOMPARE(backups.size(), 3);
    QCOMPARE(radios.size(), 3);
}

void TestCliStation::interruptCancelsEveryRadio()
{
    SimProcess a({ QStringLiteral("--pace") });
    SimProcess b({ QStringLiteral("--pace") });
    QProcess cli;
    cli.start(Cli(),
        { QStringLiteral("write"), m_image, QStringLiteral("--port"), a.path(),
            QStringLiteral("--port"), b.path(), QStringLiteral("--json"),
            QStringLiteral("--backup-dir"), m_backups, QStringLiteral("--log"), m_log,
            QStringLiteral("--force") });
    QVERIFY(cli.waitForStarted());
    // Signalled once it holds the port (its handlers are in place by then), however slowly
    // it started.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(CPortLock::lockFilePath(a.path())), 10000);
    // A process that has already ended has id 0, and kill(0) would hit this whole group.
    QVERIFY2(cli.processId() > 0, cli.readAllStandardError().constData());
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 1);
    const QJsonArray radios
        = QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value("radios").toArray();
    QCOMPARE(radios.size(), 2);
    for (const QJsonValue &r : radios)
        QCOMPARE(r.toObject().value("result").toString(), QStringLiteral("cancelled"));
    QCOMPARE(ReadProgrammingLog(m_log).records.size(), 2);
}

void TestCliStation::interruptEndsTheBenchWithTotals()
{
    SimProcess radio({ QStringLiteral("--pace") });
    QProcess cli;
    cli.start(Cli(),
        { QStringLiteral("station"), m_image, QStringLiteral("--port"), radio.path(),
            QStringLiteral("--backup-dir"), m_backups, QStringLiteral("--log"), m_log,
            QStringLiteral("--force") });
    QVERIFY(cli.waitForStarted());
    cli.write("\n");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(CPortLock::lockFilePath(radio.path())), 10000);
    // A process that has already ended has id 0, and kill(0) would hit this whole group.
    QVERIFY2(cli.processId() > 0, cli.readAllStandardError().constData());
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 1);
    const QByteArray out = cli.readAllStandardOutput();
    QVERIFY2(out.endsWith("Totals: 0 programmed, 1 failed\n"), out.constData());
    const ProgrammingLogRead log = ReadProgrammingLog(m_log);
    QCOMPARE(log.records.size(), 1);
    QCOMPARE(log.records.constFirst().result, QStringLiteral("cancelled"));
}

QTEST_GUILESS_MAIN(TestCliStation)
#include "tst_cli_station.moc"
