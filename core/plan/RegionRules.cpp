// SPDX-License-Identifier: GPL-3.0-or-later
// Region rules as a table of bands, so that a changed regulation is one row.
// The messages say what to check, never what the law allows: the user holds
// the licence, and the licence decides.
//
// Sources (band edges in MHz; frequencies below in 10 Hz units):
//  - US narrowbanding: 47 CFR 90.203(j) and 90.209(b)(5): Part 90 land mobile
//    stations in 150-174 and 421-512 MHz use 12.5 kHz (or narrower) channels
//    since 1 January 2013.
//  - NOAA Weather Radio: the seven National Weather Service broadcast channels
//    162.400-162.550 MHz (NWS Directive 10-1710, NTIA Manual 4.3.12); receive only.
//  - Marine VHF: 47 CFR 80.371(c) and 80.373(f), ITU Radio Regulations
//    Appendix 18 and ITU-R M.1084: 25 kHz channels centred 156.025-157.425 MHz
//    (ship) and 160.625-162.025 MHz (coast), taken here with their half
//    channels: 156.0125-157.4375 and 160.6125-162.0375 MHz.
//  - FRS/GMRS: 47 CFR 95.563 (FRS) and 95.1763 (GMRS): 462.5500-462.7250 and
//    467.5500-467.7250 MHz.
//  - MURS: 47 CFR 95.2763 (151.820, 151.880, 151.940, 154.570, 154.600 MHz),
//    95.2767 (2 W transmitter output) and 95.2773 (11.25 kHz on the first
//    three, 20 kHz on the other two).
//  - PMR446: ECC Decision (15)05, formerly ERC/DEC/(98)25: 446.0-446.2 MHz,
//    licence-exempt radios with an integral antenna, 500 mW e.r.p.
#include "core/plan/RegionRules.h"

#include <algorithm>
#include <iterator>

namespace {

/// A closed range of frequencies in 10 Hz units.
struct Range
{
    std::int64_t low;
    std::int64_t high;
    bool contains(std::int64_t f) const { return f >= low && f <= high; }
};

constexpr Range kNarrowbandVhf { 15000000, 17400000 };
constexpr Range kNarrowbandUhf { 42100000, 51200000 };
constexpr Range kNoaa { 16240000, 16255000 };
constexpr Range kMarineShip { 15601250, 15743750 };
constexpr Range kMarineCoast { 16061250, 16203750 };
constexpr Range kGmrsMain { 46255000, 46272500 };
constexpr Range kGmrsInput { 46755000, 46772500 };
constexpr Range kPmr446 { 44600000, 44620000 };
constexpr std::int64_t kMursNarrow[] = { 15182000, 15188000, 15194000 };
constexpr std::int64_t kMursWide[] = { 15457000, 15460000 };

bool IsMarine(std::int64_t f)
{
    return kMarineShip.contains(f) || kMarineCoast.contains(f);
}

bool IsFrsGmrs(std::int64_t f)
{
    return kGmrsMain.contains(f) || kGmrsInput.contains(f);
}

bool IsMurs(std::int64_t f)
{
    return std::find(std::begin(kMursNarrow), std::end(kMursNarrow), f) != std::end(kMursNarrow)
        || std::find(std::begin(kMursWide), std::end(kMursWide), f) != std::end(kMursWide);
}

/// Services in the narrowband ranges whose own rules allow wide channels.
bool IsWideAllowedService(std::int64_t f)
{
    return IsMarine(f) || kNoaa.contains(f) || IsFrsGmrs(f)
        || std::find(std::begin(kMursWide), std::end(kMursWide), f) != std::end(kMursWide);
}

bool NeedsNarrowband(std::int64_t f)
{
    return f >= 0 && (kNarrowbandVhf.contains(f) || kNarrowbandUhf.contains(f))
        && !IsWideAllowedService(f);
}

QString Mhz(std::int64_t units)
{
    return QString::number(static_cast<double>(units) / 100000.0, 'f', 5);
}

void Add(QList<PlanFinding> *out, const char *code, int channel, PlanField field,
    const QString &english, const QString &chinese)
{
    out->append(
        { QString::fromLatin1(code), PlanSeverity::Warning, { channel }, field, english, chinese });
}

void AddMarine(const RegionChannel &ch, const char *code, QList<PlanFinding> *out)
{
    if (!IsMarine(ch.tx))
        return;
    Add(out, code, ch.number, PlanField::Tx,
        QStringLiteral("Transmit frequency %1 MHz lies in the marine VHF band, where only "
                       "licensed marine stations transmit. Choose another transmit frequency "
                       "or check your licence.")
            .arg(Mhz(ch.tx)),
        QStringLiteral("发射频率 %1 MHz 位于海事甚高频频段，只有持证的海事电台可以在此发射。"
                       "请改用其他发射频率，或核对您的执照。")
            .arg(Mhz(ch.tx)));
}

void AppendUnitedStates(const RegionChannel &ch, QList<PlanFinding> *out)
{
    if (ch.wide && (NeedsNarrowband(ch.rx) || NeedsNarrowband(ch.tx))) {
        const std::int64_t f = NeedsNarrowband(ch.rx) ? ch.rx : ch.tx;
        Add(out, "us-narrowband", ch.number, PlanField::Bandwidth,
            QStringLiteral("Wide bandwidth on %1 MHz: land mobile channels in 150-174 and "
                           "421-512 MHz have been narrowband (12.5 kHz) in the United States "
                           "since 2013. Set W/N to Narrow unless your licence allows wide.")
                .arg(Mhz(f)),
            QStringLiteral("%1 MHz 使用宽带：在美国，150-174 和 421-512 MHz 的陆地移动信道自 "
                           "2013 年起须为窄带（12.5 kHz）。除非您的执照允许宽带，请将宽/窄设为窄。")
                .arg(Mhz(f)));
    }
    if (kNoaa.contains(ch.tx))
        Add(out, "us-noaa-tx", ch.number, PlanField::Tx,
            QStringLiteral("Transmit frequency %1 MHz is a NOAA weather broadcast channel "
                           "(162.400-162.550 MHz), which is for receiving only. Choose another "
                           "transmit frequency and check your licence.")
                .arg(Mhz(ch.tx)),
            QStringLiteral("发射频率 %1 MHz 是 NOAA 气象广播信道（162.400-162.550 MHz），"
                           "只能接收。请改用其他发射频率，并核对您的执照。")
                .arg(Mhz(ch.tx)));
    AddMarine(ch, "us-marine-tx", out);
    if (IsFrsGmrs(ch.tx))
        Add(out, "us-frs-gmrs-tx", ch.number, PlanField::Tx,
            QStringLiteral("Transmit frequency %1 MHz is an FRS/GMRS channel: transmitting "
                           "there needs a radio certified for FRS or GMRS and, for GMRS, a "
                           "licence. Check your licence and the radio's certification.")
                .arg(Mhz(ch.tx)),
            QStringLiteral("发射频率 %1 MHz 是 FRS/GMRS 信道：在此发射需要经 FRS 或 GMRS "
                           "认证的对讲机，GMRS 还需要执照。请核对您的执照和对讲机的认证。")
                .arg(Mhz(ch.tx)));
    if (IsMurs(ch.tx))
        Add(out, "us-murs-tx", ch.number, PlanField::Tx,
            QStringLiteral("Transmit frequency %1 MHz is a MURS channel: MURS allows at most "
                           "2 W, narrow bandwidth on 151.820-151.940 MHz, and only radios "
                           "certified for MURS. Check your licence, the power and the bandwidth.")
                .arg(Mhz(ch.tx)),
            QStringLiteral("发射频率 %1 MHz 是 MURS 信道：MURS 最大功率 2 W，151.820-151.940 MHz "
                           "须用窄带，且只允许经 MURS 认证的对讲机。请核对您的执照、功率和带宽。")
                .arg(Mhz(ch.tx)));
}

void AppendEurope(const RegionChannel &ch, QList<PlanFinding> *out)
{
    if (kPmr446.contains(ch.tx))
        Add(out, "eu-pmr446-tx", ch.number, PlanField::Tx,
            QStringLiteral("Transmit frequency %1 MHz lies in the PMR446 band (446.0-446.2 MHz), "
                           "which is for licence-exempt radios with a fixed antenna and at most "
                           "500 mW. Choose another transmit frequency or check your licence.")
                .arg(Mhz(ch.tx)),
            QStringLiteral("发射频率 %1 MHz 位于 PMR446 频段（446.0-446.2 MHz），该频段只供"
                           "天线固定、功率不超过 500 mW 的免执照对讲机使用。请改用其他发射频率，"
                           "或核对您的执照。")
                .arg(Mhz(ch.tx)));
    AddMarine(ch, "eu-marine-tx", out);
}

} // namespace

void AppendRegionFindings(const RegionChannel &channel, PlanRegion region, QList<PlanFinding> *out)
{
    switch (region) {
    case PlanRegion::UnitedStates:
        AppendUnitedStates(channel, out);
        break;
    case PlanRegion::Europe:
        AppendEurope(channel, out);
        break;
    case PlanRegion::None:
        break;
    }
}
