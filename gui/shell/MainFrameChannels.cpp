// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's channel-list and channel-sheet commands.
#include "gui/shell/CommandIds.h"
#include "gui/shell/MainFrame.h"

#include <QAction>

void CMainFrame::AddChannelListCommands()
{
    addCommand(cmd::ImportChannels, tr("&Import Channels..."))
        ->setStatusTip(tr("Read channels from a CSV channel list into the active document"));
    addCommand(cmd::ExportChannels, tr("Expor&t Channels..."))
        ->setStatusTip(tr("Save the programmed channels as a CSV channel list"));
    addCommand(cmd::PrintChannelSheet, tr("Print Channel S&heet..."))
        ->setStatusTip(tr("Print the channels and settings on one page"));
    addCommand(cmd::ExportChannelSheetPdf, tr("Export Channel Sheet as PD&F..."))
        ->setStatusTip(tr("Save the one-page channel sheet as a PDF file"));
}
