// SPDX-License-Identifier: GPL-3.0-or-later
// Each picture in the state the README shows: the program's own windows on the
// demo radio's image, and single windows on made-up documents (a write against a
// customer's radio, a channel list to import, ports with a route each).
#include "tools/screenshots/Shots.h"

#include "core/app/Globals.h"
#include "core/app/Language.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelTable.h"
#include "core/document/BackupStore.h"
#include "core/document/FileWrite.h"
#include "core/document/ImageCompare.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/image/MemoryMap.h"
#include "core/image/SettingsArea.h"
#include "core/link/RadioWrite.h"
#include "core/log/ProgrammingLog.h"
#include "core/plan/ChannelPlanCheck.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"
#include "gui/dialogs/BackupsDlg.h"
#include "gui/dialogs/ChannelImportDlg.h"
#include "gui/dialogs/ComSetupDlg.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/dialogs/OptionalFeaturesDlg.h"
#include "gui/dialogs/PlanCheckDlg.h"
#include "gui/dialogs/ProductInfoDlg.h"
#include "gui/dialogs/ScanInfoDlg.h"
#include "gui/dialogs/WriteOptionsDlg.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"
#include "gui/station/ProgrammingLogDlg.h"
#include "gui/station/StationWindow.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/transfer/WriteWindow.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"
#include "sim/RadioState.h"
#include "tests/common/DialogTestSupport.h"
#include "tools/screenshots/Camera.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QTest>
#include <memory>

namespace shots {

namespace {

/// The main window with its File menu open, to show the translated texts and accelerators.
QPixmap FileMenu(Stage &stage)
{
    CMainFrame &frame = stage.frame;
    const QList<QAction *> menus = frame.menuBar()->actions();
    QMenu *file = menus.isEmpty() ? nullptr : menus.first()->menu();
    if (!file)
        return {};
    file->popup(frame.mapToGlobal(QPoint(0, frame.menuBar()->height())));
    const QPixmap menu = Photograph(*file);
    QPixmap picture = frame.grab();
    // The menu is a window of its own: painted onto the frame's picture.
    if (!menu.isNull()) {
        QPainter painter(&picture);
        painter.drawPixmap(frame.mapFromGlobal(file->pos()), menu);
    }
    file->close();
    return menu.isNull() ? QPixmap() : picture;
}

QPixmap About(Stage &stage)
{
    CAboutDlg about(&stage.frame);
    return Photograph(about);
}

/// A new document with a channel and the priority and revert channels set, for the
/// settings dialogs on their own.
struct SettingsScene
{
    CProgramDoc doc;
    std::unique_ptr<CProgramView> view;

    SettingsScene()
    {
        // The dialogs show the type and band chosen last: none yet, as on a first start,
        // not the demo radio's that the main window stored.
        QFile::remove(UserSettings::forApplication().fileName());
        doc.OnNewDocument();
        doc.m_image.channel(3).setRxBytes({ 0x00, 0x25, 0x51, 0x14 });
        doc.m_image[mem::Priority] = 1;
        doc.m_image[mem::PriorityChannel] = 3;
        doc.m_image[mem::RevertChannel] = 2;
        view = std::make_unique<CProgramView>(&doc);
    }
};

/// A settings dialog on the document of a SettingsScene.
template <class Dialog> QPixmap SettingsDialog(Stage &)
{
    SettingsScene scene;
    Dialog dialog;
    dialog.setDocument(&scene.doc);
    return dialog.OnInitDialog() ? Photograph(dialog) : QPixmap();
}

/// COM Setup with COM1 on a free pseudo-terminal and the other ports leading nowhere,
/// so that it shows a usable port and missing ones; the routes are taken back after.
QPixmap ComSetup(Stage &)
{
    const HeldTerminal com1;
    const QString ports = QStringLiteral("Ports");
    QStringList before;
    for (int n = 1; n <= 4; ++n) {
        const QString key = QStringLiteral("COM%1").arg(n);
        before << theIniFile.GetValue(ports, key);
        theIniFile.SetValue(
            ports, key, n == 1 ? com1.path() : QStringLiteral("/dev/radioprog-none"));
    }
    SettingsScene scene;
    CComSetupDlg dialog;
    const QPixmap picture = dialog.OnInitDialog() ? Photograph(dialog) : QPixmap();
    for (int n = 1; n <= 4; ++n)
        theIniFile.SetValue(ports, QStringLiteral("COM%1").arg(n), before.at(n - 1));
    return picture;
}

QPixmap LanguageChoice(Stage &)
{
    CLanguageDlg dialog;
    return dialog.OnInitDialog() ? Photograph(dialog) : QPixmap();
}

/// The grid of a radio with a few kinds of channel, a list open over a cell as while editing.
QPixmap Grid(Stage &stage)
{
    const struct
    {
        int row;
        QStringList texts; // columns 1..9, English
    } channels[] = {
        { 1, { "145.12500", "145.12500", "None", "None", "High", "Yes", "Off", "Wide", "No" } },
        { 2, { "146.52000", "146.52000", "67.0", "67.0", "High", "Yes", "QT/DQT", "Wide", "No" } },
        { 3,
            { "147.00000", "147.60000", "100.0", "100.0", "Low", "No", "Carrier", "Narrow",
                "Yes" } },
        { 4,
            { "150.01250", "150.01250", "D023N", "D023N", "High", "Yes", "QT/DQT", "Narrow",
                "No" } },
        { 5, { "155.50000", "155.50000", "None", "D754I", "Low", "No", "Off", "Wide", "Yes" } },
        { 8, { "158.00625", "158.00625", "254.1", "254.1", "High", "Yes", "Off", "Narrow", "No" } },
    };
    MemoryImage image = MemoryImage::defaults();
    ChannelTable table = ChannelTable::withHeaders(Language::English);
    for (const auto &c : channels)
        for (int col = 1; col <= 9; ++col)
            table.setText(c.row, col, c.texts.at(col - 1));
    TableToChannels(table, image);
    image[mem::ProductType] = 0;
    image[mem::FrequencyBand] = 0;
    const QString file = stage.workDir + QStringLiteral("/grid.dat");
    CProgramDoc doc;
    if (!filewrite::WriteWholeFile(file, image.toByteArray()) || !doc.OnOpenDocument(file))
        return {};
    CProgramView view(&doc);
    view.OnInitialUpdate();
    view.resize(view.sizeHint());
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return {};
    view.grid()->setCurrentGridCell(3, 3);
    return Photograph(view);
}

/// The Import Channels preview of a list with good rows and rows the radio cannot take.
QPixmap ChannelImport(Stage &)
{
    const QByteArray list = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                            "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                            "Comment\n"
                            "1,Ops,145.500000,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,"
                            "5.00,,5.0W,busylock=qt/dqt; compand=no\n"
                            "2,Yard,146.520000,-,0.600000,DTCS,88.5,88.5,754,NR,023,Tone->Tone,NFM,"
                            "5.00,S,1.0W,\n"
                            "3,Gate,147.006250,+,0.600000,Cross,67.0,88.5,023,NN,465,Tone->DTCS,"
                            "NFM,6.25,,Low,\n"
                            "4,Marine,156.800000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,"
                            "5.00,,50W,\n"
                            "5,Repeater,440.125000,+,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,"
                            "5.00,,5.0W,\n";
    CProgramDoc doc;
    if (!doc.OnOpenDocument(QStringLiteral(RADIOPROG_SOURCE_DIR "/tests/data/report-16ch.dat")))
        return {};
    CChannelImportDlg dialog(
        list, QStringLiteral("fleet-plan.csv"), doc.m_image, ChannelCsvBand(doc.m_image));
    return Photograph(dialog);
}

/// A technician's edits against the customer's radio, as a write would find them.
QPixmap WriteChanges(Stage &)
{
    const MemoryImage radio = DemoRadioImage();
    MemoryImage edited = radio;
    edited.channel(3).setPowerHigh(true);
    edited.channel(5).setCompand(false);
    WriteField(edited, Field::SquelchLevel, 7);
    WriteField(edited, Field::TimeOutTimer, 4);
    edited[mem::IdentificationBlock + 2] = 0x00;
    const std::unique_ptr<CCompareDlg> changes(CCompareDlg::forWrite(
        CompareImages(radio, edited, CurrentLanguage(), WrittenAndReadableScope()), nullptr));
    return Photograph(*changes);
}

QPixmap WriteSame(Stage &)
{
    const std::unique_ptr<CCompareDlg> same(CCompareDlg::forWrite({}, nullptr));
    return Photograph(*same);
}

QPixmap WriteOptions(Stage &)
{
    CWriteOptionsDlg options;
    return Photograph(options);
}

/// The backups folder with three backups of two radio types.
QPixmap Backups(Stage &)
{
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 41, 5));
    MemoryImage image = DemoRadioImage();
    SaveBackup(DefaultBackupFolder(), image, when.addDays(-9), nullptr, nullptr);
    WriteField(image, Field::ProductType, 2);
    SaveBackup(DefaultBackupFolder(), image, when.addDays(-2), nullptr, nullptr);
    SaveBackup(DefaultBackupFolder(), image, when, nullptr, nullptr);
    CBackupsDlg backups(DefaultBackupFolder());
    return Photograph(backups);
}

/// Check Channels on a plan with a copied channel, a mixed bandwidth, an empty channel in the
/// scan list and a marine transmit frequency, under the United States rules.
QPixmap CheckChannels(Stage &)
{
    MemoryImage image = DemoRadioImage();
    for (int k = 0; k < mem::RecordSize; ++k)
        image[mem::channelOffset(4) + k] = image[mem::channelOffset(2) + k];
    image.channel(12).setScanAdd(true);
    CPlanCheckDlg dialog(nullptr);
    const QList<PlanFinding> findings
        = CheckChannelPlan(image, RadioTypeOfImage(image), PlanRegion::UnitedStates);
    dialog.setFindings(findings, PlanRegion::UnitedStates);
    return Photograph(dialog);
}

/// The Process window in the middle of the write step.
QPixmap WriteStep(Stage &)
{
    CProgramDoc doc;
    doc.OnNewDocument();
    CProgramView view(&doc);
    CProcessDlg process(&view);
    process.m_strCaption = LanguageText("Write Data", "写数据");
    process.Create();
    process.SetRange(0, RadioWriteProgressSteps(RadioWriteOptions {}));
    // 2 x 63 steps of the backup's two reads, then 40 of the write's blocks.
    process.m_ctlProgress->setValue(2 * 63 + 40);
    process.SetPositionText(2 * 63 + 40);
    ShowTransferStep(&process, LanguageText("Write 2/3", "写入 2/3"));
    const QPixmap picture = Photograph(*process.window());
    process.DestroyWindow();
    return picture;
}

/// A bench of three USB cables and the COM routes, on the demo radio's image.
QPixmap Station(Stage &)
{
    StationSetup setup;
    setup.image = DemoRadioImage();
    setup.imagePath = QStringLiteral("site-north.dat");
    const QList<StationPort> ports {
        { QStringLiteral("/dev/ttyUSB0"),
            QStringLiteral("/dev/ttyUSB0  USB-Serial Controller, Prolific, serial A1B2"), true },
        { QStringLiteral("/dev/ttyUSB1"),
            QStringLiteral("/dev/ttyUSB1  USB-Serial Controller, Prolific, serial C3D4"), true },
        { QStringLiteral("/dev/ttyUSB2"),
            QStringLiteral("/dev/ttyUSB2  FT232R USB UART, FTDI, serial E5F6"), true },
        { QStringLiteral("COM1"), QStringLiteral("COM1 -> /dev/ttyUSB0"), false },
    };
    CStationWindow station(setup, QStringLiteral("site-north.dat"), ports, nullptr);
    return Photograph(station);
}

/// A day at the bench in the programming log: three radios written, one failed.
QPixmap ProgrammingLog(Stage &)
{
    const QString path
        = QFileInfo(DefaultBackupFolder()).path() + QStringLiteral("/shot-log.jsonl");
    QFile::remove(path);
    const QString sha = Sha256Hex(DemoRadioImage().toByteArray());
    const struct
    {
        int minute;
        const char *port;
        const char *serial;
        const char *result;
        const char *error;
    } rows[] = {
        { 2, "/dev/ttyUSB0", "A1B2", "ok", "" },
        { 3, "/dev/ttyUSB1", "C3D4", "ok", "" },
        { 3, "/dev/ttyUSB2", "E5F6", "verify-failed",
            "The check after writing found that the radio differs from the file in the blocks "
            "at 0x100." },
        { 6, "/dev/ttyUSB0", "A1B2", "ok", "" },
    };
    for (const auto &row : rows) {
        ProgrammingRecord r;
        r.time = QDateTime(QDate(2026, 12, 7), QTime(9, row.minute, 5));
        r.port = QString::fromLatin1(row.port);
        r.device = r.port;
        r.adapterSerial = QString::fromLatin1(row.serial);
        r.imageFile = QStringLiteral("site-north.dat");
        r.imageSha256 = sha;
        r.radioType = QStringLiteral("RP-16V");
        r.band = QStringLiteral("136 - 174MHz");
        r.backupFile = DefaultBackupFolder()
            + QStringLiteral("/2026-12-07_09-%1-05_RP-16V.dat")
                  .arg(row.minute, 2, 10, QLatin1Char('0'));
        r.result = QString::fromLatin1(row.result);
        r.error = QString::fromLatin1(row.error);
        r.durationMs = 6740;
        r.operatorName = QStringLiteral("bench 1");
        AppendProgrammingRecord(path, r);
    }
    CProgrammingLogDlg log(path);
    const QPixmap picture = Photograph(log);
    QFile::remove(path);
    return picture;
}

} // namespace

QList<Shot> AllShots()
{
    return {
        // The running program on the demo radio's image.
        { "{language}-main", [](Stage &s) { return Photograph(s.frame); } },
        { "{language}-menu", FileMenu },
        { "{language}-about", About },
        { "{language}-product-info",
            [](Stage &s) { return PhotographCommand(s.frame, cmd::ProductInfo); } },
        { "{language}-optional-features",
            [](Stage &s) { return PhotographCommand(s.frame, cmd::OptionalFeatures); } },
        { "{language}-scan-info",
            [](Stage &s) { return PhotographCommand(s.frame, cmd::ScanInfo); } },
        { "{language}-com-setup",
            [](Stage &s) { return PhotographCommand(s.frame, cmd::ComSetup); } },
        { "{language}-language",
            [](Stage &s) { return PhotographCommand(s.frame, cmd::Language); } },
        { "{language}-process", [](Stage &s) { return PhotographCommand(s.frame, cmd::Read); } },
        // The settings dialogs on their own.
        { "dialog-optional-features-{lang}", SettingsDialog<COptionalFeaturesDlg> },
        { "dialog-scan-info-{lang}", SettingsDialog<CScanInfoDlg> },
        { "dialog-product-info-{lang}", SettingsDialog<CProductInfoDlg> },
        { "dialog-com-setup-{lang}", ComSetup },
        { "dialog-language-{lang}", LanguageChoice },
        // Channels.
        { "editor-grid-{lang}", Grid },
        { "channel-import-{lang}", ChannelImport },
        // The write's windows.
        { "dialog-write-changes-{lang}", WriteChanges },
        { "dialog-write-same-{lang}", WriteSame },
        { "dialog-options-{lang}", WriteOptions },
        { "dialog-backups-{lang}", Backups },
        { "process-write-step-{lang}", WriteStep },
        // The dealer's bench.
        { "dialog-station-{lang}", Station },
        { "dialog-programming-log-{lang}", ProgrammingLog },
        { "check-channels-{lang}", CheckChannels },
    };
}

QString ShotFileName(const Shot &shot)
{
    const bool chinese = CurrentLanguage() == Language::Chinese;
    return QString::fromLatin1(shot.name)
               .replace(QLatin1String("{language}"),
                   chinese ? QLatin1String("chinese") : QLatin1String("english"))
               .replace(
                   QLatin1String("{lang}"), chinese ? QLatin1String("zh") : QLatin1String("en"))
        + QStringLiteral(".png");
}

} // namespace shots
