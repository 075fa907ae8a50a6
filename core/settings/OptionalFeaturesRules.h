// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Optional Features: list contents, load from and store into the image, and
// the dialog's key filter, all without widgets.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"

#include <QString>
#include <QStringList>
#include <Qt>

/// List positions and check states of the Optional Features dialog (−1: no entry).
struct OptionalFeaturesState
{
    int timeOutTimer = -1; ///< Position in "15s".."600s" (code − 1).
    int totPreAlert = -1; ///< Position in "Off", "1".."10" (code − 1).
    int squelchLevel = -1; ///< Position in "0".."9" (= code).
    int voiceAnnunciation = 0; ///< Position in "Off", "Chinese", "English".
    int voxGainLevel = -1; ///< Position in "Off", "1".."16" (= code).
    int voxDelayTime = -1; ///< Position in "0.3".."3.0" (= code).
    int callTone = -1; ///< Position in "Off", "1".."16" (= byte).
    int callKeyDefine = 0; ///< Position in "Off", "Call", "Emergency Alert".
    bool beep = false; ///< Beep checked.
    bool batterySaver = false; ///< Battery Saver checked.

    bool operator==(const OptionalFeaturesState &o) const;
};

/// The eight lists of the dialog, each in its order, in a language.
struct OptionalFeaturesLists
{
    QStringList timeOutTimer; ///< "15s" … "600s".
    QStringList totPreAlert; ///< "Off", "1" … "10".
    QStringList squelchLevel; ///< "0" … "9".
    QStringList voiceAnnunciation; ///< "Off", "Chinese", "English".
    QStringList voxGainLevel; ///< "Off", "1" … "16".
    QStringList voxDelayTime; ///< "0.3" … "3.0".
    QStringList callTone; ///< "Off", "1" … "16".
    QStringList callKeyDefine; ///< "Off", "Call", "Emergency Alert".
};

/// Builds the list entries of the dialog for lang.
OptionalFeaturesLists BuildOptionalFeaturesLists(Language lang);

/// Positions the controls show for image; a code outside its list gives −1
/// (Voice Annunciation and Call Key Define fall back to "Off").
OptionalFeaturesState LoadOptionalFeatures(const MemoryImage &image);

/// Stores the positions into image, keeping every preserved bit.
void StoreOptionalFeatures(MemoryImage &image, const OptionalFeaturesState &state);

/// What the dialog's key filter does with a key press.
enum class KeyDisposition {
    Pass, ///< Normal processing.
    Discard, ///< Swallowed.
    Help, ///< Help for the focused control, then normal processing.
};

/// Key filter of the Optional Features dialog: digits, Backspace, Delete and
/// the arrows pass without Shift; Tab, Shift+Tab, Enter, Escape and Space pass
/// (the dialog's own keys); F1 asks for help, Alt combinations pass, the rest is discarded.
KeyDisposition OptionalFeaturesKeyDisposition(int key, Qt::KeyboardModifiers modifiers);
