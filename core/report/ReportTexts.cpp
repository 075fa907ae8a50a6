// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ReportTexts.h"
#include "core/app/Language.h"

#include "core/channels/ChannelTable.h"
#include "core/settings/IniFile.h"

namespace {

QString onOff(bool on, Language lang)
{
    return on ? LanguageText(lang, "On", "开") : LanguageText(lang, "Off", "关");
}

QString numberOrOff(int v, Language lang)
{
    return v == 0 ? onOff(false, lang) : QString::number(v);
}

int bits(const MemoryImage &image, int offset, std::uint8_t mask)
{
    return image.at(offset) & mask;
}

} // namespace

QString ReportOptionTitle(Language lang)
{
    return LanguageText(lang, "Option", "可选功能");
}
QString ReportFunctionTitle(Language lang)
{
    return LanguageText(lang, "Function", "功能");
}
QString ReportChannelTitle(Language lang)
{
    return LanguageText(lang, "Channel", "信道");
}

QString ReportChannelHeading(int row, Language lang)
{
    return LanguageText(lang, "Channel %1:", "信道%1:").arg(row);
}

QString ReportPageText(int page, int totalPages)
{
    return QStringLiteral("Page %1 of %2").arg(page).arg(totalPages);
}

QVector<ReportRow> ReportOptionRows(const MemoryImage &image, Language lang)
{
    QVector<ReportRow> rows;
    const auto add = [&](const char *en, const char *zh, const QString &value) {
        rows.append({ LanguageText(lang, en, zh), value });
    };

    add("Time Out Timer:", "超时定时器:",
        QStringLiteral("%1s").arg(
            bits(image, mem::TimeOutTimer, mem::ReportTimeOutTimerMask) * 15));

    const int preAlert = bits(image, mem::TotPreAlert, mem::TotPreAlertMask);
    add("TOT Pre-Alert:", "超时定时器预警:",
        preAlert == 1 ? onOff(false, lang) : QString::number(preAlert - 1));

    // The label's spelling is the one the radio's users know from the printout.
    add("Sequelch Level:", "静噪电平:",
        QString::number(bits(image, mem::SquelchLevel, mem::SquelchLevelMask)));
    add("Beep:", "提示音:", onOff(bits(image, mem::Beep, mem::BeepMask), lang));
    add("Vox Gain Level:", "声控增益电平:",
        numberOrOff(bits(image, mem::VoxGainLevel, mem::VoxGainLevelMask), lang));

    static const char *const delays[] = { "0.3", "0.5", "1.0", "1.5", "2.0", "3.0", "3.0", "3.0" };
    add("Vox Delay Time:", "声控延时时间:",
        QString::fromLatin1(delays[bits(image, mem::VoxDelayTime, mem::VoxDelayTimeMask)]));

    add("Call Tone:", "呼叫铃音:", numberOrOff(image.at(mem::CallTone), lang));
    add("Battery Saver:", "电池省电:",
        onOff(bits(image, mem::BatterySaver, mem::BatterySaverMask), lang));

    const int voice = bits(image, mem::VoiceAnnunciation, mem::ReportVoiceAnnunciationMask);
    add("Voice Annunciation:", "语音报号:",
        voice == 0       ? onOff(false, lang)
            : voice == 1 ? LanguageText(lang, "Chinese", "中文")
                         : LanguageText(lang, "English", "英文"));

    add("VOX Function:", "声控功能:",
        onOff(bits(image, mem::FunctionSwitches, mem::VoxFunctionBit), lang));
    add("Scan Function:", "扫描功能:",
        onOff(bits(image, mem::FunctionSwitches, mem::ScanFunctionBit), lang));
    return rows;
}

QVector<ReportChannelLine> ReportChannelLines(Language lang)
{
    return {
        { LanguageText(lang, "Receive Frequency:", "接收频率:"), ColRx,
            LanguageText(lang, "Transceive Frequency:", "发射频率:"), ColTx },
        { LanguageText(lang, "QT/DQT Decode:", "QT/DQT解码:"), ColDecode,
            LanguageText(lang, "QT/DQT Encode:", "QT/DQT编码:"), ColEncode },
        { LanguageText(lang, "Power:", "功率:"), ColPower, LanguageText(lang, "Scan:", "扫描开关:"),
            ColScanAdd },
        { LanguageText(lang, "Channel Lock:", "信道锁定:"), ColBusyLock,
            LanguageText(lang, "W/N:", "宽/窄:"), ColWidth },
    };
}

QString ReportOwnerText(const QString &section)
{
    return theIniFile.GetValue(section, QStringLiteral("Copyrights Owner"));
}
