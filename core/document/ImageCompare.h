// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Field-by-field comparison of two memory images, in the user's language:
// channels by the grid's columns, settings by their labels, and every other
// differing byte as offset and hex. One function serves the compare window,
// `radioprog-cli diff` and the write's change summary.

#include "core/app/Language.h"
#include "core/image/MemoryImage.h"

#include <QList>
class ChannelTable;
#include <QString>
#include <array>

/// Which bytes a comparison looks at.
using ImageScope = std::array<bool, mem::ImageSize>;

/// One mask per image byte: the bits that a rule selects.
using ImageBits = std::array<std::uint8_t, mem::ImageSize>;

/// The bits of image that no used channel or setting reads: an empty channel's frequencies,
/// tones, option bits and scan-add bit (its carried bits and bytes +14/+15 are not among them).
ImageBits UnusedBits(const MemoryImage &image);

/// Every byte of the image.
ImageScope WholeImageScope();
/// The bytes a write sends that a read can fetch back: what a write changes that can be checked.
ImageScope WrittenAndReadableScope();

/// One difference between image a and image b.
struct ImageDifference
{
    /// Channel 1..16, or 0 for a setting or bytes.
    int channel = 0;
    /// Name as in `show --json` ("rx", "squelchLevel", ...) or "bytes".
    QString field;
    /// What the user calls it: the grid column, the setting's label, or "Bytes 0x1B8-0x1BF".
    QString label;
    /// Text in a (for bytes: hex, "0A 1B").
    QString a;
    /// Text in b.
    QString b;
    /// First image offset of a bytes difference; -1 for a field.
    int offset = -1;
    /// For the unused bytes of empty channels: the channels they belong to.
    QList<int> channels;

    /// True for the group of bytes the radio does not read (field "unusedBytes").
    bool noEffect() const { return field == QLatin1String("unusedBytes"); }

    bool operator==(const ImageDifference &o) const
    {
        return channel == o.channel && field == o.field && label == o.label && a == o.a && b == o.b
            && offset == o.offset && channels == o.channels;
    }
};

/// True when a difference in the list changes something the radio reads: false for an
/// empty list or one holding only the unused bytes of empty channels.
bool HasRadioEffect(const QList<ImageDifference> &differences);
/// Differences the radio reads (the unused bytes of empty channels left out).
int RadioEffectCount(const QList<ImageDifference> &differences);

/// Differences from a to b within scope: channels first, then settings, then remaining bytes,
/// then one group of the unused bytes of channels empty in both (UnusedBits of a and b).
/// No differing bit is left out: bits no field explains are listed as bytes.
QList<ImageDifference> CompareImages(
    const MemoryImage &a, const MemoryImage &b, Language lang, const ImageScope &scope);
/// image with the grid's edits: the rows whose texts differ from what image shows are stored
/// into it as the grid stores them; every other byte stays as it is.
MemoryImage WithGridEdits(const MemoryImage &image, const ChannelTable &grid, Language lang);
/// One line for a difference: "Channel 3  Rx Frequency: 145.12500 -> 146.00000".
QString DifferenceLine(const ImageDifference &d, Language lang);
