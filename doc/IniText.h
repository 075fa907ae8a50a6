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
