// Placeholder until this subcommand lands.
#include "cli/Commands.h"

#include <cstdio>

int RunReport(const QStringList &)
{
    std::fputs("not built yet\n", stderr);
    return 2;
}
