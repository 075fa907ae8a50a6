// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Product Information: the type and band lists from Program.ini, the choice
// stored into the image, and the caption that shows it.

#include "core/image/MemoryImage.h"

#include <QString>
#include <QStringList>

class CIniFile;

/// Most product types Program.ini can list ("Type1" … "Type19").
constexpr int MaxProductTypes = 19;

/// [Setup] "Type1".."Type19" up to the first missing or empty value.
QStringList ProductTypeList(const CIniFile &ini);
/// Band list of the type at position typePos ([Setup] "Field<typePos + 1>", split at "|").
QStringList ProductBandList(const CIniFile &ini, int typePos);

/// A list position read from the per-user store: −1 when the list has no such entry.
int ProductListPosition(int stored, int count);

/// Stores the type and band positions into 0x3D2 / 0x3D3 (low eight bits; −1 gives 0xFF).
void StoreProductChoice(MemoryImage &image, int typePos, int bandPos);

/// appName + "  [ Type:" + type + "  Fre:" + band + " ]".
QString ProductCaption(const QString &appName, const QString &type, const QString &band);
