// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and reading files under real faults: a full disk, read-only folders, files and
// mounts, an immutable file, FIFOs and devices. The old file must always survive whole.
#include "core/app/Globals.h"
#include "core/document/FileName.h"
#include "core/document/FileRead.h"
#include "core/document/FileWrite.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/IniFile.h"
#include "core/settings/IniText.h"

#include "tests/common/FileFaults.h"
#include "tests/common/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <QtTest>
#include <memory>
#include <unistd.h>

namespace {

using testing::AsOrdinaryUser;
using testing::HangGuard;
using testing::ReadAll;
using testing::SmallDisk;
using testing::WriteAll;

// Every byte value, so a swapped or dropped byte cannot go unnoticed.
QByteArray Pattern(int size, int seed = 7)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * seed + i / 256) & 0xFF);
    return bytes;
}

const QByteArray kOld = Pattern(1024);
// Longer than a page of the disk, so that the small disk must find room for it.
const QByteArray kLonger = Pattern(9000, 11);
const QByteArray kShorter = Pattern(100, 13);

// Names in a folder that are not the given ones: left-over temporary files.
QStringList Leftovers(const QString &folder, const QStringList &expected)
{
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : expected)
        names.removeAll(name);
    return names;
}

/// The ways a target can refuse a write, each set up for real.
enum class Fault {
    Folder, // a folder stands at the path
    Fifo, // a FIFO stands at the path
    ParentIsFile, // the "folder" is a plain file
    MissingFolder, // the folder does not exist
    ReadOnlyFile, // the file's permissions forbid writing; the folder allows it
    ReadOnlyFolderAndFile, // neither allows writing
    FullDisk, // no block left
    ReadOnlyMount, // the disk is mounted read-only
    Immutable, // the file carries the immutable flag (binds the superuser)
};

/// A prepared target: the path to write and the file that must come through whole.
struct Target
{
    QString path;
    QString keep; // empty when nothing exists to keep
    QString folder;
};

} // namespace
Q_DECLARE_METATYPE(Fault)

class TestSafeFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SmallDisk> m_disk;

    // Sets up fault under a fresh folder; QSKIPs (through the caller's return) when the
    // machine cannot make it. The file at keep holds kOld.
    bool Prepare(Fault fault, Target *t, const QByteArray &contents = kOld)
    {
        static int serial = 0;
        const bool onDisk = fault == Fault::FullDisk || fault == Fault::ReadOnlyMount
            || fault == Fault::Immutable;
        QString base;
        if (onDisk) {
            m_disk = std::make_unique<SmallDisk>(64);
            if (!m_disk->mounted())
                return false;
            base = m_disk->path();
        } else {
            base = m_dir.filePath(QStringLiteral("case%1").arg(++serial));
            QDir().mkpath(base);
            // An ordinary user must be able to enter it.
            QFile::setPermissions(base,
                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                    | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
        }
        t->folder = base;
        t->path = base + QStringLiteral("/channels.dat");
        t->keep = t->path;
        switch (fault) {
        case Fault::Folder:
            QDir().mkpath(t->path);
            t->keep = t->path + QStringLiteral("/inside.dat");
            break;
        case Fault::Fifo:
            if (!testing::MakeFifo(t->path))
                return false;
            t->keep.clear();
            return true;
        case Fault::ParentIsFile:
            t->keep = base + QStringLiteral("/plain");
            t->path = t->keep + QStringLiteral("/channels.dat");
            break;
        case Fault::MissingFolder:
            t->path = base + QStringLiteral("/missing/channels.dat");
            t->keep.clear();
            return true;
        default:
            break;
        }
        WriteAll(t->keep, contents);
        // Writable for the ordinary user the test acts as, unless the fault says otherwise.
        QFile::setPermissions(t->keep,
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                | QFileDevice::WriteOther);
        switch (fault) {
        case Fault::ReadOnlyFile:
            QFile::setPermissions(t->keep, QFileDevice::ReadOwner | QFileDevice::ReadOther);
            break;
        case Fault::ReadOnlyFolderAndFile:
            QFile::setPermissions(t->keep, QFileDevice::ReadOwner | QFileDevice::ReadOther);
            QFile::setPermissions(
                base, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ExeOther);
            break;
        case Fault::FullDisk:
            return m_disk->fill();
        case Fault::ReadOnlyMount:
            return m_disk->setReadOnly(true);
        case Fault::Immutable:
            return testing::SetImmutable(t->keep, true);
        default:
            break;
        }
        return true;
    }

    // Why Prepare could not make its fault.
    QString SkipReason() const
    {
        if (m_disk && !m_disk->mounted())
            return m_disk->whyNot();
        return QStringLiteral("this fault cannot be made on this machine (kernel or rights)");
    }

    // Takes the fault away again; the disk stays mounted.
    void Lift(Fault fault, const Target &t)
    {
        const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
            | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
        if (fault == Fault::Immutable)
            testing::SetImmutable(t.keep, false);
        if (fault == Fault::ReadOnlyMount)
            m_disk->setReadOnly(false);
        if (fault == Fault::FullDisk)
            m_disk->unfill();
        if (fault == Fault::ReadOnlyFolderAndFile)
            QFile::setPermissions(t.folder, writable | QFileDevice::WriteOther);
        if (fault == Fault::ReadOnlyFile || fault == Fault::ReadOnlyFolderAndFile)
            QFile::setPermissions(t.keep, writable | QFileDevice::WriteOther);
    }
    void Release(Fault fault, const Target &t)
    {
        if (!m_disk || m_disk->mounted())
            Lift(fault, t);
        m_disk.reset();
    }

    static void AddFaultRows()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("reason"); // part of the OS's reason; empty: any
        QTest::newRow("folder at the path") << Fault::Folder << "Is a directory";
        QTest::newRow("FIFO at the path") << Fault::Fifo << "not a regular file";
        QTest::newRow("parent is a file") << Fault::ParentIsFile << "Not a directory";
        QTest::newRow("missing folder") << Fault::MissingFolder << "No such file or directory";
        QTest::newRow("read-only file") << Fault::ReadOnlyFile << "Permission denied";
        QTest::newRow("read-only folder and file")
            << Fault::ReadOnlyFolderAndFile << "Permission denied";
        QTest::newRow("full disk") << Fault::FullDisk << "No space left on device";
        QTest::newRow("read-only mount") << Fault::ReadOnlyMount << "Read-only file system";
        QTest::newRow("immutable file") << Fault::Immutable << "Operation not permitted";
    }

private slots:
    // Every name's bytes come back the same; valid UTF-8 reads as Qt reads it, and
    // anything else is kept byte for byte instead of becoming U+FFFD.
    void fileNameBytesRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("ASCII") << QByteArray("radio.dat") << true;
        QTest::newRow("Chinese") << QByteArray("\xe4\xbf\xa1\xe9\x81\x93.dat") << true;
        QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x93\xbb.dat") << true;
        QTest::newRow("a stray byte") << QByteArray("r\xff.dat") << false;
        QTest::newRow("Latin-1") << QByteArray("Kan\xe4l.dat") << false;
        QTest::newRow("overlong") << QByteArray("\xc0\xaf.dat") << false;
        QTest::newRow("an encoded surrogate") << QByteArray("\xed\xa0\x80.dat") << false;
        QTest::newRow("cut short") << QByteArray("a\xe4\xbf") << false;
    }
    void fileNameBytesRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        const QString name = filename::FromNative(bytes);
        QCOMPARE(filename::ToNative(name), bytes);
        QCOMPARE(name == QString::fromUtf8(bytes), utf8);
    }

    void initTestCase()
    {
        QFile::setPermissions(m_dir.path(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                | QFileDevice::ExeOther);
        const QString ini = m_dir.filePath("Program.ini");
        WriteAll(ini, "[Setup]\r\nAppName=TestRadio\r\n");
        QCOMPARE(theIniFile.Open(ini, false, true, false), 1);
    }
    void cleanupTestCase() { theIniFile.Close(); }

    // ---- the safe write ----

    void writeReplacesWhole_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("new file") << "new" << kOld;
        QTest::newRow("longer than the old") << "old" << kLonger;
        QTest::newRow("shorter than the old") << "old" << kShorter;
        QTest::newRow("empty") << "old" << QByteArray();
        QTest::newRow("through a symbolic link") << "link" << kLonger;
    }
    void writeReplacesWhole()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString file = dir.filePath("channels.dat");
        QString path = file;
        if (kind != "new") {
            WriteAll(file, kOld);
            QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        if (kind == "link") {
            path = dir.filePath("link.dat");
            QVERIFY(QFile::link(file, path));
        }
        QString reason;
        QVERIFY2(filewrite::WriteWholeFile(path, bytes, &reason), qPrintable(reason));
        QCOMPARE(ReadAll(file), bytes);
        if (kind == "link")
            QVERIFY(QFileInfo(path).isSymLink());
        if (kind != "new") // the permissions of the old file are kept
            QCOMPARE(QFileInfo(file).permissions() & 0x7077,
                QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(Leftovers(dir.path(), { "channels.dat", "link.dat" }), QStringList());
    }

    void failedWriteKeepsOldFile_data() { AddFaultRows(); }
    void failedWriteKeepsOldFile()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, reason);
        Target t;
        if (!Prepare(fault, &t)) {
            const QString why = SkipReason();
            Release(fault, t);
            QSKIP(qPrintable(why));
        }
        bool written = true;
        QString why;
        {
            HangGuard guard(20); // a FIFO must not keep the write waiting
            AsOrdinaryUser user;
            written = filewrite::WriteWholeFile(t.path, kLonger, &why);
        }
        const QByteArray after = t.keep.isEmpty() ? QByteArray() : ReadAll(t.keep);
        const QStringList left = Leftovers(t.folder, { "channels.dat", "plain", "filler" });
        Release(fault, t);
        QVERIFY(!written);
        QVERIFY2(why.contains(reason), qPrintable(why));
        if (!t.keep.isEmpty())
            QCOMPARE(after, kOld);
        QCOMPARE(left, QStringList());
        if (fault == Fault::Fifo)
            QVERIFY(QFileInfo(t.path).exists() && !QFileInfo(t.path).isFile());
    }

    // A folder that refuses new files while the file itself may be written: the file is
    // rewritten in place, and never left shorter than the old text while that happens.
    void readOnlyFolderRewritesInPlace_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("written");
        QTest::newRow("longer") << false << kLonger << true;
        QTest::newRow("shorter") << false << kShorter << true;
        QTest::newRow("shorter on a full disk") << true << kShorter << true;
        QTest::newRow("longer on a full disk") << true << kLonger << false;
    }
    void readOnlyFolderRewritesInPlace()
    {
        QFETCH(bool, fullDisk);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, written);
        if (::geteuid() != 0)
            QSKIP("needs root: a folder the test user cannot write, holding a file it can");
        std::unique_ptr<SmallDisk> disk;
        QString base = m_dir.filePath("locked");
        if (fullDisk) {
            disk = std::make_unique<SmallDisk>(64);
            if (!disk->mounted())
                QSKIP(qPrintable(disk->whyNot()));
            base = disk->filePath("locked");
        }
        // Root's folder (0755) with a file anyone may write: the ordinary user can change
        // the file but cannot make a new one beside it.
        QDir().mkpath(base);
        QFile::setPermissions(base,
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                | QFileDevice::ReadOther | QFileDevice::ExeOther);
        const QString path = base + "/Program.ini";
        WriteAll(path, kOld);
        QFile::setPermissions(path,
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                | QFileDevice::WriteOther);
        if (disk)
            QVERIFY(disk->fill());
        QString why;
        bool ok = false;
        {
            AsOrdinaryUser user;
            ok = filewrite::WriteWholeFile(path, bytes, &why);
        }
        QCOMPARE(ok, written);
        QCOMPARE(ReadAll(path), written ? bytes : kOld);
        if (!written)
            QVERIFY2(why.contains("No space left on device"), qPrintable(why));
        QFile::remove(path);
    }

    void checkWritable_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason"); // empty: writable
        QTest::newRow("new file") << "new"
                                  << "";
        QTest::newRow("existing file") << "file"
                                       << "";
        QTest::newRow("read-only file") << "readonly-file"
                                        << "Permission denied";
        QTest::newRow("read-only folder, no file") << "readonly-folder"
                                                   << "Permission denied";
        QTest::newRow("folder at the path") << "folder"
                                            << "Is a directory";
        QTest::newRow("FIFO at the path") << "fifo"
                                          << "not a regular file";
        QTest::newRow("missing folder") << "missing"
                                        << "No such file or directory";
        QTest::newRow("full disk, no file") << "full"
                                            << "No space left on device";
        QTest::newRow("full disk, old file") << "full-file"
                                             << "No space left on device";
    }
    void checkWritable()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        std::unique_ptr<SmallDisk> disk;
        QTemporaryDir dir;
        QString base = dir.path();
        if (setup.startsWith("full")) {
            disk = std::make_unique<SmallDisk>(64);
            if (!disk->mounted())
                QSKIP(qPrintable(disk->whyNot()));
            base = disk->path();
        }
        QFile::setPermissions(base,
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
        QString path = base + "/channels.dat";
        if (setup == "file" || setup == "readonly-file" || setup == "full-file") {
            WriteAll(path, kOld);
            QFile::setPermissions(path,
                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                    | QFileDevice::WriteOther);
        }
        if (setup == "readonly-file")
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
        if (setup == "readonly-folder") {
            if (::geteuid() == 0) {
                // Root's own 0755 folder is read-only to the ordinary user.
                QDir(base).mkdir("locked");
                path = base + "/locked/channels.dat";
            } else {
                QFile::setPermissions(base, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            }
        }
        if (setup == "folder")
            QDir(base).mkdir("channels.dat");
        if (setup == "fifo")
            QVERIFY(testing::MakeFifo(path));
        if (setup == "missing")
            path = base + "/missing/channels.dat";
        if (disk)
            QVERIFY(disk->fill());
        QString why;
        bool ok = false;
        {
            HangGuard guard(20);
            AsOrdinaryUser user;
            ok = filewrite::CheckWritable(path, 1024, &why);
        }
        QFile::setPermissions(
            base, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(ok, reason.isEmpty());
        QVERIFY2(why.contains(reason), qPrintable(why));
        if (setup == "file" || setup == "readonly-file" || setup == "full-file")
            QCOMPARE(ReadAll(base + "/channels.dat"), kOld);
        QCOMPARE(Leftovers(base, { "channels.dat", "filler", "locked" }), QStringList());
    }

    // ---- the regular-file read ----

    void readRegularFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("refuseLarger");
        QTest::addColumn<fileread::ReadProblem>("problem");
        QTest::addColumn<int>("bytes"); // how many bytes of kOld come back
        using P = fileread::ReadProblem;
        QTest::newRow("whole file") << "file" << qint64(4096) << true << P::None << 1024;
        QTest::newRow("first bytes only") << "file" << qint64(100) << false << P::None << 100;
        QTest::newRow("exactly the limit") << "file" << qint64(1024) << true << P::None << 1024;
        QTest::newRow("too large") << "file" << qint64(1023) << true << P::TooLarge << 0;
        QTest::newRow("empty file") << "empty" << qint64(1024) << true << P::None << 0;
        QTest::newRow("missing") << "missing" << qint64(1024) << false << P::Missing << 0;
        QTest::newRow("folder") << "folder" << qint64(1024) << false << P::Folder << 0;
        QTest::newRow("FIFO without a writer")
            << "fifo" << qint64(1024) << false << P::NotRegular << 0;
        QTest::newRow("endless device")
            << "/dev/zero" << qint64(1024) << false << P::NotRegular << 0;
        QTest::newRow("empty device") << "/dev/null" << qint64(1024) << false << P::NotRegular << 0;
        QTest::newRow("unreadable file")
            << "unreadable" << qint64(1024) << false << P::OpenFailed << 0;
    }
    void readRegularFile()
    {
        QFETCH(QString, setup);
        QFETCH(qint64, limit);
        QFETCH(bool, refuseLarger);
        QFETCH(fileread::ReadProblem, problem);
        QFETCH(int, bytes);
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                | QFileDevice::ExeOther);
        const QString path = testing::FaultyPath(dir.path(), "channels.dat", setup);
        QVERIFY(!path.isEmpty());
        if (setup == "file" || setup == "unreadable")
            WriteAll(path, kOld);
        if (setup == "unreadable")
            QFile::setPermissions(path, QFileDevice::WriteOwner);
        if (setup == "empty")
            WriteAll(path, QByteArray());
        fileread::ReadResult r;
        {
            HangGuard guard(20); // a FIFO or a device must not keep the read waiting
            AsOrdinaryUser user;
            r = fileread::ReadRegularFile(path, limit, refuseLarger);
        }
        QCOMPARE(r.problem, problem);
        QCOMPARE(r.bytes, kOld.left(bytes));
        QCOMPARE(r.reason.isEmpty(), problem == fileread::ReadProblem::None);
    }

    // ---- the document ----

    void documentOpenRefusesNonRegular_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("FIFO") << "fifo"
                              << "not a regular file";
        QTest::newRow("device") << "/dev/zero"
                                << "not a regular file";
        QTest::newRow("folder") << "folder"
                                << "it is a folder";
        QTest::newRow("missing") << "missing"
                                 << "No such file or directory";
    }
    void documentOpenRefusesNonRegular()
    {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = testing::FaultyPath(dir.path(), "channels.dat", setup);
        QVERIFY(!path.isEmpty());
        CProgramDoc doc;
        doc.OnNewDocument();
        doc.m_image[0x20] = 0x42;
        g_bNewImage = 1;
        QString error;
        bool opened = true;
        {
            HangGuard guard(20);
            opened = doc.OnOpenDocument(path, &error);
        }
        QVERIFY(!opened);
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(doc.m_image[0x20], std::uint8_t(0x42));
        QCOMPARE(g_bNewImage, std::uint8_t(1));
    }

    void documentSaveKeepsOldFile_data() { AddFaultRows(); }
    void documentSaveKeepsOldFile()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, reason);
        Target t;
        if (!Prepare(fault, &t)) {
            const QString why = SkipReason();
            Release(fault, t);
            QSKIP(qPrintable(why));
        }
        CProgramDoc doc;
        doc.OnNewDocument();
        doc.setSaveHook([&] { doc.m_image[0x10] = 0x66; });
        QString error;
        bool saved = true;
        {
            HangGuard guard(20);
            AsOrdinaryUser user;
            saved = doc.OnSaveDocument(t.path, &error);
        }
        const QByteArray after = t.keep.isEmpty() ? QByteArray() : ReadAll(t.keep);
        Release(fault, t);
        QVERIFY(!saved);
        // Folders have their own sentence; every other failure names the OS's reason.
        if (fault != Fault::Folder)
            QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(error.contains(QDir::toNativeSeparators(t.path)));
        if (!t.keep.isEmpty())
            QCOMPARE(after, kOld);
        QCOMPARE(doc.m_image[0x10], std::uint8_t(0x66)); // the grid's values stay in the image
        QCOMPARE(doc.title(), QStringLiteral("Channel Information"));
    }

    // ---- Program.ini ----

    void iniSaveReportsFailure_data() { AddFaultRows(); }
    void iniSaveReportsFailure()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, reason);
        // A folder, a FIFO or a missing folder never becomes an open Program.ini.
        if (fault == Fault::Folder || fault == Fault::Fifo || fault == Fault::ParentIsFile
            || fault == Fault::MissingFolder)
            return;
        const QByteArray original = "[Setup]\r\nLanguage=English\r\n";
        for (const bool backup : { false, true }) {
            Target t;
            if (!Prepare(fault, &t, original)) {
                const QString why = SkipReason();
                Release(fault, t);
                QSKIP(qPrintable(why));
            }
            CIniFile ini;
            QCOMPARE(ini.Open(t.keep, false, true, backup), 1);
            ini.SetValue("Setup", "Language", "Chinese");
            bool ok = true;
            QString backupName = "<none>";
            {
                AsOrdinaryUser user;
                backupName = ini.Save(backup, &ok);
            }
            const QByteArray after = ReadAll(t.keep);
            const QStringList left
                = Leftovers(t.folder, { "channels.dat", "filler", "channels.dat.001" });
            QVERIFY(!ok);
            QCOMPARE(backupName, QString());
            QVERIFY2(ini.errorString().contains(reason), qPrintable(ini.errorString()));
            QCOMPARE(after, original);
            QCOMPARE(left, QStringList());
            // Nothing set is lost: once the cause is gone, the next save writes it.
            QVERIFY(ini.isModified());
            Lift(fault, t);
            {
                AsOrdinaryUser user;
                ini.Save(backup, &ok);
            }
            QVERIFY2(ok, qPrintable(ini.errorString()));
            QVERIFY(ini.errorString().isEmpty());
            QCOMPARE(ReadAll(t.keep), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
            Release(fault, t);
        }
    }

    void iniSaveWithNothingToWriteSucceeds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Program.ini");
        WriteAll(path, "[Setup]\r\nLanguage=English\r\n");
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        bool ok = false;
        QCOMPARE(ini.Save(false, &ok), QString());
        QVERIFY(ok);
    }

    void iniOpenRefuses_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo"
                              << "not a regular file";
        QTest::newRow("device") << "/dev/zero"
                                << "not a regular file";
        QTest::newRow("folder") << "folder"
                                << "Is a directory";
        QTest::newRow("over 4 MiB") << "huge"
                                    << "larger than 4 MiB";
    }
    void iniOpenRefuses()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = testing::FaultyPath(dir.path(), "Program.ini", setup);
        QVERIFY(!path.isEmpty());
        if (setup == "huge") {
            // A sparse file: large on paper, nothing on the disk.
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(4 * 1024 * 1024 + 1));
        }
        CIniFile ini;
        int opened = 1;
        {
            HangGuard guard(20);
            opened = ini.Open(path, true, true, false);
        }
        QCOMPARE(opened, 0);
        QVERIFY(ini.path().isEmpty());
        QVERIFY2(ini.errorString().contains(reason), qPrintable(ini.errorString()));
        QVERIFY2(ini.errorString().contains(path), qPrintable(ini.errorString()));
        ini.SetValue("Setup", "Language", "Chinese");
        QVERIFY(!ini.isModified());
    }

    void iniOf4MiBStillOpens()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Program.ini");
        QByteArray text = "[Setup]\r\nLanguage=Chinese\r\n";
        text += QByteArray(4 * 1024 * 1024 - text.size(), ' ');
        WriteAll(path, text);
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        QCOMPARE(ini.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
    }

    // A "[]" line in the middle starts a section of its own; written back without its
    // header, its keys would join the section above and win over a changed value.
    void emptySectionNameKeepsItsHeader()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Program.ini");
        WriteAll(path, "Top=1\r\n[Setup]\r\n[]\r\nLanguage=English\r\n");
        {
            CIniFile ini;
            QCOMPARE(ini.Open(path, false, true, false), 1);
            ini.SetValue("Setup", "Language", "Chinese");
            bool ok = false;
            ini.Save(false, &ok);
            QVERIFY(ok);
        }
        QCOMPARE(ReadAll(path),
            QByteArray("Top=1\r\n[Setup]\r\nLanguage=Chinese\r\n[]\r\nLanguage=English\r\n"));
        CIniFile again;
        QCOMPARE(again.Open(path, false, true, false), 1);
        QCOMPARE(again.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
        QCOMPARE(again.GetValue("", "Top"), QStringLiteral("1"));
    }

    void undecodableBytesComeBackUnchanged_data()
    {
        QTest::addColumn<QByteArray>("value");
        const QByteArray gb = initext::EncodeGb18030(QStringLiteral("信道信息"));
        QTest::newRow("80 FF") << QByteArray("\x80\xFF");
        QTest::newRow("lead byte without trail") << QByteArray("A\x81");
        QTest::newRow("lead byte before ASCII") << QByteArray("\x81 x");
        QTest::newRow("cut four-byte sequence") << QByteArray("\x81\x30\x81");
        QTest::newRow("four-byte code beyond Unicode") << QByteArray("\xFE\x39\xFE\x39");
        QTest::newRow("GB2312 text around bad bytes") << gb + "\xFF\x80" + gb;
        QTest::newRow("UTF-8 text with a bad byte")
            << QStringLiteral("写频").toUtf8() + "\xFF" + QStringLiteral("软件").toUtf8();
        QTest::newRow("lone UTF-16 surrogate in UTF-8 form") << QByteArray("\xED\xB2\x80");
    }
    void undecodableBytesComeBackUnchanged()
    {
        QFETCH(QByteArray, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("Program.ini");
        const QByteArray head = "[Setup]\r\nLanguage=";
        // The blank before "]": a GB18030 lead byte would take "]" as its second byte.
        const QByteArray tail
            = "\r\nName=" + value + "\r\n[" + value + " ]\r\n" + value + "=" + value + "\r\n";
        WriteAll(path, head + "English" + tail);
        CIniFile ini;
        QCOMPARE(ini.Open(path, false, true, false), 1);
        ini.SetValue("Setup", "Language", "Chinese");
        bool ok = false;
        ini.Save(false, &ok);
        QVERIFY(ok);
        QCOMPARE(ReadAll(path), head + "Chinese" + tail);
    }

    // Every single byte and every two-byte code, and the four-byte codes of the basic plane
    // and the start of the supplementary planes, decode and encode back to themselves.
    void losslessGb18030RoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        const auto add = [&all](std::initializer_list<int> codes) {
            for (int c : codes)
                all += static_cast<char>(c);
        };
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail)
                add({ lead, trail });
        for (int b1 : { 0x81, 0x82, 0x83, 0x84, 0x90, 0xE3, 0xFE })
            for (int b2 = 0x30; b2 <= 0x39; ++b2)
                for (int b3 = 0x81; b3 <= 0xFE; ++b3)
                    for (int b4 = 0x30; b4 <= 0x39; ++b4)
                        add({ b1, b2, b3, b4 });
        const QString text = initext::DecodeGb18030Lossless(all);
        QVERIFY(initext::EncodeGb18030Lossless(text) == all);
        // Valid text decodes as usual.
        const QByteArray gb = initext::EncodeGb18030(QStringLiteral("信道 € 𠀀"));
        QCOMPARE(initext::DecodeGb18030Lossless(gb), QStringLiteral("信道 € 𠀀"));
        // U+FEFF (84 31 95 33) is a character of the file, also right behind an escaped
        // byte, where a decoder would take it for a byte order mark.
        for (const QByteArray &bytes : { QByteArray("Va\x84\x31\x95\x33=1"),
                 QByteArray("\x80\x84\x31\x95\x33k=1"), QByteArray("\x84\x31\x95\x33k=1") }) {
            const QString decoded = initext::DecodeGb18030Lossless(bytes);
            QVERIFY2(decoded.contains(QChar(0xFEFF)), bytes.toHex().constData());
            QCOMPARE(initext::EncodeGb18030Lossless(decoded), bytes);
        }
    }
};

QTEST_GUILESS_MAIN(TestSafeFiles)
#include "tst_safe_files.moc"
