// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text encodings of Program.ini: UTF-8, or GB18030 for installations written in GB2312.

#include <QByteArray>
#include <QString>

namespace initext {

/// True when bytes are well-formed UTF-8 (an empty array is).
bool IsValidUtf8(const QByteArray &bytes);
/// Decodes GB18030 (a superset of GB2312 and GBK).
QString DecodeGb18030(const QByteArray &bytes);
/// Encodes to GB18030; every Unicode character has a GB18030 form.
QByteArray EncodeGb18030(const QString &text);
/// Decodes UTF-8 keeping a leading U+FEFF (the caller has already taken the byte order mark off).
QString DecodeUtf8(const QByteArray &bytes);
/// UTF-8 bytes of a whole Program.ini, with a byte order mark when bom is set or when the
/// text itself begins with U+FEFF (which a reader would otherwise take for the mark).
QByteArray EncodeUtf8File(const QString &text, bool bom);
/// GB18030 bytes of a whole Program.ini (bytes carried through by DecodeGb18030Lossless
/// come back as they were) that read back as GB18030: when they would also pass
/// for UTF-8 and mean something else there, a comment line only GB18030 can read goes first.
QByteArray EncodeGb18030File(const QString &text);
/// The same two conversions through the C library's iconv, used when Qt lacks the codec.
QString DecodeGb18030WithIconv(const QByteArray &bytes);
/// Encodes to GB18030 through iconv.
QByteArray EncodeGb18030WithIconv(const QString &text);
/// Decodes GB18030 so that nothing is lost: a byte that does not belong to a character
/// which encodes back to the same bytes becomes the lone surrogate U+DC00 + byte.
QString DecodeGb18030Lossless(const QByteArray &bytes);
/// The inverse of DecodeGb18030Lossless: those surrogates become their bytes again.
QByteArray EncodeGb18030Lossless(const QString &text);

} // namespace initext
