// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own windows under real faults: Save on a full disk, Open of a FIFO, a
// language change when Program.ini cannot be written, a Program.ini too large to be one
// or unusable for another reason, a backup saved back over itself.
#include "tests/common/ShellFixture.h"

#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/IniFile.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/ProgramApp.h"

#include "tests/common/FileFaults.h"
#include "tests/common/TestFiles.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include <QtTest>
#include <memory>
#include <optional>

namespace {

int s_restarts = 0;
void CountRestart()
{
    ++s_restarts;
}

QString AllMessages(const QList<ShownMessage> &messages)
{
    QString all;
    for (const ShownMessage &m : messages)
        all += m.text + QLatin1Char('\n');
    return all;
}

// Answers the next file dialog with path, once the dialog has settled (it fills its name
// box itself while it reads the folder); folder gets the folder it started in.
std::unique_ptr<QObject> SaveAsWith(const QString &path, QString *folder)
{
    auto guard = std::make_unique<QObject>();
    auto *timer = new QTimer(guard.get());
    auto steady = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
        if (folder->isNull())
            *folder = dialog->directory().absolutePath();
        if (edit->text() != path) {
            edit->setText(path);
            *steady = 0;
        } else if (++*steady >= 5) {
            timer->stop();
            static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        }
    });
    timer->start(40);
    return guard;
}

} // namespace

class TestSafeGui : public QObject
{
    Q_OBJECT

private slots:
    void saveOnFullDiskKeepsOldFile()
    {
        testing::SmallDisk disk(64);
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        const QString path = disk.filePath("radio.dat");
        const QByteArray old(1024, '\x11');
        testing::WriteAll(path, old);
        ShellFixture fx;
        QVERIFY(fx.start({ path }));
        CMainFrame *frame = fx.frame();
        frame->activeDocument()->m_image[0x3F0] = 0x77;
        QVERIFY(disk.fill());
        QVERIFY(!frame->OnFileSave());
        QCOMPARE(fx.messages.size(), 1);
        QVERIFY2(fx.messages.first().text.contains("No space left on device"),
            qPrintable(fx.messages.first().text));
        QVERIFY(fx.messages.first().text.contains(path));
        QCOMPARE(testing::ReadAll(path), old);
        // The edit is still there, and a save once there is room writes it.
        QCOMPARE(frame->activeDocument()->m_image[0x3F0], std::uint8_t(0x77));
        disk.unfill();
        QVERIFY(frame->OnFileSave());
        QCOMPARE(std::uint8_t(testing::ReadAll(path).at(0x3F0)), std::uint8_t(0x77));
    }

    // A backup opens untitled, so Save asks for a name, in a dialog that starts outside the
    // backups folder; a name in that folder is refused with the reason.
    void backupIsSavedOnlyUnderANewName()
    {
        ShellFixture fx;
        QVERIFY(fx.start());
        CMainFrame *frame = fx.frame();
        const QString folder = QFileInfo(DefaultBackupFolder()).absoluteFilePath();
        QString backup;
        QVERIFY(SaveBackup(folder, MemoryImage::defaults(),
            QDateTime(QDate(2026, 12, 7), QTime(9, 41, 5)), &backup, nullptr));
        const QByteArray kept = testing::ReadAll(backup);
        QVERIFY(frame->openBackupDocument(backup));
        CProgramDoc *doc = frame->activeDocument();
        QVERIFY2(doc->title().startsWith("Backup of 2026-12-07 09:41"), qPrintable(doc->title()));
        doc->m_image[0x3F0] = 0x77;

        QString started;
        {
            const auto answer = SaveAsWith(folder + "/mine.dat", &started);
            QVERIFY(!frame->OnFileSave());
        }
        QVERIFY(!started.startsWith(folder));
        QCOMPARE(fx.messages.size(), 1);
        QVERIFY2(fx.messages.first().text.contains("backups folder"),
            qPrintable(fx.messages.first().text));
        QVERIFY(!QFile::exists(folder + "/mine.dat"));
        QCOMPARE(testing::ReadAll(backup), kept);

        started.clear();
        {
            const auto answer = SaveAsWith(fx.dir() + "copy.dat", &started);
            QVERIFY(frame->OnFileSave());
        }
        QCOMPARE(doc->pathName(), fx.dir() + "copy.dat");
        QCOMPARE(
            std::uint8_t(testing::ReadAll(fx.dir() + "copy.dat").at(0x3F0)), std::uint8_t(0x77));
        QCOMPARE(testing::ReadAll(backup), kept);
    }

    void openOfFifoAnswersAtOnce()
    {
        ShellFixture fx;
        const QString fifo = fx.dir() + "radio.dat";
        QVERIFY(testing::MakeFifo(fifo));
        QVERIFY(fx.start());
        CMainFrame *frame = fx.frame();
        CChildFrame *before = frame->activeChildFrame();
        QVERIFY(before);
        bool opened = true;
        {
            testing::HangGuard guard(20);
            opened = fx.app()->OpenDocumentFile(fifo);
        }
        QVERIFY(!opened);
        QCOMPARE(fx.messages.size(), 1);
        QVERIFY2(fx.messages.first().text.contains("not a regular file"),
            qPrintable(fx.messages.first().text));
        // The window that was open stays.
        QCOMPARE(frame->activeChildFrame(), before);
        QCOMPARE(frame->childFrames().size(), 1);
    }

    void languageRestartNeedsProgramIniWritten_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("Program.ini written: restart") << true;
        QTest::newRow("Program.ini read-only: no restart") << false;
    }
    void languageRestartNeedsProgramIniWritten()
    {
        QFETCH(bool, writable);
        ShellFixture fx;
        QVERIFY(fx.start());
        const QString ini = fx.dir() + "Program.ini";
        const QByteArray before = testing::ReadAll(ini);
        const auto everyone = QFileDevice::ReadOwner | QFileDevice::ExeOwner
            | QFileDevice::ReadOther | QFileDevice::ExeOther;
        if (!writable) {
            // Neither the file nor its folder may be written by the (ordinary) user.
            QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadOther);
            QFile::setPermissions(fx.dir(), everyone);
        }
        SetRestartHook(&CountRestart);
        s_restarts = 0;
        theIniFile.SetValue("Setup", "Language", "Chinese");
        {
            std::optional<testing::AsOrdinaryUser> user;
            if (!writable)
                user.emplace();
            RestartProgram(fx.frame());
        }
        SetRestartHook(nullptr);
        QFile::setPermissions(fx.dir(), everyone | QFileDevice::WriteOwner);
        QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (writable) {
            QCOMPARE(s_restarts, 1);
            QVERIFY(fx.messages.isEmpty());
            QVERIFY(testing::ReadAll(ini).contains("Language=Chinese"));
            return;
        }
        QCOMPARE(s_restarts, 0);
        QVERIFY(fx.frame() && fx.frame()->isVisible());
        QCOMPARE(testing::ReadAll(ini), before);
        const QString text = AllMessages(fx.messages);
        QVERIFY2(
            text.contains("not restarted") && text.contains("Permission denied"), qPrintable(text));
        theIniFile.SetValue("Setup", "Language", "English");
    }

    void startUpSaysWhyProgramIniIsRefused()
    {
        ShellFixture fx;
        QByteArray huge = ShellFixture::EnglishIni().toUtf8();
        huge += QByteArray(4 * 1024 * 1024, ';');
        fx.write("Program.ini", huge);
        QVERIFY(!fx.start());
        const QString text = AllMessages(fx.messages);
        QVERIFY2(text.contains("Program.ini cannot be read") && text.contains("larger than 4 MiB"),
            qPrintable(text));
    }

    void unusableProgramIniIsNamedBeforeTheLanguage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo"
                              << "not a regular file";
        QTest::newRow("folder") << "folder"
                                << "Is a directory";
        QTest::newRow("empty") << "empty"
                               << "is empty";
        QTest::newRow("binary") << "binary"
                                << "is not a text file";
        QTest::newRow("unreadable") << "unreadable"
                                    << "Permission denied";
    }
    void unusableProgramIniIsNamedBeforeTheLanguage()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ShellFixture fx;
        const QString ini = fx.dir() + "Program.ini";
        fx.remove("Program.ini");
        if (kind == "fifo")
            QVERIFY(testing::MakeFifo(ini));
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(ini));
        else if (kind == "empty")
            fx.write("Program.ini", QByteArray());
        else if (kind == "binary")
            fx.write("Program.ini",
                QByteArray("\x7f"
                           "ELF\x02\x01\x01\0\0\0[Setup]",
                    16));
        else
            fx.write("Program.ini", ShellFixture::EnglishIni().toUtf8());
        // Root reads anything: the start then checks access as an ordinary user, who may
        // read the installation but not the settings file.
        std::optional<testing::AsOrdinaryUser> user;
        if (kind == "unreadable") {
            QVERIFY(QFile::setPermissions(ini, QFileDevice::WriteOwner));
            QVERIFY(QFile::setPermissions(fx.dir(),
                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                    | QFileDevice::ReadOther | QFileDevice::ExeOther));
            user.emplace();
        }
        bool started = true;
        {
            testing::HangGuard guard(20); // a FIFO must be refused, not waited on
            started = fx.start();
        }
        user.reset();
        QVERIFY(!started);
        QCOMPARE(fx.messages.size(), 1);
        const QString text = fx.messages.first().text;
        // The reason first, then the message the start-up ends with.
        QVERIFY2(text.contains(reason) && text.contains("Program.ini")
                && text.endsWith("Load language DLL fail")
                && text.indexOf(reason) < text.indexOf("Load language DLL fail"),
            qPrintable(text));
    }
};

QTEST_MAIN(TestSafeGui)
#include "tst_safe_gui.moc"
