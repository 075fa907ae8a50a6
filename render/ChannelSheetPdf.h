// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing the channel sheet on a printer or into a PDF.

#include "core/report/ChannelSheet.h"

#include <QPageLayout>
#include <QString>

class QPainter;
class QPaintDevice;

/// Draws the sheet on painter, active on device, whose origin is the printable area's corner.
void PaintChannelSheet(
    QPainter &painter, const QPaintDevice *device, const ChannelSheetInput &input);
/// Writes the sheet as a one-page PDF at path (replaced only when complete); false with error.
bool WriteChannelSheetPdf(const QString &path, const ChannelSheetInput &input,
    const QPageLayout &layout, QString *error = nullptr);
