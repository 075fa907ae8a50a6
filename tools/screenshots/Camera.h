// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How radioprog-screenshots photographs a window, written once for every shot:
// on screen and painted first, closed again after a command's window.

#include <QPixmap>

class CMainFrame;
class QWidget;

namespace shots {

/// Shows window, waits until it is on screen and settled, and returns its picture;
/// a null picture when it never came on screen.
QPixmap Photograph(QWidget &window);
/// Runs command id of frame and photographs the window it opens (modal or not), then
/// closes that window; a null picture when the command is off or opens nothing.
QPixmap PhotographCommand(CMainFrame &frame, int id);

} // namespace shots
