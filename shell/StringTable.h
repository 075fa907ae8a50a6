#pragma once
// The string table of the language resource set. Messages are looked up by
// their resource ids; the texts come from the loaded <Language>.qm.

#include <QString>

namespace ids {
constexpr int MainFrameTitle = 128;   ///< "Program"
constexpr int PromptRead = 32773;     ///< "Read Data From Radio\nRead"
constexpr int PromptWrite = 32774;    ///< "Write Data To Radio\nWrite"
constexpr int OutOfRange = 61448;     ///< "Out of range,please input again."
constexpr int CommError = 61451;      ///< "Communication Error,..."
constexpr int DataCleared = 61452;    ///< "All data will be Cleared!"
constexpr int PortOpenFailed = 61453; ///< "Could not Open the Port,..."
constexpr int ProgramInterrupt = 61454; ///< "Program Interrupt, ..."
constexpr int StepError = 61456;      ///< "Error data Value, ..."
constexpr int Caution = 61458;        ///< "Caution"
} // namespace ids

/// Text of string id in the running language set; empty for an unknown id.
QString LoadString(int id);
/// The English source text of string id (the built-in set); empty for an unknown id.
const char *StringSource(int id);
