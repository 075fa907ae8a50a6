// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ScanInfoRules.h"

#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/image/SettingsArea.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {
constexpr int PriorityNone = 0;
constexpr int PriorityFixed = 1;
constexpr int PrioritySelected = 2;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

PriorityRule PriorityRuleOf(int priority, Language lang)
{
    PriorityRule r;
    r.channelEnabled = priority == PriorityFixed;
    r.lookBackEnabled = priority == PriorityFixed;
    r.revertEntries = RevertChannelTexts(priority, lang);
    return r;
}

double Snap(double y)
{
    return std::trunc(DecimalMultiply(y, 20)) * LookBackStepSize;
}

double LookBackStep(double x, int delta)
{
    if (delta > 0) {
        x = x + LookBackStepSize;
        if (x > LookBackMax)
            return LookBackMin;
        if (x < LookBackMin)
            return LookBackMin;
        return Snap(x);
    }
    x = x - LookBackStepSize;
    if (x < LookBackMin)
        return LookBackMax;
    if (x > LookBackMax)
        return LookBackMax;
    // A little under one step up, so a value just below the grid is not lowered twice.
    return Snap(x + 0.04);
}

double LookBackCorrection(double x)
{
    if (x > LookBackMax)
        return LookBackMax;
    if (x < LookBackMin)
        return LookBackMin;
    return Snap(x);
}

int CounterStep(int v, int delta)
{
    if (delta > 0) {
        const long long r = static_cast<long long>(v) + 1;
        return r > ScanCounterMax ? 0 : static_cast<int>(r);
    }
    const long long r = static_cast<long long>(v) - 1;
    return r < 0 ? ScanCounterMax : static_cast<int>(r);
}

int CounterCorrection(int v)
{
    return v > ScanCounterMax ? ScanCounterMax : (v < 0 ? 0 : v);
}

bool ParseNumberBox(const QString &text, double *value)
{
    const QString t = text.trimmed();
    // The C library's number syntax; no hexadecimal, infinities or NaN.
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(t).hasMatch())
        return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *value = d;
    return true;
}

bool ParseIntegerBox(const QString &text, int *value)
{
    const QString t = text.trimmed();
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d+$"));
    if (!integer.match(t).hasMatch())
        return false;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return false;
    *value = static_cast<int>(n);
    return true;
}

int PriorityChannelNumber(const QString &text)
{
    int i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long n = 0;
    while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        n = n * 10 + (text.at(i).unicode() - '0');
        if (n > std::numeric_limits<int>::max())
            n = std::numeric_limits<int>::max();
        ++i;
    }
    return static_cast<int>(negative ? -n : n);
}

bool IsPriorityChannelUsable(const MemoryImage &image, int n)
{
    // Numbers that name no record are refused before any record is read.
    if (n < 1 || n > mem::ChannelCount)
        return false;
    return ConstChannelRecord::isMsbSet(image.channel(n).rxBytes()[3]);
}

ScanInfoState LoadScanInfo(const MemoryImage &image)
{
    ScanInfoState s;
    const int priority = ReadField(image, Field::Priority);
    s.priority = priority >= PriorityNone && priority <= PrioritySelected ? priority : -1;
    if (s.priority == PriorityFixed || s.priority == -1)
        s.priorityChannel = QString::asprintf("%2d", ReadField(image, Field::PriorityChannel));
    s.lookBackA = LookBackTimeOfCode(ReadField(image, Field::LookBackTimeA));
    s.lookBackB = LookBackTimeOfCode(ReadField(image, Field::LookBackTimeB));
    const int entries = RevertChannelTexts(s.priority, Language::English).size();
    const int code = ReadField(image, Field::RevertChannel);
    // Without a Priority selection the code is taken as the position.
    const int revert = s.priority < 0 ? code : RevertPositionOfCode(code, s.priority);
    s.revertChannel = revert >= 0 && revert < entries ? revert : -1;
    s.dropoutDelay = ReadField(image, Field::DropoutDelayTime);
    s.txDwell = ReadField(image, Field::TxDwellTime);
    return s;
}

ScanInfoStoreResult StoreScanInfo(MemoryImage &image, const ScanInfoState &s)
{
    // A field is written only when its value is not what the image already
    // gives: opening the dialog and pressing OK must change no byte, not even
    // a code outside the dialog's lists and ranges.
    const ScanInfoState loaded = LoadScanInfo(image);
    if (s.priority == PriorityFixed) {
        const int n = PriorityChannelNumber(s.priorityChannel);
        if (!IsPriorityChannelUsable(image, n))
            return ScanInfoStoreResult::ChannelRefused;
        WriteField(image, Field::PriorityChannel, n);
    }
    if (s.priority != loaded.priority)
        WriteField(image, Field::Priority, s.priority & 0xFF);
    // Compared as the box shows them: the code a time was loaded from is the one it keeps.
    if (FormatLookBackTime(s.lookBackA) != FormatLookBackTime(loaded.lookBackA))
        WriteField(image, Field::LookBackTimeA, LookBackCodeOfTime(s.lookBackA));
    if (FormatLookBackTime(s.lookBackB) != FormatLookBackTime(loaded.lookBackB))
        WriteField(image, Field::LookBackTimeB, LookBackCodeOfTime(s.lookBackB));
    if (s.priority != loaded.priority || s.revertChannel != loaded.revertChannel) {
        // No entry keeps "no valid code" rather than a code the Priority does not offer.
        int revert = 0xFF;
        if (s.revertChannel >= 0)
            revert = s.priority < 0 ? s.revertChannel
                                    : RevertCodeOfPosition(s.revertChannel, s.priority);
        WriteField(image, Field::RevertChannel, revert & 0xFF);
    }
    if (s.dropoutDelay != loaded.dropoutDelay)
        WriteField(image, Field::DropoutDelayTime, s.dropoutDelay & 0xFFFF);
    if (s.txDwell != loaded.txDwell)
        WriteField(image, Field::TxDwellTime, s.txDwell & 0xFFFF);
    return ScanInfoStoreResult::Stored;
}

QString PriorityChannelMessage(Language lang)
{
    return lang == Language::Chinese ? QString::fromUtf8("请选择已输入的信道")
                                     : QStringLiteral("Please select channel inputed");
}
