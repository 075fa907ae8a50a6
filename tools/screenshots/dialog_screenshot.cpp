// SPDX-License-Identifier: GPL-3.0-or-later
// Writes pictures of the five settings dialogs in English and Chinese for the
// README: dialog_screenshot OUTPUT_DIR
#include "tests/common/DialogTestSupport.h"

#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/settings/IniFile.h"
#include "gui/dialogs/ComSetupDlg.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/dialogs/OptionalFeaturesDlg.h"
#include "gui/dialogs/ProductInfoDlg.h"
#include "gui/dialogs/ScanInfoDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTranslator>
#include <cstdio>

namespace {

bool Shoot(QDialog *dlg, const QString &out)
{
    dlg->show();
    if (!QTest::qWaitForWindowExposed(dlg))
        return false;
    QTest::qWait(30);
    const bool ok = dlg->grab().save(out);
    dlg->reject();
    return ok;
}

bool ShootAll(const QString &dir, bool chinese, const QString &ini)
{
    g_bChinese = chinese;
    g_strLanguage = chinese ? QStringLiteral("Chinese") : QStringLiteral("English");
    QTranslator translator;
    if (chinese && translator.load(QStringLiteral(RADIOPROG_BUILD_DIR "/Chinese.qm")))
        QCoreApplication::installTranslator(&translator);
    const QString suffix = chinese ? QStringLiteral("-zh.png") : QStringLiteral("-en.png");

    CProgramDoc doc;
    doc.OnNewDocument();
    doc.m_image.channel(3).setRxBytes({ 0x00, 0x25, 0x51, 0x14 });
    doc.m_image[mem::Priority] = 1;
    doc.m_image[mem::PriorityChannel] = 3;
    doc.m_image[mem::RevertChannel] = 2;

    bool ok = true;
    COptionalFeaturesDlg features;
    features.setDocument(&doc);
    ok &= features.OnInitDialog() && Shoot(&features, dir + "/dialog-optional-features" + suffix);
    CScanInfoDlg scan;
    scan.setDocument(&doc);
    ok &= scan.OnInitDialog() && Shoot(&scan, dir + "/dialog-scan-info" + suffix);
    CProductInfoDlg product;
    product.setDocument(&doc);
    ok &= product.OnInitDialog() && Shoot(&product, dir + "/dialog-product-info" + suffix);
    CComSetupDlg com;
    ok &= com.OnInitDialog() && Shoot(&com, dir + "/dialog-com-setup" + suffix);
    CLanguageDlg language;
    ok &= language.OnInitDialog() && Shoot(&language, dir + "/dialog-language" + suffix);

    QCoreApplication::removeTranslator(&translator);
    Q_UNUSED(ini);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir temp;
    qputenv("XDG_CONFIG_HOME", temp.filePath(QStringLiteral("config")).toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_screenshot OUTPUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    // The installation's Program.ini, with COM1 on a free pseudo-terminal so one port shows usable.
    HeldTerminal com1;
    QFile sample(QStringLiteral(RADIOPROG_SOURCE_DIR "/res/install/Program.ini"));
    QByteArray ini = sample.open(QIODevice::ReadOnly) ? sample.readAll() : QByteArray();
    ini += "\n[Ports]\nCOM1=" + com1.path().toLocal8Bit()
        + "\nCOM2=/dev/radioprog-none\n"
          "COM3=/dev/radioprog-none\nCOM4=/dev/radioprog-none\n";
    const QString iniPath = LoadProgramIni(temp, ini);

    const bool ok = ShootAll(out, false, iniPath) && ShootAll(out, true, iniPath);
    return ok ? 0 : 1;
}
