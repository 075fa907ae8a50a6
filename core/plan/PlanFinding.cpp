// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of findings, shared by every place that shows them.
#include "core/plan/PlanFinding.h"

#include "core/channels/ChannelTable.h"
#include "core/image/SettingsArea.h"
#include "core/settings/SettingTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

QString SeverityName(PlanSeverity severity)
{
    switch (severity) {
    case PlanSeverity::Error:
        return QStringLiteral("error");
    case PlanSeverity::Warning:
        return QStringLiteral("warning");
    case PlanSeverity::Note:
        break;
    }
    return QStringLiteral("note");
}

QString SeverityText(PlanSeverity severity, Language lang)
{
    switch (severity) {
    case PlanSeverity::Error:
        return LanguageText(lang, "Error", "错误");
    case PlanSeverity::Warning:
        return LanguageText(lang, "Warning", "警告");
    case PlanSeverity::Note:
        break;
    }
    return LanguageText(lang, "Note", "提示");
}

QString PlanFieldName(PlanField field)
{
    switch (field) {
    case PlanField::Channel:
        return QStringLiteral("channel");
    case PlanField::Rx:
        return QStringLiteral("rx");
    case PlanField::Tx:
        return QStringLiteral("tx");
    case PlanField::Decode:
        return QStringLiteral("decode");
    case PlanField::Encode:
        return QStringLiteral("encode");
    case PlanField::Power:
        return QStringLiteral("power");
    case PlanField::ScanAdd:
        return QStringLiteral("scanAdd");
    case PlanField::BusyLock:
        return QStringLiteral("busyLock");
    case PlanField::Bandwidth:
        return QStringLiteral("bandwidth");
    case PlanField::Compand:
        return QStringLiteral("compand");
    case PlanField::PriorityChannel:
        return FieldName(Field::PriorityChannel);
    case PlanField::ProductType:
        break;
    }
    return QStringLiteral("productType");
}

int PlanFieldColumn(PlanField field)
{
    switch (field) {
    case PlanField::Channel:
    case PlanField::Rx:
        return ColRx;
    case PlanField::Tx:
        return ColTx;
    case PlanField::Decode:
        return ColDecode;
    case PlanField::Encode:
        return ColEncode;
    case PlanField::Power:
        return ColPower;
    case PlanField::ScanAdd:
        return ColScanAdd;
    case PlanField::BusyLock:
        return ColBusyLock;
    case PlanField::Bandwidth:
        return ColWidth;
    case PlanField::Compand:
        return ColCompand;
    case PlanField::PriorityChannel:
    case PlanField::ProductType:
        break;
    }
    return -1;
}

QString PlanFieldText(PlanField field, Language lang)
{
    switch (field) {
    case PlanField::Channel:
        return LanguageText(lang, "Channel", "信道");
    case PlanField::PriorityChannel:
        return FieldLabel(Field::PriorityChannel, lang);
    case PlanField::ProductType:
        return LanguageText(lang, "Type and band", "类型和频段");
    default:
        return GridHeaderTexts(lang).value(PlanFieldColumn(field));
    }
}

QString ChannelsText(const QList<int> &channels, Language lang)
{
    if (channels.isEmpty())
        return {};
    QStringList numbers;
    for (int n : channels)
        numbers << QString::number(n);
    return LanguageText(lang, "CH ", "信道 ") + numbers.join(QStringLiteral(", "));
}

QString FormatFinding(const PlanFinding &finding, Language lang)
{
    QStringList where;
    if (!finding.channels.isEmpty())
        where << ChannelsText(finding.channels, lang);
    where << PlanFieldText(finding.field, lang);
    return SeverityText(finding.severity, lang) + QStringLiteral(": ")
        + where.join(QStringLiteral(", ")) + QStringLiteral(": ") + finding.message(lang)
        + QStringLiteral(" [") + finding.code + QLatin1Char(']');
}

QString FindingsJson(const QList<PlanFinding> &findings, Language lang)
{
    QJsonArray list;
    for (const PlanFinding &f : findings) {
        QJsonArray channels;
        for (int n : f.channels)
            channels.append(n);
        list.append(QJsonObject { { QStringLiteral("code"), f.code },
            { QStringLiteral("severity"), SeverityName(f.severity) },
            { QStringLiteral("channels"), channels },
            { QStringLiteral("field"), PlanFieldName(f.field) },
            { QStringLiteral("message"), f.message(lang) } });
    }
    return QString::fromUtf8(
        QJsonDocument(QJsonObject { { QStringLiteral("findings"), list } }).toJson());
}

bool HasSeverity(const QList<PlanFinding> &findings, PlanSeverity severity)
{
    return std::any_of(findings.begin(), findings.end(),
        [severity](const PlanFinding &f) { return f.severity == severity; });
}

QList<PlanFinding> FindingsOfCell(const QList<PlanFinding> &findings, int channel, int col)
{
    QList<PlanFinding> out;
    for (const PlanFinding &f : findings)
        if (f.channels.contains(channel) && PlanFieldColumn(f.field) == col)
            out << f;
    return out;
}
