// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel plan check: what in an image is inconsistent (errors), probably
// not what was meant (warnings), or worth knowing (notes), and the region's
// frequency rules. One check for the check window, the grid marks, the write
// review, the import preview, the programming station and the CLI.

#include "core/image/MemoryImage.h"
#include "core/image/SettingsArea.h"
#include "core/plan/PlanFinding.h"
#include "core/plan/PlanRegion.h"

/// The radio type an image is checked against.
struct PlanRadioType
{
    BandLimits band; ///< Band limits in 10 Hz units.
    QString bandText; ///< The band as the installation names it; empty when it names none.
};

/// The type and band the image names at 0x3D2 / 0x3D3, from the installation's lists.
PlanRadioType RadioTypeOfImage(const MemoryImage &image);

/// Every finding of image: errors, then warnings, then notes, each in channel order.
QList<PlanFinding> CheckChannelPlan(
    const MemoryImage &image, const PlanRadioType &type, PlanRegion region);

/// What the check says before a write into a radio.
struct WriteCheck
{
    QList<PlanFinding> findings; ///< The errors and warnings, to show before the write.
    bool hasErrors = false; ///< The write needs one more confirmation, or --force.
};

/// The check run before every write: the image's own radio type and the given region.
WriteCheck CheckBeforeWrite(const MemoryImage &image, PlanRegion region);
/// The findings of a write check, one line each; empty when there are none.
QString WriteCheckText(const WriteCheck &check, Language lang);
