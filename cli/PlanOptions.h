// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel check's options and verdict, shared by check, write and station:
// one text for --region and --force, one reading of them, one refusal.

#include "cli/Commands.h"
#include "core/plan/PlanRegion.h"

#include <QCommandLineOption>

class MemoryImage;
class QCommandLineParser;

namespace cli {

/// --region none|us|eu: the region whose frequency rules the channel check applies.
QCommandLineOption RegionOption();
/// --force: write even when the channel check finds errors.
QCommandLineOption ForceOption();
/// The region of --region, or of Setup > Options without it; kGoOn, or the usage error's
/// status for command when the value is none of none, us, eu.
int ChosenRegion(const QCommandLineParser &parser, const Command &command, PlanRegion *region);
/// The channel check before a write: its findings on stderr; 2 when it found errors and
/// force is not set (nothing may be written), else 0.
int CheckPlanBeforeWrite(
    const char *command, const MemoryImage &image, PlanRegion region, bool force);

} // namespace cli
