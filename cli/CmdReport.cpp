// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli report: the printed report of a .dat file as a PDF (A4, 300 dpi).
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/channels/ChannelTable.h"
#include "core/document/ProgramDoc.h"
#include "core/report/ReportLayout.h"
#include "core/report/ReportTexts.h"
#include "render/ChannelSheetPdf.h"
#include "render/ReportPdf.h"

#include <QFileInfo>
#include <QTextStream>

const cli::Command cli::kReport = { "report", RunReport,
    "report FILE.dat -o report.pdf [--sheet] [--lang en|zh]",
    "Writes the printed report of a .dat file as a PDF (A4, 300 dpi), as File > Export PDF does.",
    true };

namespace {

/// The one-page channel sheet of doc as a PDF.
int WriteSheet(const CProgramDoc &doc, const QString &file, const QString &output)
{
    QString error;
    const ChannelSheetInput input = MakeChannelSheetInput(
        doc.m_image, QFileInfo(file).fileName(), CurrentLanguage(), QDate::currentDate());
    if (!WriteChannelSheetPdf(output, input, DefaultReportPageLayout(), &error)) {
        QTextStream(stderr) << "radioprog-cli report: cannot write " << output << ": " << error
                            << "\n";
        return 2;
    }
    QTextStream(stdout) << "Wrote the channel sheet to " << output << "\n";
    return 0;
}

} // namespace

int RunReport(const QStringList &args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption outputOption({ QStringLiteral("o"), QStringLiteral("output") },
        QStringLiteral("The PDF file to write."), QStringLiteral("report.pdf"));
    const QCommandLineOption langOption(QStringLiteral("lang"),
        QStringLiteral("Language of the report: en or zh (default: the language of Program.ini)."),
        QStringLiteral("en|zh"));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
        QStringLiteral("Write the one-page channel sheet instead of the report."));
    parser.addOption(outputOption);
    parser.addOption(langOption);
    parser.addOption(sheetOption);
    parser.addPositionalArgument(
        QStringLiteral("FILE.dat"), QStringLiteral("The image to report."));
    if (const int status = cli::ParseCommand(parser, cli::kReport, args); status != cli::kGoOn)
        return status;

    struct
    {
        QString file;
        QString output;
        QString lang; // "en", "zh" or empty for the installation's language
        bool sheet = false; // the one-page channel sheet instead of the report
    } opts;
    opts.output = parser.value(outputOption);
    opts.lang = parser.value(langOption);
    opts.sheet = parser.isSet(sheetOption);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return cli::UsageError(cli::kReport, QStringLiteral("only one file can be reported"));
    opts.file = files.value(0);
    if (!opts.lang.isEmpty() && opts.lang != QLatin1String("en")
        && opts.lang != QLatin1String("zh"))
        return cli::UsageError(
            cli::kReport, QStringLiteral("--lang must be en or zh, not %1").arg(opts.lang));
    if (opts.file.isEmpty())
        return cli::UsageError(cli::kReport, QStringLiteral("no .dat file given"));
    if (opts.output.isEmpty())
        return cli::UsageError(
            cli::kReport, QStringLiteral("no output file given (-o report.pdf)"));
    QString error;

    // The run takes the chosen language the way the program takes it at start-up.
    if (opts.lang == QLatin1String("en"))
        g_strLanguage = QStringLiteral("English");
    else if (opts.lang == QLatin1String("zh"))
        g_strLanguage = QStringLiteral("Chinese");
    g_bChinese = g_strLanguage == QLatin1String("Chinese");

    // Writing the report over its own image would destroy the image.
    if (cli::SameFile(opts.file, opts.output)) {
        err << "radioprog-cli report: the report would overwrite " << opts.file
            << "; choose another output file\n";
        return 2;
    }

    CProgramDoc doc;
    if (!doc.OnOpenDocument(opts.file, &error)) {
        err << "radioprog-cli report: " << error << "\n";
        return 2;
    }

    if (opts.sheet)
        return WriteSheet(doc, opts.file, opts.output);

    ReportInput input;
    input.image = doc.m_image;
    input.language = CurrentLanguage();
    input.table = ChannelTable::withHeaders(input.language);
    ChannelsToTable(input.image, input.table, input.language);
    input.owner = ReportOwnerText(g_strLanguage);

    if (!WriteReportPdf(
            opts.output, input, DefaultReportPageLayout(), ReportPdfResolution, &error)) {
        err << "radioprog-cli report: cannot write " << opts.output << ": " << error << "\n";
        return 2;
    }
    QTextStream(stdout) << "Wrote " << ReportPageCount(input.table) << " page(s) to " << opts.output
                        << "\n";
    return 0;
}
