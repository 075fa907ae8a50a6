// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One finding of the channel plan check: what is wrong, where, how bad, and
// what to do, in both languages. Every place that shows findings (the check
// window, the grid marks, the write review, the CLI) formats them from here.

#include "core/app/Language.h"

#include <QList>
#include <QString>

/// How bad a finding is: errors block a write unless confirmed, warnings are shown
/// before a write, notes only in the check window.
enum class PlanSeverity { Error, Warning, Note };

/// The field a finding is about.
enum class PlanField {
    Channel, ///< The whole channel record.
    Rx,
    Tx,
    Decode,
    Encode,
    Power,
    ScanAdd,
    BusyLock,
    Bandwidth,
    Compand,
    PriorityChannel, ///< The Scan Information field at 0x161.
    ProductType, ///< The radio type and band at 0x3D2 / 0x3D3.
};

/// One finding of CheckChannelPlan.
struct PlanFinding
{
    QString code; ///< Stable code for scripts ("out-of-band" ...).
    PlanSeverity severity = PlanSeverity::Note; ///< How bad it is.
    QList<int> channels; ///< Channels 1..16 concerned, ascending; may be empty.
    PlanField field = PlanField::Channel; ///< The field concerned.
    QString english; ///< What is wrong and what to do, in English.
    QString chinese; ///< The same in Chinese.

    /// The message in lang.
    QString message(Language lang) const { return lang == Language::Chinese ? chinese : english; }
};

/// "error", "warning" or "note".
QString SeverityName(PlanSeverity severity);
/// "Error" / "错误", "Warning" / "警告", "Note" / "提示".
QString SeverityText(PlanSeverity severity, Language lang);
/// Name of a field for scripts ("rx", "bandwidth", "priorityChannel" ...).
QString PlanFieldName(PlanField field);
/// The field as the program names it (the grid header, the dialog label).
QString PlanFieldText(PlanField field, Language lang);
/// Grid column of the field's cell; the Rx column for a whole channel, -1 for a setting.
int PlanFieldColumn(PlanField field);
/// "CH 3" / "CH 3, 7" (Chinese "信道 3"); empty without channels.
QString ChannelsText(const QList<int> &channels, Language lang);
/// One line: severity, channels, field, message and code.
QString FormatFinding(const PlanFinding &finding, Language lang);
/// {"findings": [{"code", "severity", "channels", "field", "message"}]} with a final newline.
QString FindingsJson(const QList<PlanFinding> &findings, Language lang);
/// True when a finding of that severity is among findings.
bool HasSeverity(const QList<PlanFinding> &findings, PlanSeverity severity);
/// The findings that concern cell (channel, col) of the grid.
QList<PlanFinding> FindingsOfCell(const QList<PlanFinding> &findings, int channel, int col);
