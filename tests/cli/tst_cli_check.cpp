// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli check and the check before radioprog-cli write, run as a
// script would run them.
#include "tests/common/ProgramRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Fixture(const char *name)
{
    return QStringLiteral(RADIOPROG_TEST_DATA "/") + QLatin1String(name);
}

} // namespace

class TestCliCheck : public QObject
{
    Q_OBJECT

private slots:
    void status_data();
    void status();
    void json();
    void write_data();
    void write();
};

void TestCliCheck::status_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stdoutHas"); // empty: nothing on stdout

    QTest::newRow("clean file") << QStringList { Fixture("report-16ch.dat") } << 0 << "";
    QTest::newRow("clean file, us rules")
        << QStringList { Fixture("report-16ch.dat"), "--region", "us" } << 0 << "";
    QTest::newRow("faulty file") << QStringList { Fixture("image-channels.dat") } << 1
                                 << "Error: CH 8, Rx Frequency: ";
    QTest::newRow("faulty file in Chinese") << QStringList { Fixture("image-channels.dat"),
        "--lang", "zh" } << 1 << "错误: 信道 8, 接收频率: ";
    QTest::newRow("short file") << QStringList { Fixture("image-short.dat") } << 2 << "";
    QTest::newRow("missing file") << QStringList { Fixture("no-such.dat") } << 2 << "";
    QTest::newRow("unknown region")
        << QStringList { Fixture("report-16ch.dat"), "--region", "mars" } << 2 << "";
    QTest::newRow("no file") << QStringList {} << 2 << "";
}

void TestCliCheck::status()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stdoutHas);
    const testing::ProgramRun r
        = testing::RunRadioprogCli(QStringList { QStringLiteral("check") } + args);
    QCOMPARE(r.exitCode, exitCode);
    if (stdoutHas.isEmpty())
        QCOMPARE(r.out, QByteArray());
    else
        QVERIFY2(QString::fromUtf8(r.out).contains(stdoutHas), r.out.constData());
}

void TestCliCheck::json()
{
    const testing::ProgramRun r = testing::RunRadioprogCli(
        { QStringLiteral("check"), Fixture("image-channels.dat"), QStringLiteral("--json") });
    QCOMPARE(r.exitCode, 1);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray list = doc.object().value(QStringLiteral("findings")).toArray();
    QStringList seen;
    for (const QJsonValue &v : list) {
        const QJsonObject o = v.toObject();
        seen << QStringLiteral("%1 %2 %3 %4")
                    .arg(o.value(QStringLiteral("code")).toString(),
                        o.value(QStringLiteral("severity")).toString(),
                        QString::number(
                            o.value(QStringLiteral("channels")).toArray().at(0).toInt()),
                        o.value(QStringLiteral("field")).toString());
        QVERIFY(!o.value(QStringLiteral("message")).toString().isEmpty());
    }
    // The fixture's deliberate faults, each where it lies.
    for (const char *expected : { "scan-add-empty error 2 scanAdd", "out-of-band error 9 tx",
             "bad-tone error 9 encode", "bad-frequency error 16 tx",
             "priority-empty error 5 priorityChannel", "simplex-tone-mismatch note 1 encode" })
        QVERIFY2(seen.contains(QLatin1String(expected)), qPrintable(seen.join('\n')));
}

void TestCliCheck::write_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrHas");

    // A port that does not exist: getting as far as the port means the check let it through.
    const QString port = QStringLiteral("/nonexistent/ttyPLAN");
    QTest::newRow("errors refused")
        << QStringList { "--port", port, Fixture("image-channels.dat") } << 2 << "--force";
    QTest::newRow("errors forced")
        << QStringList { "--port", port, "--force", Fixture("image-channels.dat") } << 1
        << "Error: CH 8, Rx Frequency";
    QTest::newRow("clean accepted")
        << QStringList { "--port", port, Fixture("report-16ch.dat") } << 1 << "";
    QTest::newRow("warning shown, not refused")
        << QStringList { "--port", port, "--region", "us", Fixture("report-16ch.dat") } << 1 << "";
}

void TestCliCheck::write()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrHas);
    QTemporaryDir backups;
    // DUPLICATE: the clean file with channel 2 made a copy of channel 1, a warning only.
    const QString duplicate = backups.filePath(QStringLiteral("duplicate.dat"));
    QFile in(Fixture("report-16ch.dat"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    bytes.replace(0x20, 16, bytes.mid(0x10, 16));
    bytes[0x17E] = char(bytes[0x17E] | 0x02);
    QFile out(duplicate);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    args.replaceInStrings(QStringLiteral("DUPLICATE"), duplicate);
    const testing::ProgramRun r = testing::RunRadioprogCli(
        QStringList { QStringLiteral("write"), QStringLiteral("--backup-dir"), backups.path() }
        + args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.err).contains(stderrHas), r.err.constData());
    if (exitCode == 2)
        QVERIFY2(!r.err.contains("ttyPLAN"), r.err.constData());
}

QTEST_GUILESS_MAIN(TestCliCheck)
#include "tst_cli_check.moc"
