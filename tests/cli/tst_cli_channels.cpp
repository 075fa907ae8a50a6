// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli export and import, run as a user or a script would run them.
#include "tests/common/ProgramRun.h"
#include "tests/common/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testing::ReadAll;
using testing::RunRadioprogCli;
using testing::WriteAll;

const QString kFixture = QStringLiteral(RADIOPROG_TEST_DATA "/report-16ch.dat");

} // namespace

class TestCliChannels : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void exportThenImportIsIdentity();
    void importIntoNewImage();
    void onlyListedKeepsTheOtherChannels();
    void placementOptions_data();
    void placementOptions();
    void partialImportSaysSo();
    void nothingImportedWritesNothing_data();
    void nothingImportedWritesNothing();
    void usageErrors_data();
    void usageErrors();
    void neverOverwritesItsInput();
    void failedWriteKeepsOldFile();

private:
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

void TestCliChannels::exportThenImportIsIdentity()
{
    const auto ex = RunRadioprogCli({ "export", kFixture, "-o", path("list.csv") });
    QVERIFY2(ex.exitCode == 0, ex.err.constData());
    QVERIFY(ex.out.contains("Wrote 16 channel(s)"));
    const QByteArray csv = ReadAll(path("list.csv"));
    QVERIFY(csv.startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
    QCOMPARE(csv.count('\n'), 17);
    QVERIFY(!csv.contains('\r'));

    const auto im = RunRadioprogCli(
        { "import", path("list.csv"), "--into", kFixture, "-o", path("back.dat") });
    QVERIFY2(im.exitCode == 0, im.err.constData());
    QVERIFY(im.out.contains("Rows placed by their Location."));
    QVERIFY(im.out.contains("line 17 -> channel 16:"));
    QCOMPARE(ReadAll(path("back.dat")), ReadAll(kFixture));
}

void TestCliChannels::importIntoNewImage()
{
    QCOMPARE(RunRadioprogCli({ "export", kFixture, "-o", path("list.csv") }).exitCode, 0);
    const auto im = RunRadioprogCli({ "import", path("list.csv"), "-o", path("new.dat") });
    QVERIFY2(im.exitCode == 0, im.err.constData());
    QCOMPARE(ReadAll(path("new.dat")).size(), 1024);
    // Its channels export to the same list.
    QCOMPARE(RunRadioprogCli({ "export", path("new.dat"), "-o", path("again.csv") }).exitCode, 0);
    QCOMPARE(ReadAll(path("again.csv")), ReadAll(path("list.csv")));
}

void TestCliChannels::onlyListedKeepsTheOtherChannels()
{
    WriteAll(path("one.csv"), "Location,Frequency\n2,150.000000\n");
    const auto all
        = RunRadioprogCli({ "import", path("one.csv"), "--into", kFixture, "-o", path("all.dat") });
    QCOMPARE(all.exitCode, 0);
    const auto only = RunRadioprogCli(
        { "import", path("one.csv"), "--into", kFixture, "--only-listed", "-o", path("only.dat") });
    QCOMPARE(only.exitCode, 0);
    const QByteArray base = ReadAll(kFixture);
    const QByteArray a = ReadAll(path("all.dat"));
    const QByteArray o = ReadAll(path("only.dat"));
    // Channel 1 (0x010) emptied by the replacement, kept by --only-listed.
    QCOMPARE(a.mid(0x10, 12), QByteArray(12, '\xFF'));
    QCOMPARE(o.mid(0x10, 16), base.mid(0x10, 16));
    QCOMPARE(o.mid(0x30, 16), base.mid(0x30, 16));
    QVERIFY(o.mid(0x20, 4) != base.mid(0x20, 4));
    // Settings stay the base's in both.
    QCOMPARE(a.mid(0x110), base.mid(0x110).replace(0x17E - 0x110, 2, a.mid(0x17E, 2)));
}

void TestCliChannels::placementOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("placed");
    QTest::newRow("automatic") << QStringList {} << "placed by their Location"
                               << "line 2 -> channel 9";
    QTest::newRow("in order") << QStringList { "--in-order" } << "in file order from channel 1"
                              << "line 2 -> channel 1";
    QTest::newRow("first 5") << QStringList { "--in-order", "--first", "5" }
                             << "in file order from channel 5"
                             << "line 2 -> channel 5";
    QTest::newRow("--first alone") << QStringList { "--first=12" } << "from channel 12"
                                   << "line 3 -> channel 13";
    QTest::newRow("by location") << QStringList { "--by-location" } << "placed by their Location"
                                 << "line 3 -> channel 3";
}

void TestCliChannels::placementOptions()
{
    QFETCH(QStringList, options);
    QFETCH(QString, said);
    QFETCH(QString, placed);
    WriteAll(path("l.csv"), "Location,Frequency\n9,150\n3,151\n");
    const auto r
        = RunRadioprogCli(QStringList { "import", path("l.csv"), "-o", path("o.dat") } + options);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY2(r.out.contains(said.toUtf8()), r.out.constData());
    QVERIFY2(r.out.contains(placed.toUtf8()), r.out.constData());
}

void TestCliChannels::partialImportSaysSo()
{
    WriteAll(path("p.csv"), "Frequency,Mode\n150,FM\n999,FM\n151,AM\n152,NFM\n");
    const auto r = RunRadioprogCli({ "import", path("p.csv"), "-o", path("p.dat") });
    QCOMPARE(r.exitCode, 3);
    QVERIFY2(r.err.contains("line 3: receive frequency 999"), r.err.constData());
    QVERIFY(r.err.contains("line 4: Mode \"AM\""));
    QVERIFY(r.out.contains("line 5 -> channel 2"));
    // Each value under its column's name, the skipped rows counted, file order explained.
    QVERIFY2(r.out.contains("line 5 -> channel 2: Rx Frequency=152.00000, Tx Frequency=152.00000, "
                            "QT/DQT Dec=None,"),
        r.out.constData());
    QVERIFY2(
        r.out.contains("Wrote 2 channel(s) to " + path("p.dat").toUtf8() + "; 2 row(s) skipped"),
        r.out.constData());
    QVERIFY(r.out.contains("Not by Location because of line 1: the list has no Location column."));
    QCOMPARE(ReadAll(path("p.dat")).size(), 1024);
}

void TestCliChannels::nothingImportedWritesNothing_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "The file is empty.";
    QTest::newRow("header only") << QByteArray("Location,Frequency\n") << "no channel rows";
    QTest::newRow("every row fails")
        << QByteArray("Frequency\n999\n") << "no row could be imported";
    QTest::newRow("binary") << QByteArray("\x7F"
                                          "ELF\x02\x01\x01\0\0\0",
        10) << "not text";
    QTest::newRow("unterminated quote") << QByteArray("Frequency\n\"150\n") << "not closed";
}

void TestCliChannels::nothingImportedWritesNothing()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    WriteAll(path("bad.csv"), csv);
    WriteAll(path("old.dat"), QByteArray(1024, 'A'));
    const auto r = RunRadioprogCli({ "import", path("bad.csv"), "-o", path("old.dat") });
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
    QCOMPARE(ReadAll(path("old.dat")), QByteArray(1024, 'A'));
}

void TestCliChannels::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("export without -o") << QStringList { "export", kFixture } << "no output file";
    QTest::newRow("export two files")
        << QStringList { "export", kFixture, kFixture, "-o", "x.csv" } << "only one file";
    QTest::newRow("export unknown option")
        << QStringList { "export", kFixture, "-o", "x.csv", "--json" } << "unknown option --json";
    QTest::newRow("export missing file")
        << QStringList { "export", "/nonexistent/a.dat", "-o", "x.csv" } << "Cannot open";
    QTest::newRow("import without -o") << QStringList { "import", "a.csv" } << "no output file";
    QTest::newRow("import both placements") << QStringList { "import", "a.csv", "-o", "x.dat",
        "--by-location", "--in-order" } << "exclude each other";
    QTest::newRow("import --first 17")
        << QStringList { "import", "a.csv", "-o", "x.dat", "--first", "17" } << "--first must be";
    QTest::newRow("import --first with --by-location") << QStringList { "import", "a.csv", "-o",
        "x.dat", "--first", "2", "--by-location" } << "--first goes with --in-order";
    QTest::newRow("import missing list")
        << QStringList { "import", "/nonexistent/a.csv", "-o", "x.dat" } << "cannot open";
    QTest::newRow("import missing base")
        << QStringList { "import", kFixture, "--into", "/nonexistent/b.dat", "-o", "x.dat" }
        << "Cannot open";
}

void TestCliChannels::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const auto r = RunRadioprogCli(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
    QVERIFY(r.out.isEmpty() || !r.out.contains("Wrote"));
}

void TestCliChannels::neverOverwritesItsInput()
{
    QVERIFY(QFile::copy(kFixture, path("a.dat")));
    const auto ex = RunRadioprogCli({ "export", path("a.dat"), "-o", path("a.dat") });
    QCOMPARE(ex.exitCode, 2);
    QVERIFY(ex.err.contains("would overwrite"));
    QCOMPARE(ReadAll(path("a.dat")), ReadAll(kFixture));

    WriteAll(path("l.csv"), "Frequency\n150\n");
    const auto im = RunRadioprogCli({ "import", path("l.csv"), "-o", path("l.csv") });
    QCOMPARE(im.exitCode, 2);
    QVERIFY(im.err.contains("would overwrite"));
    QCOMPARE(ReadAll(path("l.csv")), QByteArray("Frequency\n150\n"));
}

void TestCliChannels::failedWriteKeepsOldFile()
{
    // A folder that does not exist: the system's reason is told, nothing is written.
    const auto ex = RunRadioprogCli({ "export", kFixture, "-o", path("no/such/list.csv") });
    QCOMPARE(ex.exitCode, 2);
    QVERIFY2(ex.err.contains("cannot write"), ex.err.constData());
    QVERIFY(ex.err.contains("No such file or directory"));

    // A FIFO (or a device) is no file to replace: a rename over it would destroy it.
    const QString fifo = path("fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    WriteAll(path("l.csv"), "Frequency\n150\n");
    for (const QStringList &args : { QStringList { "import", path("l.csv"), "-o", fifo },
             QStringList { "export", kFixture, "-o", fifo } }) {
        const auto r = RunRadioprogCli(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("not a regular file"), r.err.constData());
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    }

    // A read-only file keeps its contents (the import tells why); root may write anything.
    if (::geteuid() == 0)
        QSKIP("running as root: a read-only file is writable");
    WriteAll(path("ro.dat"), QByteArray(1024, 'B'));
    QFile::setPermissions(path("ro.dat"), QFile::ReadOwner);
    const auto ro = RunRadioprogCli({ "import", path("l.csv"), "-o", path("ro.dat") });
    QCOMPARE(ro.exitCode, 2);
    QVERIFY2(ro.err.contains("read-only"), ro.err.constData());
    QCOMPARE(ReadAll(path("ro.dat")), QByteArray(1024, 'B'));
}

QTEST_GUILESS_MAIN(TestCliChannels)
#include "tst_cli_channels.moc"
