// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/FileName.h"

namespace filename {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at data[i], or 0 when the byte there starts none.
int ValidSequence(const unsigned char *data, int size, int i)
{
    const unsigned char c = data[i];
    int length = 0;
    unsigned min = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > size)
        return 0;
    unsigned code = c & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((data[i + k] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (data[i + k] & 0x3F);
    }
    // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not valid UTF-8.
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString FromNative(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const int size = static_cast<int>(bytes.size());
    QString out;
    out.reserve(size);
    for (int i = 0; i < size;) {
        const int n = ValidSequence(data, size, i);
        if (n == 0) {
            out += QChar(static_cast<char16_t>(kEscapeBase + data[i]));
            ++i;
            continue;
        }
        out += QString::fromUtf8(bytes.constData() + i, n);
        i += n;
    }
    return out;
}

QByteArray ToNative(const QString &path)
{
    QByteArray out;
    out.reserve(path.size());
    int start = 0;
    const auto flush = [&](int end) {
        if (end > start)
            out += QStringView(path).mid(start, end - start).toUtf8();
    };
    for (int i = 0; i < path.size(); ++i) {
        const char16_t u = path.at(i).unicode();
        // A lone low surrogate U+DC80..U+DCFF stands for the byte it was made from.
        const bool paired = i > 0 && path.at(i - 1).isHighSurrogate();
        if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF && !paired) {
            flush(i);
            out += static_cast<char>(u - kEscapeBase);
            start = i + 1;
        }
    }
    flush(static_cast<int>(path.size()));
    return out;
}

} // namespace filename
