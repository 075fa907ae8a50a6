// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli diff, run as a user or a script would run it.
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/image/SettingsArea.h"

#include "tests/common/ProgramRun.h"
#include "tests/common/TestFiles.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <QtTest>

class TestCliDiff : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_a;
    QString m_b;
    QString m_same;

    static testing::ProgramRun Diff(const QStringList &args)
    {
        return testing::RunRadioprogCli(QStringList { QStringLiteral("diff") } + args);
    }

private slots:
    void initTestCase()
    {
        MemoryImage a = MemoryImage::defaults();
        MemoryImage b = a;
        b.channel(2).setRxBytes(EncodeFrequency(ParseFrequency(QStringLiteral("145.125")).units));
        b.channel(2).setTxBytes(EncodeFrequency(ParseFrequency(QStringLiteral("145.125")).units));
        WriteField(b, Field::SquelchLevel, 7);
        b[0x3FE] = 0x12;
        m_a = m_dir.filePath(QStringLiteral("a.dat"));
        m_b = m_dir.filePath(QStringLiteral("b.dat"));
        m_same = m_dir.filePath(QStringLiteral("same.dat"));
        testing::WriteAll(m_a, a.toByteArray());
        testing::WriteAll(m_b, b.toByteArray());
        testing::WriteAll(m_same, a.toByteArray());
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("same") << QStringList { "A", "SAME" } << 0;
        QTest::newRow("different") << QStringList { "A", "B" } << 1;
        QTest::newRow("missing file") << QStringList { "A", "/nonexistent/x.dat" } << 2;
        QTest::newRow("short file")
            << QStringList { "A", RADIOPROG_TEST_DATA "/image-short.dat" } << 2;
        QTest::newRow("folder") << QStringList { "A", "/tmp" } << 2;
        QTest::newRow("one file") << QStringList { "A" } << 2;
        QTest::newRow("three files") << QStringList { "A", "B", "SAME" } << 2;
        QTest::newRow("bad language") << QStringList { "A", "B", "--lang", "fr" } << 2;
        QTest::newRow("unknown option") << QStringList { "A", "B", "--xml" } << 2;
    }
    void exitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^A$")), m_a);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^B$")), m_b);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^SAME$")), m_same);
        const testing::ProgramRun r = Diff(args);
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode == 2)
            QVERIFY2(r.err.startsWith("radioprog-cli diff: "), r.err.constData());
    }

    void textListsWhatTheCompareWindowLists_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("en") << "en"
                            << QStringList { "Channel 2  Rx Frequency: (empty) -> 145.12500",
                                   "Squelch Level: 4 -> 7", "Byte 0x3FE: FF -> 12" };
        QTest::newRow("zh") << "zh"
                            << QStringList { "信道 2  接收频率: （空） -> 145.12500",
                                   "静噪等级: 4 -> 7", "字节 0x3FE: FF -> 12" };
    }
    void textListsWhatTheCompareWindowLists()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, lines);
        const testing::ProgramRun r = Diff({ m_a, m_b, QStringLiteral("--lang"), lang });
        QCOMPARE(r.exitCode, 1);
        const QString out = QString::fromUtf8(r.out);
        for (const QString &line : lines)
            QVERIFY2(out.contains(line + QLatin1Char('\n')), qPrintable(out));
        QVERIFY(Diff({ m_a, m_same }).out.contains("same"));
    }

    void json()
    {
        const testing::ProgramRun r = Diff({ m_a, m_b, QStringLiteral("--json") });
        QCOMPARE(r.exitCode, 1);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray list = doc.object().value(QStringLiteral("differences")).toArray();
        QStringList fields;
        for (const QJsonValue &v : list) {
            const QJsonObject o = v.toObject();
            fields << o.value(QStringLiteral("field")).toString();
            if (o.value(QStringLiteral("field")) == QStringLiteral("rx")) {
                QCOMPARE(o.value(QStringLiteral("channel")).toInt(), 2);
                QCOMPARE(o.value(QStringLiteral("a")).toString(), QString());
                QCOMPARE(o.value(QStringLiteral("b")).toString(), QStringLiteral("145.12500"));
                QVERIFY(!o.contains(QStringLiteral("offset")));
            }
            if (o.value(QStringLiteral("field")) == QStringLiteral("squelchLevel")) {
                QVERIFY(o.value(QStringLiteral("channel")).isNull());
                QCOMPARE(o.value(QStringLiteral("b")).toString(), QStringLiteral("7"));
            }
            if (o.value(QStringLiteral("field")) == QStringLiteral("bytes")) {
                QVERIFY(o.value(QStringLiteral("channel")).isNull());
                QCOMPARE(o.value(QStringLiteral("offset")).toInt(), 0x3FE);
                QCOMPARE(o.value(QStringLiteral("a")).toString(), QStringLiteral("FF"));
                QCOMPARE(o.value(QStringLiteral("b")).toString(), QStringLiteral("12"));
            }
        }
        QVERIFY2(fields.contains(QStringLiteral("rx")) && fields.contains(QStringLiteral("tx"))
                && fields.contains(QStringLiteral("squelchLevel"))
                && fields.contains(QStringLiteral("bytes")),
            qPrintable(fields.join(QLatin1Char(' '))));
        const QJsonDocument same
            = QJsonDocument::fromJson(Diff({ m_a, m_same, QStringLiteral("--json") }).out);
        QCOMPARE(same.object().value(QStringLiteral("differences")).toArray().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCliDiff)
#include "tst_cli_diff.moc"
