// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingTexts.h"

#include "core/settings/IniFile.h"
#include "core/settings/ProductInfoRules.h"

QString FieldLabel(Field field, Language lang)
{
    static const char *const labels[][2] = {
        { "Voice Annunciation", "语音提示" },
        { "Time-Out Timer", "发射限时" },
        { "TOT Pre-Alert", "限时预警" },
        { "Squelch Level", "静噪等级" },
        { "Battery Saver", "省电" },
        { "Beep", "按键音" },
        { "Vox Gain Level", "声控灵敏度" },
        { "Vox Delay Time", "声控延时" },
        { "Call Key Define", "呼叫键定义" },
        { "Call Tone", "呼叫音" },
        { "VOX Function", "声控功能" },
        { "Scan Function", "扫描功能" },
        { "Priority", "优先" },
        { "Priority Channel", "优先信道" },
        { "Look Back Time A", "回看时间 A" },
        { "Look Back Time B", "回看时间 B" },
        { "Revert Channel", "回复信道" },
        { "Dropout Delay Time", "掉线延时" },
        { "Tx Dwell Time", "发射驻留时间" },
        { "Product Type", "类型" },
        { "Frequency Band", "频段" },
    };
    return QString::fromUtf8(labels[static_cast<int>(field)][lang == Language::Chinese ? 1 : 0]);
}

QString SettingText(const MemoryImage &image, Field field, int code, Language lang)
{
    if (field == Field::ProductType) {
        const QStringList types = ProductTypeList(theIniFile);
        return code >= 0 && code < types.size() ? types.at(code) : QString();
    }
    if (field == Field::FrequencyBand)
        return BandTextOfIndex(
            ProductBandList(theIniFile, ReadField(image, Field::ProductType)), code);
    return FieldText(field, code, lang);
}
