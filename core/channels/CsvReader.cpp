// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/channels/CsvReader.h"

#include "core/app/Globals.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

/// The separator of the first line: the most frequent of ',', ';' and tab outside quotes.
QChar DetectSeparator(const QString &text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            break;
        else if (c == QLatin1Char(','))
            ++commas;
        else if (c == QLatin1Char(';'))
            ++semicolons;
        else if (c == QLatin1Char('\t'))
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return QLatin1Char(';');
    if (tabs > commas && tabs > semicolons)
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

bool IsBlank(const QStringList &fields)
{
    for (const QString &f : fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

} // namespace

bool ParseCsv(const QByteArray &bytes, CsvDocument *out, QString *error, const CsvLimits &limits)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (bytes.isEmpty())
        return fail(LanguageText("The file is empty.", "文件是空的。"));
    if (bytes.size() > limits.maxBytes)
        return fail(LanguageText("The file is larger than %1 bytes; a channel list is far smaller.",
            "文件大于 %1 字节；信道表远比这小。")
                        .arg(limits.maxBytes));
    if (bytes.contains('\0'))
        return fail(LanguageText("The file is not text (it holds zero bytes); choose a CSV file.",
            "文件不是文本（含有零字节）；请选择 CSV 文件。"));
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(data);
    if (decoder.hasError())
        return fail(LanguageText("The file is not UTF-8 text; save it from the spreadsheet as "
                                 "\"CSV UTF-8\".",
            "文件不是 UTF-8 文本；请在电子表格中另存为“CSV UTF-8”。"));

    CsvDocument doc;
    doc.separator = DetectSeparator(text);
    int start = 0;
    int line = 1;
    // A spreadsheet may name its separator on a line of its own: "sep=;".
    static const QRegularExpression sepLine(
        QStringLiteral("^sep=(.)\\r?\\n?"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch sep = sepLine.match(text);
    if (sep.hasMatch() && sep.captured(1) != QLatin1String("\"")) {
        doc.separator = sep.captured(1).at(0);
        start = sep.capturedLength();
        line = 2;
    }
    QStringList fields;
    QString field;
    bool quoted = false; // inside a quoted field
    int recordLine = line;
    int quoteLine = 0;
    const auto endField = [&]() {
        if (fields.size() >= limits.maxFields)
            return false;
        fields << field;
        field.clear();
        return true;
    };
    const auto tooManyFields = [&]() {
        return fail(LanguageText("Line %1 has more than %2 fields.", "第 %1 行的字段多于 %2 个。")
                        .arg(recordLine)
                        .arg(limits.maxFields));
    };
    const auto endRecord = [&]() {
        if (!IsBlank(fields)) {
            if (doc.records.size() > limits.maxRecords) // the header comes on top
                return false;
            doc.records.append({ recordLine, fields });
        }
        fields.clear();
        return true;
    };
    const auto tooManyRecords = [&]() {
        return fail(
            LanguageText("The file has more than %1 rows; a channel list for this radio needs 16.",
                "文件多于 %1 行；本机的信道表只需 16 行。")
                .arg(limits.maxRecords));
    };
    bool atFieldStart = true;
    for (int i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n')
                    || (c == QLatin1Char('\r')
                        && !(i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"') && atFieldStart) {
            quoted = true;
            quoteLine = line;
            atFieldStart = false;
            continue;
        } else if (c == doc.separator) {
            if (!endField())
                return tooManyFields();
            atFieldStart = true;
            continue;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size()
                && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (!endField())
                return tooManyFields();
            if (!endRecord())
                return tooManyRecords();
            ++line;
            recordLine = line;
            atFieldStart = true;
            continue;
        } else {
            // A character after a closing quote is kept, as spreadsheets do.
            field += c;
        }
        atFieldStart = false;
        if (field.size() > limits.maxFieldChars)
            return fail(LanguageText("Line %1 has a field longer than %2 characters; this is not a "
                                     "channel list.",
                "第 %1 行有长于 %2 个字符的字段；这不是信道表。")
                            .arg(recordLine)
                            .arg(limits.maxFieldChars));
    }
    if (quoted)
        return fail(LanguageText("Line %1: a quoted field is not closed (a \" is missing).",
            "第 %1 行：引号字段没有结束（缺少 \"）。")
                        .arg(quoteLine));
    if (!atFieldStart || !fields.isEmpty()) {
        if (!endField())
            return tooManyFields();
        if (!endRecord())
            return tooManyRecords();
    }
    if (doc.records.isEmpty())
        return fail(LanguageText("The file holds only blank lines.", "文件只有空行。"));
    *out = doc;
    return true;
}

QString CsvLine(const QStringList &fields, QChar separator)
{
    QStringList parts;
    for (QString f : fields) {
        if (f.contains(separator) || f.contains(QLatin1Char('"')) || f.contains(QLatin1Char('\n'))
            || f.contains(QLatin1Char('\r'))) {
            f.replace(QLatin1String("\""), QLatin1String("\"\""));
            f = QLatin1Char('"') + f + QLatin1Char('"');
        }
        parts << f;
    }
    return parts.join(separator);
}
