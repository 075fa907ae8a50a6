// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli show: the channels as the grid shows them and every settings
// field with its code and text, as a table or as JSON for scripts.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/channels/ChannelTable.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/image/SettingsArea.h"
#include "core/settings/SettingTexts.h"

#include <QTextStream>

const cli::Command cli::kShow = { "show", RunShow, "show [FILE.dat] [--lang en|zh] [--json]",
    "Shows the channels as the grid shows them and every setting with its code and text.\n"
    "Without a file, the new image the program starts with.",
    false };

namespace {

struct ShowOptions
{
    QString file;
    Language lang = Language::English;
    bool json = false;
};

/// Reads the language code of --lang; false when it is neither en nor zh.
bool ParseLanguage(const QString &code, Language *lang)
{
    if (code == QLatin1String("en"))
        *lang = Language::English;
    else if (code == QLatin1String("zh"))
        *lang = Language::Chinese;
    else
        return false;
    return true;
}

/// Columns a text takes on a terminal: CJK characters take two.
int DisplayWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF)
            || (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF)
            || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60)
            || (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

QString PadRight(const QString &text, int width)
{
    return text + QString(qMax(0, width - DisplayWidth(text)), QLatin1Char(' '));
}

/// text without its trailing blanks.
QString TrimRight(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString JsonString(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

void PrintJson(QTextStream &out, const MemoryImage &image, const ChannelTable &table, Language lang)
{
    static const char *const keys[] = { "rx", "tx", "decode", "encode", "power", "scanAdd",
        "busyLock", "bandwidth", "compand" };
    out << "{\n  \"channels\": [\n";
    for (int n = 1; n <= mem::ChannelCount; ++n) {
        out << "    {\"channel\": " << n
            << ", \"empty\": " << (image.channel(n).isEmpty() ? "true" : "false");
        for (int c = ColRx; c < ChannelTable::Cols; ++c)
            out << ", \"" << keys[c - ColRx] << "\": " << JsonString(table.text(n, c));
        out << (n < mem::ChannelCount ? "},\n" : "}\n");
    }
    out << "  ],\n  \"settings\": {\n";
    const QList<Field> fields = AllFields();
    for (int i = 0; i < fields.size(); ++i) {
        const Field f = fields.at(i);
        const int code = ReadField(image, f);
        out << "    " << JsonString(FieldName(f)) << ": {\"code\": " << code
            << ", \"text\": " << JsonString(SettingText(image, f, code, lang))
            << (i + 1 < fields.size() ? "},\n" : "}\n");
    }
    out << "  }\n}\n";
}

void PrintTable(
    QTextStream &out, const MemoryImage &image, const ChannelTable &table, Language lang)
{
    int widths[ChannelTable::Cols] = {};
    for (int r = 0; r < ChannelTable::Rows; ++r)
        for (int c = 0; c < ChannelTable::Cols; ++c)
            widths[c] = qMax(widths[c], DisplayWidth(table.text(r, c)));
    for (int r = 0; r < ChannelTable::Rows; ++r) {
        QString line;
        for (int c = 0; c < ChannelTable::Cols; ++c)
            line += PadRight(table.text(r, c), widths[c] + 2);
        out << TrimRight(line) << '\n';
    }
    out << '\n';
    const QList<Field> fields = AllFields();
    int labelWidth = 0;
    for (Field f : fields)
        labelWidth = qMax(labelWidth, DisplayWidth(FieldLabel(f, lang)));
    for (Field f : fields) {
        const int code = ReadField(image, f);
        out << TrimRight(PadRight(FieldLabel(f, lang), labelWidth + 2)
            + PadRight(QString::number(code), 7) + SettingText(image, f, code, lang))
            << '\n';
    }
}

} // namespace

int RunShow(const QStringList &args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption langOption(QStringLiteral("lang"),
        QStringLiteral("Language of the texts: en or zh (default en)."), QStringLiteral("en|zh"));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"), QStringLiteral("Print JSON for scripts instead of a table."));
    parser.addOption(langOption);
    parser.addOption(jsonOption);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The image to show."),
        QStringLiteral("[FILE.dat]"));
    if (const int status = cli::ParseCommand(parser, cli::kShow, args); status != cli::kGoOn)
        return status;

    ShowOptions opts;
    opts.json = parser.isSet(jsonOption);
    if (parser.isSet(langOption) && !ParseLanguage(parser.value(langOption), &opts.lang))
        return cli::UsageError(cli::kShow,
            QStringLiteral("--lang must be en or zh, not %1").arg(parser.value(langOption)));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return cli::UsageError(cli::kShow, QStringLiteral("only one file can be shown"));
    opts.file = files.value(0);
    QString error;
    // The document's messages follow the chosen language as well.
    g_bChinese = opts.lang == Language::Chinese;

    CProgramDoc doc;
    if (opts.file.isEmpty()) {
        doc.OnNewDocument();
    } else if (!doc.OnOpenDocument(opts.file, &error)) {
        err << "radioprog-cli show: " << error << "\n";
        return 2;
    }

    ChannelTable table = ChannelTable::withHeaders(opts.lang);
    ChannelsToTable(doc.m_image, table, opts.lang);
    QTextStream out(stdout);
    if (opts.json)
        PrintJson(out, doc.m_image, table, opts.lang);
    else
        PrintTable(out, doc.m_image, table, opts.lang);
    return 0;
}
