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
    UserChoice, ///< COM Setup routed it: the per-user [Ports] names the device.
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
/// Where portName leads with these adapters present (COM Setup's route, then [Ports] of
/// Program.ini, then the defaults).
PortRoute RouteOfPort(const QString &portName, const QList<SerialAdapter> &adapters);
/// Where COMn leads when COM Setup's route for it is chosen (empty: no route chosen).
PortRoute RouteOfCom(int n, const QString &chosen, const QList<SerialAdapter> &adapters);
/// The device COM Setup routed COMn to (the per-user [Ports]); empty when none.
QString ChosenComRoute(int n);
/// Routes COMn to device for every later transfer (an empty device removes the route);
/// false when the per-user store cannot be written.
bool ChooseComRoute(int n, const QString &device);
/// A typed device: trimmed, and a bare name such as ttyACM0 put under /dev.
QString NormalizeDevicePath(const QString &typed);
/// One line on COMn leading along route: "COM1 -> /dev/ttyACM0  (default)  missing".
QString DescribeRoute(int n, const PortRoute &route, Language language);
/// One line on an adapter: "/dev/ttyUSB0  USB-Serial Controller, Prolific, serial 1234".
QString DescribeAdapter(const SerialAdapter &adapter, Language language);
/// One line on COMn (1..4): "COM1 -> /dev/ttyACM0  (the only USB serial adapter)".
QString DescribeComRoute(int n, const QList<SerialAdapter> &adapters, Language language);
/// The USB adapters and the four COM routes, one line each, as COM Setup and "ports" show them.
QStringList PortOverview(const QList<SerialAdapter> &adapters, Language language);
