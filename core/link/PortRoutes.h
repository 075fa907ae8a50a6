// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the port names COM1..COM4 lead, and the USB serial adapters present.

#include "core/app/Language.h"

#include <QList>
#include <QString>
#include <QStringList>

/// A serial adapter as the system reports it.
struct SerialAdapter
{
    QString device; ///< Device path, e.g. /dev/ttyUSB0.
    QString description; ///< e.g. "USB-Serial Controller".
    QString manufacturer; ///< e.g. "Prolific Technology Inc.".
    QString serialNumber; ///< Empty when the adapter has none.
    bool usb = false; ///< It is a USB device (has a vendor id).
};

/// Why a port name leads where it does.
enum class PortRouteSource {
    ProgramIni, ///< [Ports] of Program.ini names the device.
    OnlyUsbAdapter, ///< COM1 without an entry, and exactly one USB serial adapter is present.
    Default, ///< COMn without an entry: /dev/ttyUSB<n-1>.
    AsGiven, ///< A device path or name, used as it stands.
};

/// The device behind a port name and why.
struct PortRoute
{
    QString device; ///< Device path.
    PortRouteSource source = PortRouteSource::AsGiven; ///< Why.
};

/// The serial adapters the system reports, sorted by device path.
QList<SerialAdapter> ListSerialAdapters();
/// Where portName leads with these adapters present ([Ports] of Program.ini first).
PortRoute RouteOfPort(const QString &portName, const QList<SerialAdapter> &adapters);
/// One line on an adapter: "/dev/ttyUSB0  USB-Serial Controller, Prolific, serial 1234".
QString DescribeAdapter(const SerialAdapter &adapter, Language language);
/// One line on COMn (1..4): "COM1 -> /dev/ttyACM0  (the only USB serial adapter)".
QString DescribeComRoute(int n, const QList<SerialAdapter> &adapters, Language language);
/// The USB adapters and the four COM routes, one line each, as COM Setup and "ports" show them.
QStringList PortOverview(const QList<SerialAdapter> &adapters, Language language);
