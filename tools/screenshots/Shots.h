// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the README, one row each: the file it is saved as and how it
// is taken.

#include <QList>
#include <QPixmap>
#include <QString>

class CMainFrame;

namespace shots {

/// What the shots share: the running program and a private folder for their files.
struct Stage
{
    CMainFrame &frame; ///< the main window, with the demo radio's image open
    QString workDir; ///< a temporary folder of this run
};

/// One picture.
struct Shot
{
    /// The file name before ".png"; "{language}" stands for english or chinese,
    /// "{lang}" for en or zh.
    const char *name;
    /// Takes the picture in the language the program runs in; null when it failed.
    QPixmap (*take)(Stage &stage);
};

/// Every picture, in the order they are taken.
QList<Shot> AllShots();
/// The file name (without folder) of shot in the language the program runs in.
QString ShotFileName(const Shot &shot);

} // namespace shots
