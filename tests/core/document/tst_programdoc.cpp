// SPDX-License-Identifier: GPL-3.0-or-later
// The document: new image, .dat open and save, and what failures leave behind.
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/IniFile.h"

#include "tests/common/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <QtTest>
#include <unistd.h>

namespace {

using testing::ReadAll;
using testing::WriteAll;

// Every byte value, so a swapped or dropped byte cannot go unnoticed.
QByteArray Pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

} // namespace

class TestProgramDoc : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        const QString ini = m_dir.filePath("Program.ini");
        WriteAll(ini, "[Setup]\r\nAppName=TestRadio\r\n");
        QCOMPARE(theIniFile.Open(ini, false, true, false), 1);
    }
    void cleanupTestCase() { theIniFile.Close(); }

    void newDocument_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << false << "Channel Information";
        QTest::newRow("Chinese") << true << "信道信息";
    }
    void newDocument()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, title);
        g_bChinese = chinese;
        g_bNewImage = 0;
        CProgramDoc doc;
        doc.m_image[0x100] = 0x12;
        QVERIFY(doc.OnNewDocument());
        g_bChinese = false;
        QCOMPARE(doc.title(), title);
        QCOMPARE(doc.pathName(), QStringLiteral("TestRadio"));
        QCOMPARE(g_bNewImage, std::uint8_t(1));
        QVERIFY(doc.m_image == MemoryImage::defaults());
        QVERIFY(!doc.isModified());
    }

    void openSaveRoundTrip()
    {
        const QString in = m_dir.filePath("radio.dat");
        const QString out = m_dir.filePath("copy.dat");
        WriteAll(in, Pattern(1024));
        CProgramDoc doc;
        doc.OnNewDocument();
        QString error;
        QVERIFY2(doc.OnOpenDocument(in, &error), qPrintable(error));
        QCOMPARE(g_bNewImage, std::uint8_t(0));
        QCOMPARE(doc.title(), QStringLiteral("radio.dat"));
        QCOMPARE(QFileInfo(doc.pathName()).fileName(), QStringLiteral("radio.dat"));
        QVERIFY2(doc.OnSaveDocument(out, &error), qPrintable(error));
        QCOMPARE(ReadAll(out), Pattern(1024));
        QCOMPARE(doc.title(), QStringLiteral("copy.dat"));
    }

    void refusedOpenChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size"); // -1: do not create; -2: a folder
        QTest::newRow("empty file") << "empty.dat" << 0;
        QTest::newRow("one byte short") << "short.dat" << 1023;
        QTest::newRow("one byte long") << "long.dat" << 1025;
        QTest::newRow("a channel list") << "channels.csv" << 1500;
        QTest::newRow("missing file") << "missing.dat" << -1;
        QTest::newRow("a folder") << "folder.dat" << -2;
    }
    void refusedOpenChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const QString path = m_dir.filePath(name);
        if (size >= 0)
            WriteAll(path, Pattern(size));
        else if (size == -2)
            QVERIFY(QDir(m_dir.path()).mkpath(name));

        CProgramDoc doc;
        doc.OnNewDocument();
        doc.m_image[0x20] = 0x42;
        const MemoryImage before = doc.m_image;
        QString error;
        QVERIFY(!doc.OnOpenDocument(path, &error));
        QVERIFY(error.contains(QDir::toNativeSeparators(path)));
        QVERIFY(doc.m_image == before);
        QCOMPARE(doc.title(), QStringLiteral("Channel Information"));
        QCOMPARE(doc.pathName(), QStringLiteral("TestRadio"));
        QCOMPARE(g_bNewImage, std::uint8_t(1));
    }

    void wrongSizeErrorNamesSizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("short") << 16;
        QTest::newRow("long") << 1500;
    }
    void wrongSizeErrorNamesSizes()
    {
        QFETCH(int, size);
        const QString path = m_dir.filePath("sized.dat");
        WriteAll(path, Pattern(size));
        CProgramDoc doc;
        QString error;
        QVERIFY(!doc.OnOpenDocument(path, &error));
        QVERIFY2(error.contains("1024") && error.contains(QString::number(size) + " bytes"),
            qPrintable(error));
    }

    void saveRunsHookFirst()
    {
        const QString path = m_dir.filePath("hook.dat");
        CProgramDoc doc;
        doc.OnNewDocument();
        int calls = 0;
        doc.setSaveHook([&] {
            ++calls;
            doc.m_image[0x10] = 0x55; // what the grid would store
        });
        QVERIFY(doc.OnSaveDocument(path));
        QCOMPARE(calls, 1);
        const QByteArray saved = ReadAll(path);
        QCOMPARE(saved.size(), 1024);
        QCOMPARE(static_cast<std::uint8_t>(saved.at(0x10)), std::uint8_t(0x55));
        QCOMPARE(saved, doc.m_image.toByteArray());
    }

    void saveReplacesLongerFile()
    {
        const QString path = m_dir.filePath("big.dat");
        WriteAll(path, QByteArray(4096, 'x'));
        CProgramDoc doc;
        doc.OnNewDocument();
        QVERIFY(doc.OnSaveDocument(path));
        QCOMPARE(ReadAll(path), MemoryImage::defaults().toByteArray());
    }

    void failedSaveKeepsOldFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("path is a folder") << "folder";
        QTest::newRow("parent is a file") << "parentfile";
        QTest::newRow("read-only folder") << "readonly";
    }
    void failedSaveKeepsOldFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path;
        QString keep; // a file that must come through whole
        if (kind == "folder") {
            path = dir.filePath("channels.dat");
            QVERIFY(QDir(dir.path()).mkpath("channels.dat"));
            keep = dir.filePath("channels.dat/inside.dat");
            WriteAll(keep, Pattern(1024));
        } else if (kind == "parentfile") {
            keep = dir.filePath("plain");
            WriteAll(keep, Pattern(1024));
            path = keep + "/channels.dat";
        } else {
            if (geteuid() == 0)
                QSKIP("folder permissions do not bind the superuser");
            path = dir.filePath("channels.dat");
            keep = path;
            WriteAll(keep, Pattern(1024));
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        CProgramDoc doc;
        doc.OnNewDocument();
        doc.setSaveHook([&] { doc.m_image[0x10] = 0x66; });
        QString error;
        const bool saved = doc.OnSaveDocument(path, &error);
        QFile::setPermissions(
            dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(keep), Pattern(1024));
        QCOMPARE(doc.m_image[0x10], std::uint8_t(0x66)); // the grid's values stay in the image
        QCOMPARE(doc.title(), QStringLiteral("Channel Information"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
            kind == "folder" ? 0 : 1); // no temporary file left behind
    }
};

QTEST_GUILESS_MAIN(TestProgramDoc)
#include "tst_programdoc.moc"
