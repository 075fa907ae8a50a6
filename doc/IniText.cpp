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

// Lengths of the byte sequences GB18030 defines: one byte below 0x80; a lead byte
// 0x81-0xFE, then a trail 0x40-0x7E or 0x80-0xFE (two bytes) or a digit, a lead and a digit
// (four bytes). 0 when no sequence starts at at.
int SequenceLength(const QByteArray &bytes, int at)
{
    const auto byte = [&](int i) { return static_cast<unsigned char>(bytes.at(i)); };
    const auto isLead = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
    const auto isDigit = [](unsigned char c) { return c >= 0x30 && c <= 0x39; };
    const unsigned char first = byte(at);
    if (first < 0x80)
        return 1;
    if (!isLead(first) || at + 1 >= bytes.size())
        return 0;
    const unsigned char second = byte(at + 1);
    if ((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE))
        return 2;
    if (isDigit(second) && at + 3 < bytes.size() && isLead(byte(at + 2)) && isDigit(byte(at + 3)))
        return 4;
    return 0;
}

// Decodes bytes strictly: false when iconv refuses any of them.
bool DecodeStrict(const QByteArray &bytes, QString *out)
{
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    QByteArray utf8;
    QByteArray buffer(4096, '\0');
    char *src = const_cast<char *>(bytes.constData());
    size_t srcLeft = static_cast<size_t>(bytes.size());
    bool ok = true;
    while (srcLeft > 0) {
        char *dst = buffer.data();
        size_t dstLeft = static_cast<size_t>(buffer.size());
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        utf8.append(buffer.constData(), buffer.size() - static_cast<int>(dstLeft));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (ok)
        *out = QString::fromUtf8(utf8);
    return ok;
}

QChar EscapeOf(char byte)
{
    return QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(byte)));
}

bool IsEscape(const QString &text, int i)
{
    const char16_t u = text.at(i).unicode();
    // A low surrogate after a high one is half of a real character, not an escape.
    return u >= 0xDC80 && u <= 0xDCFF && !(i > 0 && text.at(i - 1).isHighSurrogate());
}

// Appends run decoded, or, where a character would not encode back to its own bytes,
// those bytes escaped.
void AppendRun(const QByteArray &run, QString *text)
{
    QString decoded;
    if (DecodeStrict(run, &decoded) && EncodeGb18030WithIconv(decoded) == run) {
        text->append(decoded);
        return;
    }
    for (int at = 0; at < run.size();) {
        const int length = SequenceLength(run, at);
        const QByteArray one = run.mid(at, length);
        if (DecodeStrict(one, &decoded) && EncodeGb18030WithIconv(decoded) == one) {
            text->append(decoded);
        } else {
            for (char c : one)
                text->append(EscapeOf(c));
        }
        at += length;
    }
}

} // namespace

QString DecodeGb18030Lossless(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    int runStart = 0;
    int at = 0;
    while (at < bytes.size()) {
        const int length = SequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        AppendRun(bytes.mid(runStart, at - runStart), &text);
        text.append(EscapeOf(bytes.at(at)));
        runStart = ++at;
    }
    AppendRun(bytes.mid(runStart), &text);
    return text;
}

QByteArray EncodeGb18030Lossless(const QString &text)
{
    QByteArray bytes;
    int runStart = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (!IsEscape(text, i))
            continue;
        bytes += EncodeGb18030WithIconv(text.mid(runStart, i - runStart));
        bytes += static_cast<char>(text.at(i).unicode() - 0xDC00);
        runStart = i + 1;
    }
    bytes += EncodeGb18030WithIconv(text.mid(runStart));
    return bytes;
}

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

} // namespace initext
