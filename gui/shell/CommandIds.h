// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every command id of the menus, the toolbar and the accelerators, and every
// help context of a window or dialog. The numbers never change: they are also
// the anchors "ctx<id>" of the manuals. The framework's standard commands keep
// the ids of their prompts in the string table.

#include "core/app/ShellRules.h"
#include "core/app/StringTable.h"

/// Command ids.
namespace cmd {
// File
constexpr int FileNew = ids::FileNew; ///< File > New
constexpr int FileOpen = ids::FileOpen; ///< File > Open...
constexpr int FileClose = ids::FileClose; ///< File > Close
constexpr int FileSave = ids::FileSave; ///< File > Save
constexpr int FileSaveAs = ids::FileSaveAs; ///< File > Save As...
constexpr int CompareWith = 32860; ///< File > Compare With...
constexpr int FilePrint = ids::FilePrint; ///< File > Print...
constexpr int FilePrintPreview = ids::FilePrintPreview; ///< File > Print Preview
constexpr int ExportPdf = 32800; ///< File > Export PDF...
constexpr int FilePrintSetup = ids::FilePrintSetup; ///< File > Print Setup...
constexpr int ImportChannels = 32852; ///< File > Import Channels...
constexpr int ExportChannels = 32851; ///< File > Export Channels...
constexpr int PrintChannelSheet = 32853; ///< File > Print Channel Sheet...
constexpr int ExportChannelSheetPdf = 32854; ///< File > Export Channel Sheet as PDF...
constexpr int AppExit = ids::AppExit; ///< File > Exit

// Edit
constexpr int Undo = 57643; ///< Edit > Undo
constexpr int Redo = 57644; ///< Edit > Redo
constexpr int Cut = 57635; ///< Edit > Cut
constexpr int Copy = 57634; ///< Edit > Copy
constexpr int Paste = 57637; ///< Edit > Paste
constexpr int Clear = 57632; ///< Edit > Delete (the selected cells)
constexpr int InsertChannel = 32840; ///< Edit > Insert Channel
constexpr int DeleteChannel = 32841; ///< Edit > Delete Channel
constexpr int MoveUp = 32842; ///< Edit > Move Up
constexpr int MoveDown = 32843; ///< Edit > Move Down
constexpr int ClearChannel = 32844; ///< Edit > Clear Channel
constexpr int ProductInfo = 32786; ///< Edit > Product Information
constexpr int ChannelInfo = 32787; ///< Edit > Channel Information
constexpr int OptionalFeatures = 32788; ///< Edit > Optional Features

// Program
constexpr int Read = ids::PromptRead; ///< Program > Read
constexpr int Write = ids::PromptWrite; ///< Program > Write
constexpr int ScanInfo = 32782; ///< Program > Scan Info
constexpr int Backups = 32862; ///< Program > Backups...
constexpr int ProgrammingStation = 32870; ///< Program > Programming Station...
constexpr int ProgrammingLog = 32871; ///< Program > Programming Log...
constexpr int CheckChannels = 32880; ///< Program > Check Channels...

// View
constexpr int ViewToolbar = ids::ViewToolbar; ///< View > Toolbar
constexpr int ViewStatusBar = ids::ViewStatusBar; ///< View > Status Bar
constexpr int ControlBar = 32780; ///< View > Control Bar (the navigation bar)

// Setup
constexpr int ComSetup = 32777; ///< Setup > Com Setup
constexpr int Language = 32799; ///< Setup > Language
constexpr int WriteOptions = 32861; ///< Setup > Options...

// Help
constexpr int AppAbout = ids::AppAbout; ///< Help > About Program...

// Keys without a menu item
constexpr int NextPane = ids::NextPane; ///< F6
constexpr int PrevPane = ids::PrevPane; ///< Shift+F6

// The status bar's indicator panes.
constexpr int IndicatorCaps = 59137; ///< "CAP"
constexpr int IndicatorNum = 59138; ///< "NUM"
constexpr int IndicatorScroll = 59139; ///< "SCRL"
} // namespace cmd

/// Help contexts of windows and dialogs that are not simply a command's (a menu
/// item's help context is its command id).
namespace ctx {
constexpr int MainWindow = WindowHelpContext(128); ///< The main window, no document focused.
constexpr int DocumentWindow = WindowHelpContext(129); ///< A document window.
constexpr int About = WindowHelpContext(100); ///< The About box.
constexpr int Process = WindowHelpContext(131); ///< The Process window of a transfer.
constexpr int ScanInfo = WindowHelpContext(133); ///< The Scan Information dialog.
constexpr int ComSetup = cmd::ComSetup; ///< The COM Setup dialog.
constexpr int Language = cmd::Language; ///< The Language dialog.
constexpr int WriteOptions = cmd::WriteOptions; ///< The write Options dialog.
constexpr int Backups = cmd::Backups; ///< The Backups window.
constexpr int ImportChannels = cmd::ImportChannels; ///< The channel import preview.
constexpr int Compare = 32863; ///< The compare window.
constexpr int ProgrammingStation = cmd::ProgrammingStation; ///< The Programming Station window.
constexpr int ProgrammingLog = cmd::ProgrammingLog; ///< The Programming Log window.
constexpr int CheckChannels = cmd::CheckChannels; ///< The Check Channels window.

/// The framework's help number of context (what CMainFrame::WinHelp takes).
constexpr int HelpNumber(int context)
{
    return 0x10000 + context;
}
} // namespace ctx
