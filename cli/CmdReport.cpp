// radioprog-cli report: the printed report of a .dat file as a PDF (A4, 300 dpi).
#include "cli/Commands.h"
#include "doc/ProgramDoc.h"
#include "editor/ChannelTable.h"
#include "print/ChannelSheetPdf.h"
#include "print/ReportLayout.h"
#include "print/ReportPdf.h"
#include "print/ReportTexts.h"
#include "shell/Globals.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

struct ReportOptions
{
    QString file;
    QString output;
    QString lang; // "en", "zh" or empty for the installation's language
    bool sheet = false; // the one-page channel sheet instead of the report
};

bool ParseReportArgs(const QStringList &args, ReportOptions *opts, QString *error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const auto value = [&](QString *into) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            *into = args.at(++i);
            return true;
        };
        if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (!value(&opts->output))
                return false;
        } else if (a.startsWith(QLatin1String("--output="))) {
            opts->output = a.mid(9);
        } else if (a == QLatin1String("--lang")) {
            if (!value(&opts->lang))
                return false;
        } else if (a.startsWith(QLatin1String("--lang="))) {
            opts->lang = a.mid(7);
        } else if (a == QLatin1String("--sheet")) {
            opts->sheet = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            *error = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else if (opts->file.isEmpty()) {
            opts->file = a;
        } else {
            *error = QStringLiteral("only one file can be reported");
            return false;
        }
    }
    if (!opts->lang.isEmpty() && opts->lang != QLatin1String("en")
        && opts->lang != QLatin1String("zh")) {
        *error = QStringLiteral("--lang must be en or zh, not %1").arg(opts->lang);
        return false;
    }
    if (opts->file.isEmpty()) {
        *error = QStringLiteral("no .dat file given");
        return false;
    }
    if (opts->output.isEmpty()) {
        *error = QStringLiteral("no output file given (-o report.pdf)");
        return false;
    }
    return true;
}

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
    ReportOptions opts;
    QString error;
    if (!ParseReportArgs(args, &opts, &error)) {
        err << "radioprog-cli report: " << error << "\n"
            << "usage: radioprog-cli report FILE.dat -o report.pdf [--sheet] [--lang en|zh]\n";
        return 2;
    }

    // The run takes the chosen language the way the program takes it at start-up.
    if (opts.lang == QLatin1String("en"))
        g_strLanguage = QStringLiteral("English");
    else if (opts.lang == QLatin1String("zh"))
        g_strLanguage = QStringLiteral("Chinese");
    g_bChinese = g_strLanguage == QLatin1String("Chinese");

    // Writing the report over its own image would destroy the image.
    const QFileInfo in(opts.file), out(opts.output);
    if (out.exists() && in.exists() && in.canonicalFilePath() == out.canonicalFilePath()) {
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
