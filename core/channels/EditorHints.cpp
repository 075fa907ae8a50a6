// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/channels/EditorHints.h"

namespace {

QString Megahertz(int units)
{
    // Five decimals, as the grid shows frequencies.
    const qint64 u = units < 0 ? -static_cast<qint64>(units) : units;
    return QLatin1String(units < 0 ? "-" : "") + QString::number(u / 100000) + QLatin1Char('.')
        + QStringLiteral("%1").arg(u % 100000, 5, 10, QLatin1Char('0'));
}

} // namespace

QString FrequencyBandText(const BandLimits &band, Language)
{
    return QStringLiteral("%1–%2 MHz").arg(Megahertz(band.low), Megahertz(band.high));
}

QString FrequencyHint(const BandLimits &band, Language lang)
{
    if (lang == Language::Chinese)
        return FrequencyBandText(band, lang) + QStringLiteral("，步进 5 或 6.25 kHz");
    return FrequencyBandText(band, lang) + QStringLiteral(", 5 or 6.25 kHz steps");
}

int TypeAheadIndex(const QStringList &items, const QString &typed)
{
    const QString prefix = typed.trimmed();
    if (prefix.isEmpty())
        return -1;
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}
