#include "shell/StringTable.h"

#include <QCoreApplication>

namespace {

struct Entry
{
    int id;
    const char *text;
};

// The built-in English set; translations live in res/i18n under context "StringTable".
const Entry kStrings[] = {
    {ids::MainFrameTitle, QT_TRANSLATE_NOOP("StringTable", "Program")},
    {ids::PromptRead, QT_TRANSLATE_NOOP("StringTable", "Read Data From Radio\nRead")},
    {ids::PromptWrite, QT_TRANSLATE_NOOP("StringTable", "Write Data To Radio\nWrite")},
    {ids::OutOfRange, QT_TRANSLATE_NOOP("StringTable", "Out of range,please input again.")},
    {ids::CommError,
     QT_TRANSLATE_NOOP("StringTable",
                       "Communication Error,Please check all the connections and the radio power")},
    {ids::DataCleared, QT_TRANSLATE_NOOP("StringTable", "All data will be Cleared!")},
    {ids::PortOpenFailed,
     QT_TRANSLATE_NOOP("StringTable", "Could not Open the Port,Please check whether the Port are "
                                      "occupied or the device are ok")},
    {ids::ProgramInterrupt,
     QT_TRANSLATE_NOOP("StringTable", "Program Interrupt, Please reset the radio and try again")},
    {ids::StepError,
     QT_TRANSLATE_NOOP("StringTable",
                       "Error data Value, please input according the step value(6.25K/5k).")},
    {ids::Caution, QT_TRANSLATE_NOOP("StringTable", "Caution")},
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
