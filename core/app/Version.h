// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version every program prints for --version and the package carries.

#include <QString>

/// The program version, as in "1.0.0".
QString ProgramVersion();
