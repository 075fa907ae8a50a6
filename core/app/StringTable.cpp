// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/StringTable.h"

#include <QCoreApplication>

namespace {

struct Entry
{
    int id;
    const char *text;
};

// The built-in English set; translations live in res/i18n under context "StringTable".
const Entry kStrings[] = {
    { ids::MainFrameTitle, QT_TRANSLATE_NOOP("StringTable", "Program") },
    { ids::DocumentType,
        QT_TRANSLATE_NOOP("StringTable", "\n\n\n*.dat\n.dat\nProgram.Document\nProgram Document") },
    { ids::PromptRead, QT_TRANSLATE_NOOP("StringTable", "Read Data From Radio\nRead") },
    { ids::PromptWrite, QT_TRANSLATE_NOOP("StringTable", "Write Data To Radio\nWrite") },
    { ids::OutOfRange, QT_TRANSLATE_NOOP("StringTable", "Out of range,please input again.") },
    { ids::CommError,
        QT_TRANSLATE_NOOP("StringTable",
            "Communication Error,Please check all the connections and the radio power") },
    { ids::DataCleared, QT_TRANSLATE_NOOP("StringTable", "All data will be Cleared!") },
    { ids::PortOpenFailed,
        QT_TRANSLATE_NOOP("StringTable",
            "Could not Open the Port,Please check whether the Port are "
            "occupied or the device are ok") },
    { ids::ProgramInterrupt,
        QT_TRANSLATE_NOOP(
            "StringTable", "Program Interrupt, Please reset the radio and try again") },
    { ids::StepError,
        QT_TRANSLATE_NOOP(
            "StringTable", "Error data Value, please input according the step value(6.25K/5k).") },
    { ids::Caution, QT_TRANSLATE_NOOP("StringTable", "Caution") },
    { ids::IdleMessage, QT_TRANSLATE_NOOP("StringTable", "Ready") },
    { ids::FileNew, QT_TRANSLATE_NOOP("StringTable", "Create a new document\nNew") },
    { ids::FileOpen, QT_TRANSLATE_NOOP("StringTable", "Open an existing document\nOpen") },
    { ids::FileClose, QT_TRANSLATE_NOOP("StringTable", "Close the active document\nClose") },
    { ids::FileSave, QT_TRANSLATE_NOOP("StringTable", "Save the active document\nSave") },
    { ids::FileSaveAs,
        QT_TRANSLATE_NOOP("StringTable", "Save the active document with a new name\nSave As") },
    { ids::FilePrintSetup,
        QT_TRANSLATE_NOOP("StringTable", "Change the printer and printing options\nPrint Setup") },
    { ids::FilePrint, QT_TRANSLATE_NOOP("StringTable", "Print the active document\nPrint") },
    { ids::FilePrintPreview,
        QT_TRANSLATE_NOOP("StringTable", "Display full pages\nPrint Preview") },
    { ids::AppAbout,
        QT_TRANSLATE_NOOP(
            "StringTable", "Display program information, version number and copyright\nAbout") },
    { ids::AppExit,
        QT_TRANSLATE_NOOP("StringTable", "Quit the application; prompts to save documents\nExit") },
    { ids::NextPane,
        QT_TRANSLATE_NOOP("StringTable", "Switch to the next window pane\nNext Pane") },
    { ids::PrevPane,
        QT_TRANSLATE_NOOP(
            "StringTable", "Switch back to the previous window pane\nPrevious Pane") },
    { ids::ViewToolbar,
        QT_TRANSLATE_NOOP("StringTable", "Show or hide the toolbar\nToggle ToolBar") },
    { ids::ViewStatusBar,
        QT_TRANSLATE_NOOP("StringTable", "Show or hide the status bar\nToggle StatusBar") },
};

} // namespace

const char *StringSource(int id)
{
    for (const Entry &e : kStrings)
        if (e.id == id)
            return e.text;
    return nullptr;
}

QString LoadString(int id)
{
    const char *source = StringSource(id);
    return source ? QCoreApplication::translate("StringTable", source) : QString();
}
