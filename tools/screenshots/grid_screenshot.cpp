// SPDX-License-Identifier: GPL-3.0-or-later
// Writes pictures of the channel grid with channels, in English and Chinese,
// for the README: grid_screenshot OUTPUT_DIR
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/image/MemoryMap.h"
#include "core/settings/IniFile.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

struct Channel
{
    int row;
    QStringList texts; // columns 1..9, English
};

const Channel kChannels[] = {
    { 1, { "145.12500", "145.12500", "None", "None", "High", "Yes", "Off", "Wide", "No" } },
    { 2, { "146.52000", "146.52000", "67.0", "67.0", "High", "Yes", "QT/DQT", "Wide", "No" } },
    { 3, { "147.00000", "147.60000", "100.0", "100.0", "Low", "No", "Carrier", "Narrow", "Yes" } },
    { 4, { "150.01250", "150.01250", "D023N", "D023N", "High", "Yes", "QT/DQT", "Narrow", "No" } },
    { 5, { "155.50000", "155.50000", "None", "D754I", "Low", "No", "Off", "Wide", "Yes" } },
    { 8, { "158.00625", "158.00625", "254.1", "254.1", "High", "Yes", "Off", "Narrow", "No" } },
};

bool Shoot(const QString &datPath, bool chinese, const QString &out)
{
    g_bChinese = chinese;
    g_strLanguage = chinese ? QStringLiteral("Chinese") : QStringLiteral("English");
    CProgramDoc doc;
    if (!doc.OnOpenDocument(datPath))
        return false;
    CProgramView view(&doc);
    view.OnInitialUpdate();
    view.resize(view.sizeHint());
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return false;
    // One list open over a cell, as while editing.
    view.grid()->setCurrentGridCell(3, 3);
    QTest::qWait(50);
    return view.grab().save(out);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QStandardPaths::setTestModeEnabled(true); // leave the user's own store alone
    QTemporaryDir tmp;
    const QString ini = tmp.filePath("Program.ini");
    QFile::copy(QStringLiteral(RADIOPROG_SOURCE_DIR "/res/install/Program.ini"), ini);
    QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    theIniFile.Open(ini, false, true, false);

    MemoryImage image = MemoryImage::defaults();
    ChannelTable table = ChannelTable::withHeaders(Language::English);
    for (const Channel &c : kChannels)
        for (int col = 1; col <= 9; ++col)
            table.setText(c.row, col, c.texts.at(col - 1));
    TableToChannels(table, image);
    image[mem::ProductType] = 0;
    image[mem::FrequencyBand] = 0;
    const QString dat = tmp.filePath("demo.dat");
    QFile f(dat);
    if (!f.open(QIODevice::WriteOnly) || f.write(image.toByteArray()) != 1024)
        return 1;
    f.close();

    QDir().mkpath(outDir);
    const bool ok = Shoot(dat, false, outDir + "/editor-grid-en.png")
        && Shoot(dat, true, outDir + "/editor-grid-zh.png");
    std::fputs(ok ? "written\n" : "failed\n", stderr);
    return ok ? 0 : 1;
}
