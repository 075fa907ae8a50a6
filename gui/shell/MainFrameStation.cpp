// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's commands for the dealer's bench: Program > Programming
// Station... and Program > Programming Log...
#include "core/app/Globals.h"
#include "core/document/BackupStore.h"
#include "core/document/ImageCompare.h"
#include "core/document/ProgramDoc.h"
#include "core/station/RadioProgramming.h"
#include "gui/shell/MainFrame.h"
#include "gui/station/ProgrammingLogDlg.h"
#include "gui/station/StationWindow.h"
#include "gui/view/ProgramView.h"

CStationWindow *CMainFrame::stationWindow() const
{
    return m_station.data();
}

void CMainFrame::OnProgrammingStation()
{
    // One bench at a time: a station that still programs radios is brought forward.
    if (m_station && m_station->isRunning()) {
        m_station->raise();
        m_station->activateWindow();
        return;
    }
    CProgramView *view = activeView();
    CProgramDoc *doc = activeDocument();
    if (!view || !doc)
        return;
    view->CommitCellEditor();
    if (m_station)
        m_station->close();
    StationSetup setup;
    // The channels as the grid shows them now, edits not yet saved included.
    setup.image = WithGridEdits(doc->m_image, view->table(), CurrentLanguage());
    setup.imagePath = doc->pathName();
    setup.options.backupFolder = DefaultBackupFolder();
    setup.logPath = DefaultProgrammingLogPath();
    setup.operatorName = OperatorName();
    auto *station = new CStationWindow(setup, doc->title(), FoundStationPorts(), this);
    station->setAttribute(Qt::WA_DeleteOnClose);
    connect(station, &CStationWindow::openBackupRequested, this,
        [this](const QString &path) { openBackupDocument(path); });
    m_station = station;
    station->show();
}

void CMainFrame::OnProgrammingLog()
{
    auto *dlg = new CProgrammingLogDlg(DefaultProgrammingLogPath(), this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &CProgrammingLogDlg::openBackupRequested, this,
        [this](const QString &path) { openBackupDocument(path); });
    dlg->show();
}
