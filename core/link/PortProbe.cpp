// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/PortProbe.h"

#include "core/link/PortRoutes.h"
#include "core/link/PosixSerialLine.h"

QString DevicePathOfPort(const QString &portName)
{
    const QString name = portName.trimmed();
    // Only a COM name can lead to the single USB adapter; a path needs no listing.
    if (name.startsWith(QLatin1Char('/')))
        return name;
    return RouteOfPort(name, ListSerialAdapters()).device;
}

bool ProbePort(const QString &portName)
{
    CPosixSerialLine line;
    const bool ok = line.open(DevicePathOfPort(portName));
    line.close();
    return ok;
}
