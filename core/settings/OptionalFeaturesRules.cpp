// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/OptionalFeaturesRules.h"

#include "core/image/SettingsArea.h"

namespace {

QString offText(Language lang)
{
    return lang == Language::Chinese ? QString::fromUtf8("关") : QStringLiteral("Off");
}

QStringList numbers(int first, int last)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << QString::number(n);
    return list;
}

// A position that the list does not have leaves the list without a selection.
int positionIn(int position, int count)
{
    return position >= 0 && position < count ? position : -1;
}

} // namespace

bool OptionalFeaturesState::operator==(const OptionalFeaturesState &o) const
{
    return timeOutTimer == o.timeOutTimer && totPreAlert == o.totPreAlert
        && squelchLevel == o.squelchLevel && voiceAnnunciation == o.voiceAnnunciation
        && voxGainLevel == o.voxGainLevel && voxDelayTime == o.voxDelayTime
        && callTone == o.callTone && callKeyDefine == o.callKeyDefine && beep == o.beep
        && batterySaver == o.batterySaver;
}

OptionalFeaturesLists BuildOptionalFeaturesLists(Language lang)
{
    const bool zh = lang == Language::Chinese;
    OptionalFeaturesLists l;
    for (int k = 1; k <= 40; ++k)
        l.timeOutTimer << QString::asprintf("%ds", 15 * k);
    l.totPreAlert << offText(lang) << numbers(1, 10);
    l.squelchLevel = numbers(0, 9);
    l.voxGainLevel << offText(lang) << numbers(1, 16);
    l.callTone << offText(lang) << numbers(1, 16);
    l.voxDelayTime = QStringList { "0.3", "0.5", "1.0", "1.5", "2.0", "3.0" };
    if (zh) {
        l.voiceAnnunciation = QStringList { QString::fromUtf8("关"), QString::fromUtf8("中文"),
            QString::fromUtf8("英文") };
        l.callKeyDefine = QStringList { QString::fromUtf8("关"), QString::fromUtf8("呼叫"),
            QString::fromUtf8("紧急报警") };
    } else {
        l.voiceAnnunciation = QStringList { "Off", "Chinese", "English" };
        l.callKeyDefine = QStringList { "Off", "Call", "Emergency Alert" };
    }
    return l;
}

OptionalFeaturesState LoadOptionalFeatures(const MemoryImage &image)
{
    OptionalFeaturesState s;
    s.timeOutTimer = positionIn(ReadField(image, Field::TimeOutTimer) - 1, 40);
    s.totPreAlert = positionIn(ReadField(image, Field::TotPreAlert) - 1, 11);
    s.squelchLevel = positionIn(ReadField(image, Field::SquelchLevel), 10);
    s.beep = ReadField(image, Field::Beep) != 0;
    s.voxGainLevel = positionIn(ReadField(image, Field::VoxGainLevel), 17);
    s.voxDelayTime = positionIn(ReadField(image, Field::VoxDelayTime), 6);
    s.callTone = positionIn(ReadField(image, Field::CallTone), 17);
    s.batterySaver = ReadField(image, Field::BatterySaver) != 0;
    const int voice = ReadField(image, Field::VoiceAnnunciation);
    s.voiceAnnunciation = voice >= 0 && voice < 3 ? voice : 0;
    s.callKeyDefine = CallKeyPositionOfCode(ReadField(image, Field::CallKeyDefine));
    return s;
}

void StoreOptionalFeatures(MemoryImage &image, const OptionalFeaturesState &s)
{
    // A list without a selection stores the first entry's code where the
    // field has no code for "none" (position −1 would otherwise spill into
    // the preserved bits).
    auto firstWhenNone = [](int position) { return position < 0 ? 0 : position; };

    // Time-Out Timer and TOT Pre-Alert: no selection stores code 0.
    WriteField(image, Field::TimeOutTimer, s.timeOutTimer + 1);
    WriteField(image, Field::TotPreAlert, s.totPreAlert + 1);
    WriteField(image, Field::SquelchLevel, firstWhenNone(s.squelchLevel));
    WriteField(image, Field::Beep, s.beep ? 1 : 0);
    WriteField(image, Field::VoxGainLevel, firstWhenNone(s.voxGainLevel));
    WriteField(image, Field::VoxDelayTime, firstWhenNone(s.voxDelayTime));
    WriteField(image, Field::BatterySaver, s.batterySaver ? 1 : 0);
    // Call Tone: no selection stores 0xFF, the byte of position −1.
    WriteField(image, Field::CallTone, s.callTone & 0xFF);
    WriteField(image, Field::VoiceAnnunciation, firstWhenNone(s.voiceAnnunciation));
    WriteField(image, Field::CallKeyDefine, CallKeyCodeOfPosition(s.callKeyDefine));
}

KeyDisposition OptionalFeaturesKeyDisposition(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F1)
        return KeyDisposition::Help;
    // System keys (with Alt) are not the dialog's to filter.
    if (modifiers & Qt::AltModifier)
        return KeyDisposition::Pass;
    // The dialog must be leavable and walkable without a mouse: Tab and
    // Shift+Tab move, Enter saves, Escape cancels, Space toggles a check box.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return
        || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space)
        return KeyDisposition::Pass;
    const bool allowed = (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Backspace
        || key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right
        || key == Qt::Key_Down;
    if (allowed && !(modifiers & Qt::ShiftModifier))
        return KeyDisposition::Pass;
    return KeyDisposition::Discard;
}
