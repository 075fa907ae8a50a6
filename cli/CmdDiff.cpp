// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli diff: what differs between two .dat files, field by field, as
// the compare window lists it; or as JSON for scripts.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/document/ImageCompare.h"
#include "core/document/ProgramDoc.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

const cli::Command cli::kDiff = { "diff", RunDiff, "diff A.dat B.dat [--json] [--lang en|zh]",
    "Lists what differs between two .dat files, field by field, as File > Compare With... does.\n"
    "Exit status 0: the same; 1: they differ; 2: a file cannot be read.",
    false };

namespace {

int usageError(const QString &why)
{
    return cli::UsageError(cli::kDiff, why);
}

QByteArray DifferencesJson(const QList<ImageDifference> &differences)
{
    QJsonArray list;
    for (const ImageDifference &d : differences) {
        QJsonObject o;
        o.insert(QStringLiteral("channel"), d.channel > 0 ? QJsonValue(d.channel) : QJsonValue());
        o.insert(QStringLiteral("field"), d.field);
        o.insert(QStringLiteral("a"), d.a);
        o.insert(QStringLiteral("b"), d.b);
        if (d.offset >= 0)
            o.insert(QStringLiteral("offset"), d.offset);
        if (d.noEffect()) {
            QJsonArray channels;
            for (int n : d.channels)
                channels.append(n);
            o.insert(QStringLiteral("channels"), channels);
        }
        list.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("differences"), list);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace

int RunDiff(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"),
        QStringLiteral("Print the differences as JSON: {\"differences\": [...]}."));
    const QCommandLineOption langOption(QStringLiteral("lang"),
        QStringLiteral("Language of the field names and values: en or zh (default en)."),
        QStringLiteral("en|zh"), QStringLiteral("en"));
    parser.addOptions({ jsonOption, langOption });
    parser.addPositionalArgument(QStringLiteral("A.dat"), QStringLiteral("The first image."));
    parser.addPositionalArgument(QStringLiteral("B.dat"), QStringLiteral("The second image."));
    if (const int status = cli::ParseCommand(parser, cli::kDiff, args); status != cli::kGoOn)
        return status;
    const QString lang = parser.value(langOption);
    if (lang != QLatin1String("en") && lang != QLatin1String("zh"))
        return usageError(QStringLiteral("--lang must be en or zh, not %1").arg(lang));
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return usageError(QStringLiteral("two files are needed, %1 given").arg(files.size()));
    // The document's messages follow the chosen language as well.
    g_bChinese = lang == QLatin1String("zh");

    CProgramDoc a;
    CProgramDoc b;
    QString error;
    if (!a.OnOpenDocument(files.at(0), &error) || !b.OnOpenDocument(files.at(1), &error)) {
        QTextStream(stderr) << "radioprog-cli diff: " << error << "\n";
        return 2;
    }
    const QList<ImageDifference> differences
        = CompareImages(a.m_image, b.m_image, CurrentLanguage(), WholeImageScope());
    QTextStream out(stdout);
    if (parser.isSet(jsonOption)) {
        out << QString::fromUtf8(DifferencesJson(differences));
    } else if (differences.isEmpty()) {
        out << LanguageText("The two files hold the same image.", "两个文件的数据相同。") << "\n";
    } else {
        for (const ImageDifference &d : differences)
            out << DifferenceLine(d, CurrentLanguage()) << "\n";
    }
    return differences.isEmpty() ? 0 : 1;
}
