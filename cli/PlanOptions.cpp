// SPDX-License-Identifier: GPL-3.0-or-later
// The channel check as every writing command applies it, so that check, write
// and station word, read and enforce it alike.
#include "cli/PlanOptions.h"

#include "cli/CommandLine.h"
#include "core/app/Language.h"
#include "core/plan/ChannelPlanCheck.h"

#include <QCommandLineParser>
#include <cstdio>

namespace cli {

QCommandLineOption RegionOption()
{
    return QCommandLineOption(QStringLiteral("region"),
        QStringLiteral("Region whose frequency rules the channel check applies: none, us or eu "
                       "(default: the region of Setup > Options)."),
        QStringLiteral("none|us|eu"));
}

QCommandLineOption ForceOption()
{
    return QCommandLineOption(
        QStringLiteral("force"), QStringLiteral("Write even when the channel check finds errors."));
}

int ChosenRegion(const QCommandLineParser &parser, const Command &command, PlanRegion *region)
{
    *region = LoadPlanRegion();
    const QString code = parser.value(QStringLiteral("region"));
    if (parser.isSet(QStringLiteral("region")) && !RegionFromCode(code, region))
        return UsageError(
            command, QStringLiteral("--region must be none, us or eu, not %1").arg(code));
    return kGoOn;
}

int CheckPlanBeforeWrite(
    const char *command, const MemoryImage &image, PlanRegion region, bool force)
{
    // Checked before the port is touched: a plan with errors must not reach a radio by accident.
    const WriteCheck check = CheckBeforeWrite(image, region);
    if (!check.findings.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(WriteCheckText(check, CurrentLanguage())));
    if (!check.hasErrors || force)
        return 0;
    std::fprintf(stderr, "radioprog-cli %s%s\n", command,
        qPrintable(LanguageText(": the channel plan has errors; nothing was written. Correct "
                                "them, or write anyway with --force.",
            "：信道规划有错误，未写入。请更正，或用 --force 强制写入。")));
    return 2;
}

} // namespace cli
