// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/Version.h"

QString ProgramVersion()
{
    return QStringLiteral(RADIOPROG_VERSION);
}
