// SPDX-License-Identifier: GPL-3.0-or-later
// Writes pictures of the write's windows for the README, in English and
// Chinese: write_screenshot OUTPUT_DIR
#include "core/app/Globals.h"
#include "core/document/BackupStore.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/image/SettingsArea.h"
#include "core/link/RadioWrite.h"
#include "core/settings/IniFile.h"
#include "gui/dialogs/BackupsDlg.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/dialogs/WriteOptionsDlg.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/transfer/WriteWindow.h"
#include "gui/view/ProgramView.h"
#include "sim/RadioState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <cstdio>

namespace {

bool Shoot(QDialog *dlg, const QString &out)
{
    dlg->show();
    if (!QTest::qWaitForWindowExposed(dlg))
        return false;
    QTest::qWait(50);
    const bool ok = dlg->grab().save(out);
    dlg->reject();
    return ok;
}

bool ShootAll(const QString &dir, bool chinese)
{
    g_bChinese = chinese;
    QTranslator translator;
    if (translator.load(chinese ? QStringLiteral(RADIOPROG_BUILD_DIR "/Chinese.qm")
                                : QStringLiteral(RADIOPROG_BUILD_DIR "/English.qm")))
        QCoreApplication::installTranslator(&translator);
    const Language lang = chinese ? Language::Chinese : Language::English;
    const QString suffix = chinese ? QStringLiteral("-zh.png") : QStringLiteral("-en.png");

    // A technician's edits against the customer's radio.
    const MemoryImage radio = DemoRadioImage();
    MemoryImage edited = radio;
    edited.channel(3).setPowerHigh(true);
    edited.channel(5).setCompand(false);
    WriteField(edited, Field::SquelchLevel, 7);
    WriteField(edited, Field::TimeOutTimer, 4);
    edited[mem::IdentificationBlock + 2] = 0x00;
    bool ok = true;
    std::unique_ptr<CCompareDlg> changes(CCompareDlg::forWrite(
        CompareImages(radio, edited, lang, WrittenAndReadableScope()), nullptr));
    ok &= Shoot(changes.get(), dir + QStringLiteral("/dialog-write-changes") + suffix);
    std::unique_ptr<CCompareDlg> same(CCompareDlg::forWrite({}, nullptr));
    ok &= Shoot(same.get(), dir + QStringLiteral("/dialog-write-same") + suffix);
    CWriteOptionsDlg options;
    ok &= Shoot(&options, dir + QStringLiteral("/dialog-options") + suffix);
    CBackupsDlg backups(DefaultBackupFolder());
    ok &= Shoot(&backups, dir + QStringLiteral("/dialog-backups") + suffix);
    // The Process window in the middle of the write step.
    CProgramDoc doc;
    doc.OnNewDocument();
    CProgramView view(&doc);
    CProcessDlg process(&view);
    process.m_strCaption = chinese ? QStringLiteral("写数据") : QStringLiteral("Write Data");
    process.Create();
    process.SetRange(0, RadioWriteProgressSteps(RadioWriteOptions {}));
    process.m_ctlProgress->setValue(63 + 40);
    process.SetPositionText(63 + 40);
    ShowTransferStep(&process, chinese ? QStringLiteral("写入 2/3") : QStringLiteral("Write 2/3"));
    process.window()->show();
    if (QTest::qWaitForWindowExposed(process.window())) {
        QTest::qWait(50);
        ok &= process.window()->grab().save(dir + QStringLiteral("/process-write-step") + suffix);
    }
    process.DestroyWindow();
    QCoreApplication::removeTranslator(&translator);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir temp;
    qputenv("XDG_CONFIG_HOME", temp.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", temp.filePath(QStringLiteral("data")).toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: write_screenshot OUTPUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    theIniFile.Open(
        QStringLiteral(RADIOPROG_SOURCE_DIR "/res/install/Program.ini"), false, true, false);
    // Three backups to list.
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 41, 5));
    MemoryImage image = DemoRadioImage();
    SaveBackup(DefaultBackupFolder(), image, when.addDays(-9), nullptr, nullptr);
    WriteField(image, Field::ProductType, 2);
    SaveBackup(DefaultBackupFolder(), image, when.addDays(-2), nullptr, nullptr);
    SaveBackup(DefaultBackupFolder(), image, when, nullptr, nullptr);
    const bool ok = ShootAll(out, false) && ShootAll(out, true);
    return ok ? 0 : 1;
}
