// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/PortDiagnosis.h"
#include "core/app/Language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <cstring>

namespace {

QString processName(const QString &procDir, const QString &pid)
{
    QFile comm(procDir + QLatin1Char('/') + pid + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

QStringList numericEntries(const QString &dir)
{
    QStringList out;
    const QStringList names = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        bool ok = false;
        name.toLongLong(&ok);
        if (ok)
            out << name;
    }
    return out;
}

QString holderText(const QString &name, const QString &pid)
{
    return QStringLiteral("%1 (PID %2)").arg(name.isEmpty() ? QStringLiteral("?") : name, pid);
}

// The number N of a pseudo-terminal device /dev/pts/N; -1 for any other device.
int PtyIndex(const QString &path)
{
    static const QRegularExpression pts(QStringLiteral("^/dev/pts/(\\d+)$"));
    const QRegularExpressionMatch m = pts.match(path);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// True when the descriptor fd of process pid is the master of pseudo-terminal index:
// /dev/ptmx, whose fdinfo names the terminal it leads to.
bool IsMasterOf(const QString &procDir, const QString &pid, const QString &fd, int index)
{
    QFile info(procDir + QLatin1Char('/') + pid + QStringLiteral("/fdinfo/") + fd);
    if (!info.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : info.readAll().split('\n')) {
        if (line.startsWith("tty-index:"))
            return line.mid(10).trimmed().toInt() == index;
    }
    return false;
}

} // namespace

QStringList ProcessesHolding(const QString &device, const PortEnvironment &env)
{
    QStringList out;
    const QString real = QFileInfo(device).canonicalFilePath();
    const int ptyIndex = PtyIndex(real.isEmpty() ? device : real);
    for (const QString &pid : numericEntries(env.procDir)) {
        const QDir fds(env.procDir + QLatin1Char('/') + pid + QStringLiteral("/fd"));
        const QStringList entries
            = fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        bool holds = false;
        bool farEnd = false;
        for (const QString &fd : entries) {
            const QString target = QFile::symLinkTarget(fds.filePath(fd));
            if (target.isEmpty())
                continue;
            if (target == device || (!real.isEmpty() && target == real))
                holds = true;
            else if (ptyIndex >= 0 && target.endsWith(QLatin1String("ptmx"))
                && IsMasterOf(env.procDir, pid, fd, ptyIndex))
                farEnd = true;
        }
        if (holds && !farEnd)
            out << holderText(processName(env.procDir, pid), pid);
    }
    return out;
}

QStringList SerialDevicesFound(const PortEnvironment &env)
{
    QStringList out;
    const QDir dev(env.devDir);
    const QStringList names = dev.entryList(
        { QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*") }, QDir::System | QDir::Files);
    for (const QString &name : names)
        out << dev.filePath(name);
    if (env.askSystemForPorts)
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
            if (!out.contains(info.systemLocation()))
                out << info.systemLocation();
    out.sort();
    return out;
}

PortFacts GatherPortFacts(const PortOpenError &error, const PortEnvironment &env)
{
    PortFacts facts;
    facts.error = error;
    if (error.osError != 0)
        facts.osReason = QString::fromLocal8Bit(std::strerror(error.osError));
    for (const QString &pid : numericEntries(env.procDir))
        if (processName(env.procDir, pid) == QLatin1String("brltty"))
            facts.brlttyRunning = true;
    switch (error.fault) {
    case PortFault::NoSuchDevice:
        facts.devicesFound = SerialDevicesFound(env);
        break;
    case PortFault::PermissionDenied: {
        const QFileInfo info(error.device);
        facts.deviceGroup = info.group();
        facts.deviceOwner = info.owner();
        facts.groupMayUse = info.permission(QFileDevice::ReadGroup | QFileDevice::WriteGroup);
        break;
    }
    case PortFault::Busy:
        facts.holders = ProcessesHolding(error.device, env);
        if (error.holderPid > 0) {
            const QString pid = QString::number(error.holderPid);
            const QString named = holderText(processName(env.procDir, pid), pid);
            if (!facts.holders.contains(named))
                facts.holders.prepend(named);
        }
        break;
    case PortFault::None:
    case PortFault::NotASerialPort:
    case PortFault::Other:
        break;
    }
    return facts;
}

QString ExplainPortFailure(const PortFacts &facts, Language language)
{
    const QString device = facts.error.device;
    const QString os
        = facts.osReason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(facts.osReason);
    const QString brltty = LanguageText(language,
        "The brltty package (a Braille display service) is known to grab USB serial cables; "
        "if it is installed, remove it: sudo apt remove brltty, then plug the cable in again.",
        "brltty 软件包（盲文显示服务）会抢占 USB 串口编程线；如已安装，请卸载："
        "sudo apt remove brltty，然后重新插入编程线。");
    QStringList lines;
    switch (facts.error.fault) {
    case PortFault::None:
        return QString();
    case PortFault::NoSuchDevice: {
        lines << LanguageText(language,
            "Why: %1 does not exist%2: the programming cable is not plugged in, or it appears "
            "under another name.",
            "原因：%1 不存在%2：编程线没有插好，或它使用了别的设备名。")
                     .arg(device, os);
        const QString found = facts.devicesFound.isEmpty()
            ? LanguageText(language, "none", "无")
            : facts.devicesFound.join(QStringLiteral(", "));
        lines << LanguageText(language, "Serial devices found: %1.", "找到的串口设备：%1。")
                     .arg(found);
        lines << LanguageText(language,
            "Fix: plug in the cable, then choose the port that leads to it under Setup > Com "
            "Setup (or name the device in the [Ports] section of Program.ini).",
            "解决：插好编程线，然后在“设置 > 串口设置”中选择通向它的端口"
            "（或在 Program.ini 的 [Ports] 节中写明设备名）。");
        if (facts.brlttyRunning)
            lines << brltty;
        break;
    }
    case PortFault::PermissionDenied: {
        const bool systemGroup
            = facts.deviceGroup.isEmpty() || facts.deviceGroup == QLatin1String("root");
        const QString group = systemGroup ? QStringLiteral("dialout") : facts.deviceGroup;
        lines << LanguageText(language,
            "Why: your user may not use %1%2; the device belongs to the group \"%3\".",
            "原因：当前用户无权使用 %1%2；该设备属于用户组“%3”。")
                     .arg(device, os, facts.deviceGroup.isEmpty() ? group : facts.deviceGroup);
        if (!facts.groupMayUse || systemGroup) {
            // Joining the device's group cannot help here: either the group has no access
            // or it is the system's own. The device itself needs a usable group and mode.
            const QString owner
                = facts.deviceOwner.isEmpty() ? QStringLiteral("root") : facts.deviceOwner;
            if (!facts.groupMayUse)
                lines << LanguageText(language,
                    "Only its owner (%1) may open it: its group has no access to it.",
                    "只有其所有者（%1）可以打开它：该用户组对它没有访问权限。")
                             .arg(owner);
            // ttyUSB0 becomes ttyUSB[0-9]*, so the rule also fits the cable's next number.
            const QString name = QFileInfo(device).fileName();
            QString kernel = name;
            while (!kernel.isEmpty() && kernel.back().isDigit())
                kernel.chop(1);
            kernel = kernel.isEmpty() || kernel == name ? name : kernel + QStringLiteral("[0-9]*");
            lines << LanguageText(language,
                "Fix: give the device the group dialout and mode 0660 with a udev rule: put the "
                "line  SUBSYSTEM==\"tty\", KERNEL==\"%1\", GROUP=\"dialout\", "
                "MODE=\"0660\"  into /etc/udev/rules.d/99-radioprog.rules, run  sudo udevadm "
                "control --reload  and plug the cable in again (until the next plug-in  sudo "
                "chgrp dialout %2 && sudo chmod 0660 %2  does the same). Then add your user to "
                "that group with  sudo usermod -aG dialout $USER  and log out and log in again.",
                "解决：用 udev 规则把该设备的用户组设为 dialout、权限设为 0660：把这一行  "
                "SUBSYSTEM==\"tty\", KERNEL==\"%1\", GROUP=\"dialout\", MODE=\"0660\"  "
                "写入 /etc/udev/rules.d/99-radioprog.rules，执行  sudo udevadm control --reload  "
                "然后重新插入编程线（在下次插入之前，  sudo chgrp dialout %2 && sudo chmod 0660 %2 "
                " "
                "可临时达到同样效果）。然后执行  sudo usermod -aG dialout $USER  "
                "把当前用户加入该组，"
                "并注销后重新登录。")
                         .arg(kernel, device);
            break;
        }
        lines << LanguageText(language,
            "Fix: add your user to that group with  sudo usermod -aG %1 $USER  then log out and "
            "log in again (the new group counts only from the next login).",
            "解决：执行  sudo usermod -aG %1 $USER  把当前用户加入该组，然后注销并重新登录"
            "（新的用户组在下次登录后才生效）。")
                     .arg(group);
        break;
    }
    case PortFault::Busy: {
        const QString who
            = facts.holders.isEmpty() ? QString() : facts.holders.join(QStringLiteral(", "));
        if (who.isEmpty())
            lines << LanguageText(language, "Why: %1 is in use by another program%2.",
                "原因：%1 正被其他程序占用%2。")
                         .arg(device, os);
        else
            lines << LanguageText(language, "Why: %1 is in use by another program: %2.",
                "原因：%1 正被其他程序占用：%2。")
                         .arg(device, who);
        lines << LanguageText(language,
            "Fix: close that program (a terminal program, a modem service, another copy of "
            "this one) and try again.",
            "解决：关闭该程序（终端程序、调制解调器服务或本程序的另一个副本）后重试。");
        if (facts.brlttyRunning)
            lines << brltty;
        break;
    }
    case PortFault::NotASerialPort:
        lines << LanguageText(language, "Why: %1 is not a serial port.", "原因：%1 不是串口设备。")
                     .arg(device);
        lines << LanguageText(language,
            "Fix: choose the serial device of the programming cable under Setup > Com Setup.",
            "解决：在“设置 > 串口设置”中选择编程线的串口设备。");
        break;
    case PortFault::Other:
        lines << LanguageText(language, "Why: %1 could not be opened%2.", "原因：无法打开 %1%2。")
                     .arg(device, os);
        lines << LanguageText(language, "Fix: unplug the cable, plug it in again and retry.",
            "解决：拔下编程线，重新插入后重试。");
        break;
    }
    return lines.join(QLatin1Char('\n'));
}
