#include "doc/IniText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <iconv.h>

namespace initext {

namespace {

// Converts all of in from one iconv encoding to another. An undecodable byte is
// replaced rather than ending the text, so a damaged line cannot hide the rest.
QByteArray IconvConvert(
    const char *to, const char *from, const QByteArray &in, const QByteArray &replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QByteArray();
    QByteArray out;
    QByteArray buffer(4096, '\0');
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    while (srcLeft > 0) {
        char *dst = buffer.data();
        size_t dstLeft = static_cast<size_t>(buffer.size());
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer.constData(), buffer.size() - static_cast<int>(dstLeft));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a truncated sequence at the end): skip one byte.
            out.append(replacement);
            ++src;
            --srcLeft;
        }
    }
    char *dst = buffer.data();
    size_t dstLeft = static_cast<size_t>(buffer.size());
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer.constData(), buffer.size() - static_cast<int>(dstLeft));
    iconv_close(cd);
    return out;
}

} // namespace

bool IsValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString DecodeGb18030WithIconv(const QByteArray &bytes)
{
    const QByteArray utf8
        = IconvConvert("UTF-8", "GB18030", bytes, QByteArrayLiteral("\xEF\xBF\xBD"));
    return QString::fromUtf8(utf8);
}

QByteArray EncodeGb18030WithIconv(const QString &text)
{
    return IconvConvert("GB18030", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"));
}

QString DecodeGb18030(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    if (decoder.isValid())
        return decoder.decode(bytes);
    return DecodeGb18030WithIconv(bytes);
}

QByteArray EncodeGb18030(const QString &text)
{
    QStringEncoder encoder("GB18030");
    if (encoder.isValid())
        return encoder.encode(text);
    return EncodeGb18030WithIconv(text);
}

QString DecodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QByteArray EncodeUtf8File(const QString &text, bool bom)
{
    QByteArray bytes = text.toUtf8();
    if (bom || text.startsWith(QChar(0xFEFF)))
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

QByteArray EncodeGb18030File(const QString &text)
{
    QByteArray bytes = EncodeGb18030(text);
    // Comments are not kept, so the bytes that made the file unreadable as
    // UTF-8 may be gone: Chinese text that happens to form valid UTF-8 would
    // then be read back as other characters. Nor may the file begin with the
    // bytes of a UTF-8 byte order mark ("锘" is EF BB), which the reader drops.
    if ((IsValidUtf8(bytes) && QString::fromUtf8(bytes) != text)
        || bytes.startsWith("\xEF\xBB\xBF"))
        bytes.prepend(EncodeGb18030(QStringLiteral("; 编码 GB18030\r\n")));
    return bytes;
}

} // namespace initext
