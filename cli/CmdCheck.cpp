// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli check: the channel plan check of a .dat file, as Program >
// Check Channels... lists it; or as JSON for scripts. A script gates a write
// on its exit status.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PlanOptions.h"
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/plan/ChannelPlanCheck.h"

#include <QCommandLineParser>
#include <QTextStream>

const cli::Command cli::kCheck
    = { "check", RunCheck, "check FILE.dat [--region none|us|eu] [--json] [--lang en|zh]",
          "Checks the channel plan of a .dat file as Program > Check Channels... does: errors (the "
          "image is inconsistent), warnings (probably not what was meant) and notes, with the "
          "frequency rules of a region when one is chosen (default: the region of Setup > "
          "Options).\n"
          "Exit status 0: no error or warning; 1: there is one; 2: a file or usage error.",
          false };

namespace {

int usageError(const QString &why)
{
    return cli::UsageError(cli::kCheck, why);
}

} // namespace

int RunCheck(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption regionOption = cli::RegionOption();
    const QCommandLineOption jsonOption(QStringLiteral("json"),
        QStringLiteral("Print the findings as JSON: {\"findings\": [...]}."));
    const QCommandLineOption langOption(QStringLiteral("lang"),
        QStringLiteral("Language of the messages: en or zh (default en)."), QStringLiteral("en|zh"),
        QStringLiteral("en"));
    parser.addOptions({ regionOption, jsonOption, langOption });
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The image to check."));
    if (const int status = cli::ParseCommand(parser, cli::kCheck, args); status != cli::kGoOn)
        return status;

    const QString code = parser.value(langOption);
    if (code != QLatin1String("en") && code != QLatin1String("zh"))
        return usageError(QStringLiteral("--lang must be en or zh, not %1").arg(code));
    const Language lang = code == QLatin1String("zh") ? Language::Chinese : Language::English;
    PlanRegion region = PlanRegion::None;
    if (const int status = cli::ChosenRegion(parser, cli::kCheck, &region); status != cli::kGoOn)
        return status;
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(QStringLiteral("FILE.dat is missing"));
    if (files.size() > 1)
        return usageError(QStringLiteral("unexpected argument %1").arg(files.at(1)));
    // The document's messages follow the chosen language as well.
    g_bChinese = lang == Language::Chinese;

    CProgramDoc doc;
    QString error;
    if (!doc.OnOpenDocument(files.constFirst(), &error)) {
        QTextStream(stderr) << "radioprog-cli check: " << error << "\n";
        return 2;
    }
    const QList<PlanFinding> findings
        = CheckChannelPlan(doc.m_image, RadioTypeOfImage(doc.m_image), region);
    QTextStream out(stdout);
    if (parser.isSet(jsonOption)) {
        out << FindingsJson(findings, lang);
    } else {
        for (const PlanFinding &f : findings)
            out << FormatFinding(f, lang) << "\n";
    }
    return HasSeverity(findings, PlanSeverity::Error)
            || HasSeverity(findings, PlanSeverity::Warning)
        ? 1
        : 0;
}
