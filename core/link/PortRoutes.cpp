// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/PortRoutes.h"
#include "core/app/Language.h"

#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace {

QList<SerialAdapter> usbAdapters(const QList<SerialAdapter> &adapters)
{
    QList<SerialAdapter> out;
    for (const SerialAdapter &a : adapters)
        if (a.usb)
            out << a;
    return out;
}

} // namespace

QList<SerialAdapter> ListSerialAdapters()
{
    QList<SerialAdapter> out;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SerialAdapter a;
        a.device = info.systemLocation();
        a.description = info.description();
        a.manufacturer = info.manufacturer();
        a.serialNumber = info.serialNumber();
        a.usb = info.hasVendorIdentifier();
        out << a;
    }
    std::sort(out.begin(), out.end(),
        [](const SerialAdapter &x, const SerialAdapter &y) { return x.device < y.device; });
    return out;
}

PortRoute RouteOfPort(const QString &portName, const QList<SerialAdapter> &adapters)
{
    const QString name = portName.trimmed();
    if (name.startsWith(QLatin1Char('/')))
        return { name, PortRouteSource::AsGiven };
    static const QRegularExpression com(
        QStringLiteral("^com([1-9][0-9]?)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(name);
    if (m.hasMatch()) {
        const int n = m.captured(1).toInt();
        return RouteOfCom(n, ChosenComRoute(n), adapters);
    }
    return { NormalizeDevicePath(name), PortRouteSource::AsGiven };
}

PortRoute RouteOfCom(int n, const QString &chosen, const QList<SerialAdapter> &adapters)
{
    // The user's own route, set in the dialog, beats the installation's defaults.
    const QString device = NormalizeDevicePath(chosen);
    if (!device.isEmpty())
        return { device, PortRouteSource::UserChoice };
    const QString key = QStringLiteral("COM%1").arg(n);
    const QString mapped = theIniFile.GetValue(QStringLiteral("Ports"), key).trimmed();
    if (!mapped.isEmpty())
        return { mapped, PortRouteSource::ProgramIni };
    // The usual case of one programming cable: COM1 finds it whatever its name
    // (ttyACM0, ttyUSB1 after a replug ...).
    const QList<SerialAdapter> usb = usbAdapters(adapters);
    if (n == 1 && usb.size() == 1)
        return { usb.first().device, PortRouteSource::OnlyUsbAdapter };
    return { QStringLiteral("/dev/ttyUSB%1").arg(n - 1), PortRouteSource::Default };
}

QString ChosenComRoute(int n)
{
    return UserSettings::forApplication().text(QStringLiteral("Ports/COM%1").arg(n));
}

bool ChooseComRoute(int n, const QString &device)
{
    return UserSettings::forApplication().setText(
        QStringLiteral("Ports/COM%1").arg(n), NormalizeDevicePath(device));
}

QString NormalizeDevicePath(const QString &typed)
{
    const QString name = typed.trimmed();
    // A bare device name such as ttyS0 lives under /dev.
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return name;
    return QStringLiteral("/dev/") + name;
}

QString DescribeAdapter(const SerialAdapter &adapter, Language language)
{
    QStringList parts;
    if (!adapter.description.isEmpty())
        parts << adapter.description;
    if (!adapter.manufacturer.isEmpty())
        parts << adapter.manufacturer;
    if (!adapter.serialNumber.isEmpty())
        parts << LanguageText(language, "serial number %1", "序列号 %1").arg(adapter.serialNumber);
    if (parts.isEmpty())
        return adapter.device;
    return QStringLiteral("%1  %2").arg(adapter.device, parts.join(QStringLiteral(", ")));
}

QString DescribeComRoute(int n, const QList<SerialAdapter> &adapters, Language language)
{
    return DescribeRoute(n, RouteOfPort(QStringLiteral("COM%1").arg(n), adapters), language);
}

QString DescribeRoute(int n, const PortRoute &route, Language language)
{
    QString why;
    switch (route.source) {
    case PortRouteSource::UserChoice:
        why = LanguageText(language, "set in COM Setup", "由 COM 设置设定");
        break;
    case PortRouteSource::ProgramIni:
        why = LanguageText(language, "set in Program.ini", "由 Program.ini 设定");
        break;
    case PortRouteSource::OnlyUsbAdapter:
        why = LanguageText(language, "the only USB serial adapter", "唯一的 USB 串口适配器");
        break;
    case PortRouteSource::Default:
    case PortRouteSource::AsGiven:
        why = LanguageText(language, "default", "默认");
        break;
    }
    QString line = QStringLiteral("COM%1 -> %2  (%3)").arg(n).arg(route.device, why);
    if (!QFileInfo::exists(route.device))
        line += LanguageText(language, "  missing", "  不存在");
    return line;
}

QStringList PortOverview(const QList<SerialAdapter> &adapters, Language language)
{
    QStringList lines;
    lines << LanguageText(language, "USB serial adapters:", "USB 串口适配器：");
    const QList<SerialAdapter> usb = usbAdapters(adapters);
    if (usb.isEmpty())
        lines << QStringLiteral("  ") + LanguageText(language, "(none found)", "（未找到）");
    for (const SerialAdapter &a : usb)
        lines << QStringLiteral("  ") + DescribeAdapter(a, language);
    lines << LanguageText(language, "Where the ports lead:", "端口通向：");
    for (int n = 1; n <= 4; ++n)
        lines << QStringLiteral("  ") + DescribeComRoute(n, adapters, language);
    return lines;
}
