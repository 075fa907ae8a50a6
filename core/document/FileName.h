// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names as the bytes the user gave. Qt decodes a name that is not valid UTF-8 into
// U+FFFD, so a later open or save would reach another file; here each such byte is kept
// as a lone surrogate (U+DC80 to U+DCFF) and turned back into the same byte.

#include <QByteArray>
#include <QString>

namespace filename {

/// The name for the bytes of a path (an argv entry): UTF-8, each stray byte kept.
QString FromNative(const QByteArray &bytes);
/// The bytes of a path for the system calls: the exact inverse of FromNative.
QByteArray ToNative(const QString &path);

} // namespace filename
