// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a port would not open and how to fix it, in words a technician can act on:
// the facts are gathered from the process table and the device folder (real, or
// a test's fake ones), then told in the user's language.

#include "core/app/Language.h"
#include "core/link/SerialLine.h"

#include <QString>
#include <QStringList>

/// Where the diagnosis looks.
struct PortEnvironment
{
    QString procDir = QStringLiteral("/proc"); ///< The process table.
    QString devDir = QStringLiteral("/dev"); ///< The device folder searched for serial devices.
    bool askSystemForPorts = true; ///< Adds the ports the system reports (QSerialPortInfo).
};

/// What is known about a port that would not open.
struct PortFacts
{
    PortOpenError error; ///< The failed open.
    QString osReason; ///< The OS's text for error.osError, empty when there is none.
    QString deviceGroup; ///< Group owning the device (permission denied).
    QString deviceOwner; ///< User owning the device (permission denied).
    bool groupMayUse = true; ///< The device's mode lets its group read and write it.
    QStringList holders; ///< Processes holding the device: "minicom (PID 1234)".
    bool brlttyRunning = false; ///< brltty, known to grab USB serial cables, is running.
    QStringList devicesFound; ///< Serial devices present (no such device).
};

/// Gathers the facts about error from env.
PortFacts GatherPortFacts(const PortOpenError &error, const PortEnvironment &env = {});
/// Processes of env whose open files include device: "name (PID n)". A process that holds
/// the master of the pseudo-terminal device is left out: it is the far end (such as
/// radioprog-sim), not a program competing for the port.
QStringList ProcessesHolding(const QString &device, const PortEnvironment &env = {});
/// Serial devices present: ttyUSB*, ttyACM* of env.devDir, plus the system's ports if asked.
QStringList SerialDevicesFound(const PortEnvironment &env = {});
/// The reason shown beneath message 61453: why, then how to fix it; empty for PortFault::None.
QString ExplainPortFailure(const PortFacts &facts, Language language);
