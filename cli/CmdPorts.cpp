// Placeholder until this subcommand lands.
#include "cli/Commands.h"

#include <cstdio>

int RunPorts(const QStringList &)
{
    std::fputs("not built yet\n", stderr);
    return 2;
}
