#include "core/app/Version.h"

QString ProgramVersion()
{
    return QStringLiteral(RADIOPROG_VERSION);
}
