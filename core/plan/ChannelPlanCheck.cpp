// SPDX-License-Identifier: GPL-3.0-or-later
// The plan check reads the image through the same record view, codecs and
// band rules as the grid, so that it can never disagree with what the grid
// accepts.
#include "core/plan/ChannelPlanCheck.h"

#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/plan/RegionRules.h"
#include "core/settings/IniFile.h"
#include "core/settings/ProductInfoRules.h"

#include <algorithm>
#include <array>

namespace {

constexpr int PriorityNone = 0;
constexpr int PriorityFixed = 1;
constexpr int PrioritySelected = 2;

/// True when every nibble of the bytes is a decimal digit.
bool IsPackedDecimal(const FrequencyBytes &bytes)
{
    for (std::uint8_t b : bytes)
        if ((b >> 4) > 9 || (b & 0x0F) > 9)
            return false;
    return true;
}

bool IsNoTone(ToneWord w)
{
    return w.high == 0x00 || w.high == 0xFF;
}

bool IsDigitalTone(ToneWord w)
{
    return w.high == 0x28 || w.high == 0x29 || w.high == 0xA8 || w.high == 0xA9;
}

/// True when the tone word is no tone or one of the radio's listed tones and codes.
bool IsListedTone(ToneWord w)
{
    if (IsNoTone(w))
        return true;
    if (IsDigitalTone(w))
        return DcsByteToCode(w.low, w.high & 0x01) != 0;
    return AnalogueToneList().contains(w.value());
}

/// Everything a channel says, with the two busy-lock codes for QT/DQT and every
/// no-tone word made one, so that equal plans compare equal.
struct ChannelValues
{
    std::int64_t rx = -1;
    std::int64_t tx = -1;
    int decode = 0;
    int encode = 0;
    bool power = false;
    bool scanAdd = false;
    int busyLock = 0;
    bool wide = false;
    bool compand = false;

    bool operator==(const ChannelValues &o) const
    {
        return rx == o.rx && tx == o.tx && decode == o.decode && encode == o.encode
            && power == o.power && scanAdd == o.scanAdd && busyLock == o.busyLock && wide == o.wide
            && compand == o.compand;
    }
};

int ToneKey(ToneWord w)
{
    return IsNoTone(w) ? 0xFFFF : w.value();
}

QString Mhz(std::int64_t units)
{
    return QString::number(static_cast<double>(units) / 100000.0, 'f', 5);
}

class Checker
{
public:
    Checker(const MemoryImage &image, const PlanRadioType &type, PlanRegion region)
        : m_image(image)
        , m_type(type)
        , m_region(region)
    {
    }

    QList<PlanFinding> run()
    {
        for (int n = 1; n <= mem::ChannelCount; ++n)
            checkChannel(n);
        checkBand();
        checkDuplicates();
        checkBandwidths();
        checkPriority();
        checkScanList();
        // Errors first: they are what must be mended before a write.
        std::stable_sort(m_out.begin(), m_out.end(),
            [](const PlanFinding &a, const PlanFinding &b) { return a.severity < b.severity; });
        return m_out;
    }

private:
    void add(const char *code, PlanSeverity severity, QList<int> channels, PlanField field,
        const QString &english, const QString &chinese)
    {
        m_out.append(
            { QString::fromLatin1(code), severity, std::move(channels), field, english, chinese });
    }

    /// Units of a frequency field, or -1 after reporting bytes that are no frequency.
    std::int64_t frequency(int n, const FrequencyBytes &bytes, PlanField field)
    {
        // The texts are made only for a finding: the check runs on every edit.
        const auto name = [field] { return PlanFieldText(field, Language::English); };
        const auto nameZh = [field] { return PlanFieldText(field, Language::Chinese); };
        if (!IsPackedDecimal(bytes)) {
            add("bad-frequency", PlanSeverity::Error, { n }, field,
                QStringLiteral("The %1 bytes %2 are no frequency. Type the frequency again in "
                               "the grid.")
                    .arg(name(), hex(bytes)),
                QStringLiteral("%1的字节 %2 不是有效频率。请在表格中重新输入频率。")
                    .arg(nameZh(), hex(bytes)));
            return -1;
        }
        const std::int64_t units = FrequencyUnits(bytes);
        if (knownBand() && !IsInBand(units, m_type.band.low, m_type.band.high))
            add("out-of-band", PlanSeverity::Error, { n }, field,
                QStringLiteral("%1 %2 MHz lies outside the band %3 of this radio type. Correct "
                               "the frequency, or choose the right type and band under Product "
                               "Information.")
                    .arg(name(), Mhz(units), m_type.bandText),
                QStringLiteral("%1 %2 MHz 超出本机型的频段 %3。请更正频率，或在类型设置中选择"
                               "正确的类型和频段。")
                    .arg(nameZh(), Mhz(units), m_type.bandText));
        if (!IsOnStep(units))
            add("off-step", PlanSeverity::Error, { n }, field,
                QStringLiteral("%1 %2 MHz is on neither the 5 kHz nor the 6.25 kHz step. Type a "
                               "frequency on one of the steps.")
                    .arg(name(), Mhz(units)),
                QStringLiteral("%1 %2 MHz 既不在 5 kHz 也不在 6.25 kHz 步进上。请输入符合步进的"
                               "频率。")
                    .arg(nameZh(), Mhz(units)));
        return units;
    }

    void tone(int n, ToneWord w, PlanField field)
    {
        if (IsListedTone(w))
            return;
        const QString word = QStringLiteral("%1 %2")
                                 .arg(w.low, 2, 16, QLatin1Char('0'))
                                 .arg(w.high, 2, 16, QLatin1Char('0'))
                                 .toUpper();
        add("bad-tone", PlanSeverity::Error, { n }, field,
            QStringLiteral("The %1 bytes %2 are no tone or code of the radio's lists. Choose the "
                           "tone again in the grid.")
                .arg(PlanFieldText(field, Language::English), word),
            QStringLiteral("%1的字节 %2 不是本机列表中的亚音或数字码。请在表格中重新选择。")
                .arg(PlanFieldText(field, Language::Chinese), word));
    }

    void checkChannel(int n)
    {
        const ConstChannelRecord ch = m_image.channel(n);
        if (ch.isEmpty()) {
            if (ch.scanAdd())
                add("scan-add-empty", PlanSeverity::Error, { n }, PlanField::ScanAdd,
                    QStringLiteral("Channel %1 is empty but in the scan list. Give it a "
                                   "frequency, or set Scan Add to No.")
                        .arg(n),
                    QStringLiteral("信道 %1 为空，却在扫描列表中。请为它输入频率，或将扫描添加设为"
                                   "无。")
                        .arg(n));
            return;
        }
        m_used[n] = true;
        ChannelValues &v = m_values[n];
        v.rx = frequency(n, ch.rxBytes(), PlanField::Rx);
        v.tx = frequency(n, ch.txBytes(), PlanField::Tx);
        tone(n, ch.decodeTone(), PlanField::Decode);
        tone(n, ch.encodeTone(), PlanField::Encode);
        v.decode = ToneKey(ch.decodeTone());
        v.encode = ToneKey(ch.encodeTone());
        v.power = ch.powerHigh();
        v.scanAdd = ch.scanAdd();
        v.busyLock = ch.busyLock() == BusyLock::ToneAlt ? static_cast<int>(BusyLock::Tone)
                                                        : static_cast<int>(ch.busyLock());
        v.wide = ch.wide();
        v.compand = ch.compand();

        if (v.rx >= 0 && v.rx == v.tx && !IsNoTone(ch.decodeTone()) && !IsNoTone(ch.encodeTone())
            && v.decode != v.encode)
            add("simplex-tone-mismatch", PlanSeverity::Note, { n }, PlanField::Encode,
                QStringLiteral("Channel %1 sends %2 MHz and listens on the same frequency with "
                               "encode %3 but decode %4: radios of the group hear each other "
                               "only if every radio mirrors these tones.")
                    .arg(n)
                    .arg(Mhz(v.rx), DecodeTone(ch.encodeTone(), false, Language::English),
                        DecodeTone(ch.decodeTone(), false, Language::English)),
                QStringLiteral("信道 %1 在同一频率 %2 MHz 收发，编码 %3 而解码 %4：只有组内每台"
                               "对讲机都相应设置，彼此才能听到。")
                    .arg(n)
                    .arg(Mhz(v.rx), DecodeTone(ch.encodeTone(), false, Language::Chinese),
                        DecodeTone(ch.decodeTone(), false, Language::Chinese)));
        AppendRegionFindings({ n, v.rx, v.tx, v.wide }, m_region, &m_out);
    }

    bool knownBand() const { return !m_type.bandText.isEmpty(); }

    void checkBand()
    {
        if (knownBand() || !std::any_of(m_used.begin(), m_used.end(), [](bool u) { return u; }))
            return;
        add("unknown-band", PlanSeverity::Error, {}, PlanField::ProductType,
            QStringLiteral("The image names a radio type and band (%1, %2) that this "
                           "installation does not list, so its frequencies cannot be checked. "
                           "Choose the type and band under Product Information.")
                .arg(m_image.at(mem::ProductType))
                .arg(m_image.at(mem::FrequencyBand)),
            QStringLiteral("镜像中的类型和频段（%1，%2）不在本安装的列表中，无法检查频率。请在"
                           "类型设置中选择类型和频段。")
                .arg(m_image.at(mem::ProductType))
                .arg(m_image.at(mem::FrequencyBand)));
    }

    void checkDuplicates()
    {
        std::array<bool, mem::ChannelCount + 1> reported {};
        for (int a = 1; a <= mem::ChannelCount; ++a) {
            if (!m_used[a] || reported[a])
                continue;
            QList<int> same { a };
            for (int b = a + 1; b <= mem::ChannelCount; ++b)
                if (m_used[b] && m_values[b] == m_values[a]) {
                    same << b;
                    reported[b] = true;
                }
            if (same.size() < 2)
                continue;
            const QString list = ChannelsText(same, Language::English).mid(3);
            add("duplicate-channel", PlanSeverity::Warning, same, PlanField::Channel,
                QStringLiteral("Channels %1 are identical in every field. Change or clear the "
                               "copies you did not mean to keep.")
                    .arg(list),
                QStringLiteral("信道 %1 的所有字段完全相同。请修改或清除多余的副本。").arg(list));
        }
    }

    void checkBandwidths()
    {
        std::array<bool, mem::ChannelCount + 1> reported {};
        for (int a = 1; a <= mem::ChannelCount; ++a) {
            if (!m_used[a] || reported[a] || m_values[a].rx < 0)
                continue;
            QList<int> same { a };
            bool mixed = false;
            for (int b = a + 1; b <= mem::ChannelCount; ++b)
                if (m_used[b] && m_values[b].rx == m_values[a].rx) {
                    same << b;
                    reported[b] = true;
                    mixed = mixed || m_values[b].wide != m_values[a].wide;
                }
            if (!mixed)
                continue;
            const QString list = ChannelsText(same, Language::English).mid(3);
            add("mixed-bandwidth", PlanSeverity::Warning, same, PlanField::Bandwidth,
                QStringLiteral("Channels %1 receive %2 MHz, some wide and some narrow. Use the "
                               "bandwidth of the system on all of them.")
                    .arg(list, Mhz(m_values[a].rx)),
                QStringLiteral("信道 %1 都接收 %2 MHz，但宽窄带不一致。请统一使用该系统的带宽。")
                    .arg(list, Mhz(m_values[a].rx)));
        }
    }

    void checkPriority()
    {
        if (ReadField(m_image, Field::Priority) != PriorityFixed)
            return;
        const int n = ReadField(m_image, Field::PriorityChannel);
        if (n < 1 || n > mem::ChannelCount) {
            add("priority-out-of-range", PlanSeverity::Error, {}, PlanField::PriorityChannel,
                QStringLiteral("The priority channel is %1, which names no channel of 1 to 16. "
                               "Choose a channel under Scan Information.")
                    .arg(n),
                QStringLiteral("优先信道为 %1，不是 1 到 16 中的信道。请在扫描信息中选择信道。")
                    .arg(n));
        } else if (!m_used[n]) {
            add("priority-empty", PlanSeverity::Error, { n }, PlanField::PriorityChannel,
                QStringLiteral("The priority channel %1 is empty. Choose a used channel under "
                               "Scan Information, or give channel %1 its frequencies.")
                    .arg(n),
                QStringLiteral("优先信道 %1 为空。请在扫描信息中选择已输入的信道，或为信道 %1 "
                               "输入频率。")
                    .arg(n));
        }
    }

    void checkScanList()
    {
        // Only a plan that scans needs a list: the scan function on and a priority set.
        const int priority = ReadField(m_image, Field::Priority);
        if (ReadField(m_image, Field::ScanFunction) != 1
            || (priority != PriorityFixed && priority != PrioritySelected))
            return;
        bool anyUsed = false;
        for (int n = 1; n <= mem::ChannelCount; ++n) {
            if (m_used[n] && m_values[n].scanAdd)
                return;
            anyUsed = anyUsed || m_used[n];
        }
        if (!anyUsed)
            return;
        add("scan-list-empty", PlanSeverity::Warning, {}, PlanField::ScanAdd,
            QStringLiteral("The radio scans with priority, but no channel is in the scan list. "
                           "Set Scan Add to Yes on the channels to scan."),
            QStringLiteral("对讲机启用了优先扫描，但扫描列表中没有信道。请将要扫描信道的扫描添加"
                           "设为有。"));
    }

    static QString hex(const FrequencyBytes &bytes)
    {
        QStringList parts;
        for (std::uint8_t b : bytes)
            parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        return parts.join(QLatin1Char(' '));
    }

    const MemoryImage &m_image;
    const PlanRadioType &m_type;
    PlanRegion m_region;
    std::array<bool, mem::ChannelCount + 1> m_used {};
    std::array<ChannelValues, mem::ChannelCount + 1> m_values {};
    QList<PlanFinding> m_out;
};

} // namespace

PlanRadioType RadioTypeOfImage(const MemoryImage &image)
{
    const int type = image.at(mem::ProductType);
    const int band = image.at(mem::FrequencyBand);
    PlanRadioType t;
    // A type beyond the installation's list names no band, whatever Field<n> may hold.
    if (type < ProductTypeList(theIniFile).size())
        t.bandText = BandTextOfIndex(ProductBandList(theIniFile, type), band);
    t.band = BandLimitsOfText(t.bandText);
    return t;
}

QList<PlanFinding> CheckChannelPlan(
    const MemoryImage &image, const PlanRadioType &type, PlanRegion region)
{
    return Checker(image, type, region).run();
}

WriteCheck CheckBeforeWrite(const MemoryImage &image, PlanRegion region)
{
    WriteCheck check;
    for (const PlanFinding &f : CheckChannelPlan(image, RadioTypeOfImage(image), region))
        if (f.severity != PlanSeverity::Note)
            check.findings << f;
    check.hasErrors = HasSeverity(check.findings, PlanSeverity::Error);
    return check;
}

QString WriteCheckText(const WriteCheck &check, Language lang)
{
    QStringList lines;
    for (const PlanFinding &f : check.findings)
        lines << FormatFinding(f, lang);
    return lines.join(QLatin1Char('\n'));
}
