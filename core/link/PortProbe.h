// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Port names as the user sees them and the devices behind them.

#include <QString>

/// Device path of a port name: "COM1"/"com1".."com4" through [Ports] of Program.ini, else COM1
/// to the only USB serial adapter present, else /dev/ttyUSB<n-1>; a name beginning with "/" is
/// used as it stands.
QString DevicePathOfPort(const QString &portName);
/// True when the port can be opened exclusively right now (opened and closed at once, nothing
/// sent).
bool ProbePort(const QString &portName);
