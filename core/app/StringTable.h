// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The string table of the language resource set. Messages are looked up by
// their resource ids; the texts come from the loaded <Language>.qm.

#include <QString>

namespace ids {
constexpr int MainFrameTitle = 128; ///< "Program"
constexpr int DocumentType = 129; ///< "\n\n\n*.dat\n.dat\nProgram.Document\nProgram Document"
constexpr int PromptRead = 32773; ///< "Read Data From Radio\nRead"
constexpr int PromptWrite = 32774; ///< "Write Data To Radio\nWrite"
constexpr int OutOfRange = 61448; ///< "Out of range,please input again."
constexpr int CommError = 61451; ///< "Communication Error,..."
constexpr int DataCleared = 61452; ///< "All data will be Cleared!"
constexpr int PortOpenFailed = 61453; ///< "Could not Open the Port,..."
constexpr int ProgramInterrupt = 61454; ///< "Program Interrupt, ..."
constexpr int StepError = 61456; ///< "Error data Value, ..."
constexpr int Caution = 61458; ///< "Caution"
// The framework's standard prompts ("status-bar text\ntooltip"), by command id.
constexpr int IdleMessage = 57345; ///< "Ready"
constexpr int FileNew = 57600; ///< File > New
constexpr int FileOpen = 57601; ///< File > Open
constexpr int FileClose = 57602; ///< File > Close
constexpr int FileSave = 57603; ///< File > Save
constexpr int FileSaveAs = 57604; ///< File > Save As
constexpr int FilePrintSetup = 57606; ///< File > Print Setup
constexpr int FilePrint = 57607; ///< File > Print
constexpr int FilePrintPreview = 57609; ///< File > Print Preview
constexpr int AppAbout = 57664; ///< Help > About
constexpr int AppExit = 57665; ///< File > Exit
constexpr int NextPane = 57680; ///< F6
constexpr int PrevPane = 57681; ///< Shift+F6
constexpr int ViewToolbar = 59392; ///< View > Toolbar
constexpr int ViewStatusBar = 59393; ///< View > Status Bar
} // namespace ids

/// Text of string id in the running language set; empty for an unknown id.
QString LoadString(int id);
/// The English source text of string id (the built-in set); empty for an unknown id.
const char *StringSource(int id);
