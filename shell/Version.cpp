#include "shell/Version.h"

QString ProgramVersion()
{
    return QStringLiteral(RADIOPROG_VERSION);
}
