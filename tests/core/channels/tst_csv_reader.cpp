// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader: spreadsheet variants and hostile files.
#include "core/channels/CsvReader.h"

#include <QtTest>

class TestCsvReader : public QObject
{
    Q_OBJECT

private slots:
    void variants_data();
    void variants();
    void hostile_data();
    void hostile();
    void lineNumbersOfQuotedLineEnds();
    void writeQuotesWhatNeedsIt_data();
    void writeQuotesWhatNeedsIt();
    void writtenLinesReadBack();
};

void TestCsvReader::variants_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("records"); // records joined by "/", fields by "|"

    QTest::newRow("plain LF") << QByteArray("a,b,c\n1,2,3\n") << ","
                              << "a|b|c/1|2|3";
    QTest::newRow("CRLF") << QByteArray("a,b\r\n1,2\r\n") << ","
                          << "a|b/1|2";
    QTest::newRow("CR only") << QByteArray("a,b\r1,2\r") << ","
                             << "a|b/1|2";
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF"
                                       "a,b\n1,2\n")
                         << ","
                         << "a|b/1|2";
    QTest::newRow("no final line end") << QByteArray("a,b\n1,2") << ","
                                       << "a|b/1|2";
    QTest::newRow("empty last field") << QByteArray("a,b\n1,") << ","
                                      << "a|b/1|";
    QTest::newRow("quoted comma") << QByteArray("a,b\n\"x,y\",2\n") << ","
                                  << "a|b/x,y|2";
    QTest::newRow("doubled quote") << QByteArray("a,b\n\"say \"\"hi\"\"\",2\n") << ","
                                   << "a|b/say \"hi\"|2";
    QTest::newRow("quoted line end") << QByteArray("a,b\n\"x\ny\",2\n") << ","
                                     << "a|b/x\ny|2";
    QTest::newRow("semicolons, decimal commas")
        << QByteArray("Location;Frequency\r\n1;146,520000\r\n") << ";"
        << "Location|Frequency/1|146,520000";
    QTest::newRow("tabs") << QByteArray("a\tb\n1,5\t2\n") << "\t"
                          << "a|b/1,5|2";
    QTest::newRow("blank lines skipped") << QByteArray("a,b\n\n1,2\n,\n\n") << ","
                                         << "a|b/1|2";
    QTest::newRow("UTF-8 text") << QByteArray("a,b\n信道,2\n") << ","
                                << QString::fromUtf8("a|b/信道|2");
    QTest::newRow("sep= line") << QByteArray("sep=;\r\na;b\r\n1,5;2\r\n") << ";"
                               << "a|b/1,5|2";
    QTest::newRow("semicolon inside quotes does not decide")
        << QByteArray("\"a;b;c\",d\n1,2\n") << ","
        << "a;b;c|d/1|2";
}

void TestCsvReader::variants()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, separator);
    QFETCH(QString, records);
    CsvDocument doc;
    QString error;
    QVERIFY2(ParseCsv(bytes, &doc, &error), qPrintable(error));
    QCOMPARE(QString(doc.separator), separator);
    QStringList got;
    for (const CsvRecord &r : doc.records)
        got << r.fields.join(QLatin1Char('|'));
    QCOMPARE(got.join(QLatin1Char('/')), records);
}

void TestCsvReader::hostile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    QTest::newRow("empty") << QByteArray() << "empty";
    QTest::newRow("blank lines only") << QByteArray("\n\r\n  \n") << "only blank lines";
    QTest::newRow("zero bytes") << QByteArray("a,b\n\0\0\x01\x02", 8) << "not text";
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>((i * 7919) % 251 + 1));
    QTest::newRow("binary junk") << junk << "not UTF-8";
    QTest::newRow("invalid UTF-8") << QByteArray("a,b\n\xC3\x28,1\n") << "not UTF-8";
    QTest::newRow("unterminated quote")
        << QByteArray("a,b\n1,2\n\"open,3\n4,5\n") << "Line 3: a quoted field is not closed";
    QTest::newRow("1 MB field") << QByteArray("a,b\n1,") + QByteArray(1 << 20, 'x') + "\n"
                                << "Line 2 has a field longer than 1024 characters";
    QTest::newRow("1 MB quoted field") << QByteArray("a,b\n\"") + QByteArray(1 << 20, 'x') + "\"\n"
                                       << "Line 2 has a field longer than 1024 characters";
    QTest::newRow("3 MB file") << QByteArray(3 << 20, 'a')
                               << "The file is larger than 2097152 bytes";
    QByteArray many("a,b\n");
    for (int i = 0; i < 10000; ++i)
        many += "1,2\n";
    QTest::newRow("10000 rows") << many << "more than 5000 rows";
    QTest::newRow("too many fields") << QByteArray(100, ',') << "Line 1 has more than 64 fields";
}

void TestCsvReader::hostile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    CsvDocument doc;
    QString why;
    QVERIFY(!ParseCsv(bytes, &doc, &why));
    QVERIFY2(why.contains(error), qPrintable(why));
    QVERIFY(doc.records.isEmpty());
}

void TestCsvReader::lineNumbersOfQuotedLineEnds()
{
    CsvDocument doc;
    QString error;
    QVERIFY(ParseCsv("a,b\r\n\"x\r\ny\r\nz\",1\r\n\r\n2,3\r\n", &doc, &error));
    QCOMPARE(doc.records.size(), 3);
    QCOMPARE(doc.records.at(0).line, 1);
    QCOMPARE(doc.records.at(1).line, 2);
    QCOMPARE(doc.records.at(2).line, 6);
    // After a "sep=" line the header is line 2.
    QVERIFY(ParseCsv("sep=,\nFrequency\n146.52\n", &doc, &error));
    QCOMPARE(doc.records.at(0).line, 2);
    QCOMPARE(doc.records.at(1).line, 3);
}

void TestCsvReader::writeQuotesWhatNeedsIt_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << QStringList { "1", "", "146.520000" } << "1,,146.520000";
    QTest::newRow("comma") << QStringList { "a,b", "c" } << "\"a,b\",c";
    QTest::newRow("quote") << QStringList { "say \"x\"" } << "\"say \"\"x\"\"\"";
    QTest::newRow("line end") << QStringList { "a\nb" } << "\"a\nb\"";
    QTest::newRow("semicolon is plain")
        << QStringList { "busylock=off; compand=no" } << "busylock=off; compand=no";
}

void TestCsvReader::writeQuotesWhatNeedsIt()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    QCOMPARE(CsvLine(fields), line);
}

void TestCsvReader::writtenLinesReadBack()
{
    const QList<QStringList> rows = { { "h1", "h2", "h3" }, { "a,b", "\"q\"", "x\r\ny" },
        { "", "", "" }, { " lead", "trail ", "信道" } };
    QString text;
    for (const QStringList &r : rows)
        text += CsvLine(r) + QLatin1Char('\n');
    CsvDocument doc;
    QString error;
    QVERIFY(ParseCsv(text.toUtf8(), &doc, &error));
    // The all-empty row is a blank line and is skipped.
    QCOMPARE(doc.records.size(), 3);
    QCOMPARE(doc.records.at(1).fields, rows.at(1));
    QCOMPARE(doc.records.at(2).fields, rows.at(3));
}

QTEST_APPLESS_MAIN(TestCsvReader)
#include "tst_csv_reader.moc"
