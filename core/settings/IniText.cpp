// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/IniText.h"

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

// One strict iconv conversion, opened once and reused for many pieces of text.
class StrictConverter
{
public:
    StrictConverter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~StrictConverter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    StrictConverter(const StrictConverter &) = delete;
    StrictConverter &operator=(const StrictConverter &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in; false when any byte is refused (nothing is replaced).
    bool convert(const QByteArray &in, QByteArray *out)
    {
        out->clear();
        if (!valid())
            return false;
        char buffer[4096];
        {
            // Back to the initial state after an earlier refusal (with an output buffer:
            // glibc's GB18030 module does not take a reset without one).
            char *dst = buffer;
            size_t dstLeft = sizeof buffer;
            iconv(m_cd, nullptr, nullptr, &dst, &dstLeft);
        }
        char *src = const_cast<char *>(in.constData());
        size_t srcLeft = static_cast<size_t>(in.size());
        while (srcLeft > 0) {
            char *dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out->append(buffer, static_cast<int>(sizeof buffer - dstLeft));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG)
                return false;
        }
        char *dst = buffer;
        size_t dstLeft = sizeof buffer;
        if (iconv(m_cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1))
            return false;
        out->append(buffer, static_cast<int>(sizeof buffer - dstLeft));
        return true;
    }

private:
    iconv_t m_cd;
};

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

// Decodes GB18030 text that encodes back to exactly its own bytes; the other bytes are
// escaped one by one.
class LosslessDecoder
{
public:
    void append(const QByteArray &run, QString *text)
    {
        if (run.isEmpty())
            return;
        if (roundTrips(run, text))
            return;
        // Rare: some sequence in the run has no character, or not one of its own. Its first
        // byte (never ASCII: ASCII always round-trips) is escaped and the rest looked at
        // again, so that a valid character right behind it is kept as a character.
        for (int at = 0; at < run.size();) {
            const int length = SequenceLength(run, at);
            if (length > 0 && roundTrips(run.mid(at, length), text)) {
                at += length;
            } else {
                text->append(EscapeOf(run.at(at)));
                ++at;
            }
        }
    }

private:
    bool roundTrips(const QByteArray &bytes, QString *text)
    {
        if (!m_decoder.convert(bytes, &m_utf8))
            return false;
        // A U+FEFF at the start of a run is a character of the file, not a byte order mark.
        const QString decoded = DecodeUtf8(m_utf8);
        if (!m_encoder.convert(decoded.toUtf8(), &m_back) || m_back != bytes)
            return false;
        text->append(decoded);
        return true;
    }

    StrictConverter m_decoder { "UTF-8", "GB18030" };
    StrictConverter m_encoder { "GB18030", "UTF-8" };
    QByteArray m_utf8;
    QByteArray m_back;
};

} // namespace

QString DecodeGb18030Lossless(const QByteArray &bytes)
{
    LosslessDecoder decoder;
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
        decoder.append(bytes.mid(runStart, at - runStart), &text);
        text.append(EscapeOf(bytes.at(at)));
        runStart = ++at;
    }
    decoder.append(bytes.mid(runStart), &text);
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
    return DecodeUtf8(utf8);
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
    QByteArray bytes = EncodeGb18030Lossless(text);
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
