// SPDX-License-Identifier: GPL-3.0-or-later
// How long one channel plan check takes, on a full image with every kind of
// finding and on a clean one; it runs on every edit, so the goal is 1 ms.
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "core/plan/ChannelPlanCheck.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

MemoryImage BusyImage()
{
    MemoryImage image = MemoryImage::defaults();
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        ChannelRecord ch = image.channel(n);
        // Pairs of equal channels, some in the narrowband range, some on MURS and NOAA.
        const std::int64_t rx = 15100000 + ((n - 1) / 2) * 12500;
        ch.setRxBytes(EncodeFrequency(rx));
        ch.setTxBytes(EncodeFrequency(n % 5 == 0 ? 16240000 : rx));
        ch.setDecodeTone(EncodeTone(QStringLiteral("67.0")));
        ch.setEncodeTone(EncodeTone(n % 3 ? QStringLiteral("D023N") : QStringLiteral("67.0")));
        ch.setWide(n % 2 == 0);
        ch.setScanAdd(n % 4 == 0);
    }
    WriteField(image, Field::Priority, 1);
    WriteField(image, Field::PriorityChannel, 3);
    return image;
}

/// Median microseconds of one check over rounds of many checks.
double MedianMicroseconds(const MemoryImage &image, PlanRegion region, int *findings)
{
    const PlanRadioType type { { 13600000, 17400000 }, QStringLiteral("136 - 174MHz") };
    constexpr int Rounds = 15;
    constexpr int PerRound = 200;
    std::vector<double> us;
    for (int r = 0; r < Rounds; ++r) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < PerRound; ++i)
            *findings = CheckChannelPlan(image, type, region).size();
        us.push_back(t.nsecsElapsed() / 1000.0 / PerRound);
    }
    std::sort(us.begin(), us.end());
    return us[us.size() / 2];
}

} // namespace

int main()
{
    const struct
    {
        const char *name;
        MemoryImage image;
        PlanRegion region;
    } cases[] = {
        { "new image", MemoryImage::defaults(), PlanRegion::None },
        { "16 channels, no region", BusyImage(), PlanRegion::None },
        { "16 channels, United States", BusyImage(), PlanRegion::UnitedStates },
    };
    bool met = true;
    for (const auto &c : cases) {
        int findings = 0;
        const double us = MedianMicroseconds(c.image, c.region, &findings);
        met = met && us < 1000.0;
        std::printf(
            "%-30s %8.1f us per check (%d findings)   goal: under 1000 us\n", c.name, us, findings);
    }
    return met ? 0 : 1;
}
