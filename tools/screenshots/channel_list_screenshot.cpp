// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the Import Channels preview for the README, in English and Chinese:
// channel_list_screenshot OUTPUT_DIR
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/IniFile.h"
#include "gui/dialogs/ChannelImportDlg.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTranslator>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: channel_list_screenshot OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    theIniFile.Open(
        QStringLiteral(RADIOPROG_SOURCE_DIR "/res/install/Program.ini"), false, true, false);
    CProgramDoc doc;
    if (!doc.OnOpenDocument(QStringLiteral(RADIOPROG_SOURCE_DIR "/tests/data/report-16ch.dat")))
        return 1;
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
    for (const bool chinese : { false, true }) {
        g_bChinese = chinese;
        QTranslator translator;
        if (chinese && translator.load(QStringLiteral(RADIOPROG_BUILD_DIR "/Chinese.qm")))
            QApplication::installTranslator(&translator);
        CChannelImportDlg dlg(
            list, QStringLiteral("fleet-plan.csv"), doc.m_image, ChannelCsvBand(doc.m_image));
        dlg.show();
        if (!QTest::qWaitForWindowExposed(&dlg))
            return 1;
        const QString file = out.filePath(chinese ? QStringLiteral("channel-import-zh.png")
                                                  : QStringLiteral("channel-import-en.png"));
        if (!dlg.grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
        QApplication::removeTranslator(&translator);
    }
    return 0;
}
