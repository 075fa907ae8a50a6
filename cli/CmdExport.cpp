// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli export: the used channels as a channel list (CSV).
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/channels/ChannelCsv.h"
#include "core/document/FileWrite.h"
#include "core/document/ProgramDoc.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

const cli::Command cli::kExport = { "export", RunExport, "export FILE.dat -o LIST.csv",
    "Exports the used channels of a .dat file as a channel list (CSV).", false };

int RunExport(const QStringList &args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption output({ QStringLiteral("o"), QStringLiteral("output") },
        QStringLiteral("CSV file to write"), QStringLiteral("LIST.csv"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("channel file"));
    const auto usageError = [](const QString &why) { return cli::UsageError(cli::kExport, why); };
    if (const int status = cli::ParseCommand(parser, cli::kExport, args); status != cli::kGoOn)
        return status;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(files.isEmpty() ? QStringLiteral("no .dat file given")
                                          : QStringLiteral("only one file can be exported"));
    if (!parser.isSet(output) || parser.value(output).isEmpty())
        return usageError(QStringLiteral("no output file given (-o LIST.csv)"));
    const QString in = files.first();
    const QString out = parser.value(output);

    // Writing the list over its own image would destroy the image.
    if (cli::SameFile(in, out)) {
        err << "radioprog-cli export: "
            << LanguageText("the list would overwrite %1; choose another output file",
                   "信道表会覆盖 %1；请另选输出文件")
                   .arg(in)
            << "\n";
        return 2;
    }
    CProgramDoc doc;
    QString error;
    if (!doc.OnOpenDocument(in, &error)) {
        err << "radioprog-cli export: " << error << "\n";
        return 2;
    }
    const ChannelCsvExport list = ExportChannelCsv(doc.m_image, ChannelCsvBand(doc.m_image));
    for (const ChannelCsvProblem &w : list.warnings)
        err << "radioprog-cli export: " << w.text << "\n";
    if (!filewrite::WriteWholeFile(out, list.csv, &error)) {
        err << "radioprog-cli export: "
            << LanguageText("cannot write %1: %2", "无法写入 %1：%2").arg(out, error) << "\n";
        return 2;
    }
    QTextStream(stdout) << LanguageText("Wrote %1 channel(s) to %2", "已将 %1 个信道写入 %2")
                               .arg(list.rows)
                               .arg(out)
                        << "\n";
    return 0;
}
