// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/SettingsArea.h"
#include "core/app/Language.h"

#include "core/image/Codecs.h"
#include "core/image/DecimalNumber.h"
#include "core/image/MemoryMap.h"

#include <cmath>

namespace {

/// Where a field lives and which bits it owns.
struct FieldPlace
{
    int offset;
    std::uint8_t mask; // bits of the field before shifting; 0xFF for a whole byte
    int shift;
    bool word; // 16-bit, low byte first
    const char *name;
};

FieldPlace PlaceOf(Field field)
{
    switch (field) {
    case Field::VoiceAnnunciation:
        return { mem::VoiceAnnunciation, 0xFF, 0, false, "voiceAnnunciation" };
    case Field::TimeOutTimer:
        return { mem::TimeOutTimer, mem::TimeOutTimerMask, 0, false, "timeOutTimer" };
    case Field::TotPreAlert:
        return { mem::TotPreAlert, mem::TotPreAlertMask, 0, false, "totPreAlert" };
    case Field::SquelchLevel:
        return { mem::SquelchLevel, mem::SquelchLevelMask, 0, false, "squelchLevel" };
    case Field::BatterySaver:
        return { mem::BatterySaver, mem::BatterySaverMask, 0, false, "batterySaver" };
    case Field::Beep:
        return { mem::Beep, mem::BeepMask, 0, false, "beep" };
    case Field::VoxGainLevel:
        return { mem::VoxGainLevel, mem::VoxGainLevelMask, 0, false, "voxGainLevel" };
    case Field::VoxDelayTime:
        return { mem::VoxDelayTime, mem::VoxDelayTimeMask, 0, false, "voxDelayTime" };
    case Field::CallKeyDefine:
        return { mem::CallKeyDefine, 0xFF, 0, false, "callKeyDefine" };
    case Field::CallTone:
        return { mem::CallTone, 0xFF, 0, false, "callTone" };
    case Field::VoxFunction:
        return { mem::FunctionSwitches, mem::VoxFunctionBit, 0, false, "voxFunction" };
    case Field::ScanFunction:
        return { mem::FunctionSwitches, mem::ScanFunctionBit, 1, false, "scanFunction" };
    case Field::Priority:
        return { mem::Priority, 0xFF, 0, false, "priority" };
    case Field::PriorityChannel:
        return { mem::PriorityChannel, 0xFF, 0, false, "priorityChannel" };
    case Field::LookBackTimeA:
        return { mem::LookBackTimeA, 0xFF, 0, false, "lookBackTimeA" };
    case Field::LookBackTimeB:
        return { mem::LookBackTimeB, 0xFF, 0, false, "lookBackTimeB" };
    case Field::RevertChannel:
        return { mem::RevertChannel, 0xFF, 0, false, "revertChannel" };
    case Field::DropoutDelayTime:
        return { mem::DropoutDelayTime, 0xFF, 0, true, "dropoutDelayTime" };
    case Field::TxDwellTime:
        return { mem::TxDwellTime, 0xFF, 0, true, "txDwellTime" };
    case Field::ProductType:
        return { mem::ProductType, 0xFF, 0, false, "productType" };
    case Field::FrequencyBand:
        break;
    }
    return { mem::FrequencyBand, 0xFF, 0, false, "frequencyBand" };
}

QString OnOff(int code, Language lang)
{
    return code ? LanguageText(lang, "On", "开") : LanguageText(lang, "Off", "关");
}

QString Off(Language lang)
{
    return LanguageText(lang, "Off", "关");
}

/// Decimal text of code when first <= code <= last, else empty.
QString NumberIn(int code, int first, int last)
{
    return code >= first && code <= last ? QString::number(code) : QString();
}

const char *const kRevertEnglish[]
    = { "Selected", "Selected+Talk back", "Priority", "Priority+Talk back" };
const char *const kRevertChinese[] = { "选定", "选定+当前通话", "优先", "优先+当前通话" };

constexpr int PrioritySelected = 2;
constexpr int PriorityFixed = 1;
constexpr int PriorityNone = 0;

/// Largest whole number of megahertz whose limit still fits 32 bits signed.
constexpr long long MaxBandMegahertz = 21474;
constexpr int UnitsPerMegahertz = 100000;

} // namespace

int ReadField(const MemoryImage &image, Field field)
{
    const FieldPlace p = PlaceOf(field);
    if (p.word)
        return image.word(p.offset);
    return (image.at(p.offset) & p.mask) >> p.shift;
}

void WriteField(MemoryImage &image, Field field, int code)
{
    const FieldPlace p = PlaceOf(field);
    if (p.word) {
        image.setWord(p.offset, code & 0xFFFF);
        return;
    }
    image.setBits(p.offset, p.mask, static_cast<std::uint8_t>((code << p.shift) & p.mask));
}

QString FieldText(Field field, int code, Language lang)
{
    switch (field) {
    case Field::VoiceAnnunciation:
        if (code == 0)
            return Off(lang);
        if (code == 1)
            return LanguageText(lang, "Chinese", "中文");
        if (code == 2)
            return LanguageText(lang, "English", "英文");
        return QString();
    case Field::TimeOutTimer:
        return code >= 1 && code <= 40 ? QStringLiteral("%1s").arg(15 * code) : QString();
    case Field::TotPreAlert:
        if (code == 1)
            return Off(lang);
        return code >= 2 && code <= 11 ? QString::number(code - 1) : QString();
    case Field::SquelchLevel:
        return NumberIn(code, 0, 9);
    case Field::BatterySaver:
    case Field::Beep:
    case Field::VoxFunction:
    case Field::ScanFunction:
        return code == 0 || code == 1 ? OnOff(code, lang) : QString();
    case Field::VoxGainLevel:
    case Field::CallTone:
        return code == 0 ? Off(lang) : NumberIn(code, 1, 16);
    case Field::VoxDelayTime: {
        static const char *const delays[] = { "0.3", "0.5", "1.0", "1.5", "2.0", "3.0" };
        return code >= 0 && code <= 5 ? QString::fromLatin1(delays[code]) : QString();
    }
    case Field::CallKeyDefine:
        if (code == 0)
            return LanguageText(lang, "Call", "呼叫");
        if (code == 1)
            return LanguageText(lang, "Emergency Alert", "紧急报警");
        return Off(lang);
    case Field::Priority:
        if (code == PriorityNone)
            return LanguageText(lang, "None", "无");
        if (code == PriorityFixed)
            return LanguageText(lang, "Fixed", "固定");
        if (code == PrioritySelected)
            return LanguageText(lang, "Selected", "选定");
        return QString();
    case Field::PriorityChannel:
        return NumberIn(code, 1, mem::ChannelCount);
    case Field::LookBackTimeA:
    case Field::LookBackTimeB:
        return code >= 0 && code <= 0xFF ? FormatLookBackTime(LookBackTimeOfCode(code)) : QString();
    case Field::RevertChannel:
        if (code < 0 || code > 3)
            return QString();
        return LanguageText(lang, kRevertEnglish[code], kRevertChinese[code]);
    case Field::DropoutDelayTime:
    case Field::TxDwellTime:
        return QString::number(code);
    case Field::ProductType:
    case Field::FrequencyBand:
        // Their texts are the installation's type and band lists.
        return QString();
    }
    return QString();
}

QString FieldName(Field field)
{
    return QString::fromLatin1(PlaceOf(field).name);
}

QList<Field> AllFields()
{
    QList<Field> fields;
    for (int f = static_cast<int>(Field::VoiceAnnunciation);
         f <= static_cast<int>(Field::FrequencyBand); ++f)
        fields << static_cast<Field>(f);
    return fields;
}

double LookBackTimeOfCode(int code)
{
    return code * 0.05 + 0.45;
}

int LookBackCodeOfTime(double time)
{
    // Through the decimal product: 0.5 - 0.45 is 0.04999... in binary and
    // would otherwise come back as code 0.
    const std::int64_t whole = decimal::TruncateToInt64(DecimalMultiply(time - 0.45, 20), 0);
    return static_cast<int>(static_cast<std::uint64_t>(whole) & 0xFF);
}

QString FormatLookBackTime(double time)
{
    return QString::fromLatin1(decimal::FormatGeneral(time, 15));
}

BandLimits BandLimitsOfText(const QString &bandText)
{
    const QByteArray text = bandText.toUtf8();
    BandLimits limits;
    const long long low = decimal::LeadingInteger(text, false, MaxBandMegahertz);
    const int dash = text.indexOf('-');
    const long long high
        = dash < 0 ? low : decimal::LeadingInteger(text.mid(dash + 1), false, MaxBandMegahertz);
    limits.low = static_cast<int>(low * UnitsPerMegahertz);
    limits.high = static_cast<int>(high * UnitsPerMegahertz);
    return limits;
}

QStringList SplitBandList(const QString &fieldValue)
{
    // QString::split keeps empty parts, so an empty value is one empty item.
    return fieldValue.split(QLatin1Char('|'));
}

QString BandTextOfIndex(const QStringList &bands, int index)
{
    if (bands.isEmpty())
        return QString();
    if (index < 0)
        return bands.first();
    return index < bands.size() ? bands.at(index) : bands.last();
}

int RevertCodeOfPosition(int position, int priority)
{
    return priority == PrioritySelected ? position + 2 : position;
}

int RevertPositionOfCode(int code, int priority)
{
    return priority == PrioritySelected ? code - 2 : code;
}

QStringList RevertChannelTexts(int priority, Language lang)
{
    // None offers the two Selected entries, Fixed all four; Selected, and a
    // Priority with no valid choice, the two Priority entries.
    int first = 2;
    int last = 3;
    if (priority == PriorityNone) {
        first = 0;
        last = 1;
    } else if (priority == PriorityFixed) {
        first = 0;
    }
    QStringList texts;
    for (int c = first; c <= last; ++c)
        texts << LanguageText(lang, kRevertEnglish[c], kRevertChinese[c]);
    return texts;
}

int CallKeyCodeOfPosition(int position)
{
    if (position == 1)
        return 0;
    if (position == 2)
        return 1;
    return 2;
}

int CallKeyPositionOfCode(int code)
{
    if (code == 0)
        return 1;
    if (code == 1)
        return 2;
    return 0;
}
