// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli import: a channel list (CSV) into the channels of an image. Exit
// status 3 when the image was written but rows of the list were skipped.
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/app/Globals.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/CsvReader.h"
#include "core/channels/GridRefresh.h"
#include "core/document/FileRead.h"
#include "core/document/FileWrite.h"
#include "core/document/ProgramDoc.h"
#include "core/image/MemoryMap.h"
#include "core/settings/UserSettings.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

const cli::Command cli::kImport = { "import", RunImport,
    "import LIST.csv -o OUT.dat [--into BASE.dat] [--by-location | --in-order [--first N]] "
    "[--only-listed]",
    "Imports a channel list (CSV) into the channels of an image, through the same checks as "
    "typing into the grid.",
    false };

int RunImport(const QStringList &args)
{
    QTextStream err(stderr);
    QTextStream out(stdout);
    QCommandLineParser parser;
    const QCommandLineOption output({ QStringLiteral("o"), QStringLiteral("output") },
        QStringLiteral("channel file to write"), QStringLiteral("OUT.dat"));
    const QCommandLineOption into(QStringLiteral("into"),
        QStringLiteral("image whose settings and other channels are kept"),
        QStringLiteral("BASE.dat"));
    const QCommandLineOption byLocation(
        QStringLiteral("by-location"), QStringLiteral("place each row on its Location"));
    const QCommandLineOption inOrder(
        QStringLiteral("in-order"), QStringLiteral("place the rows in file order"));
    const QCommandLineOption first(QStringLiteral("first"),
        QStringLiteral("first channel of --in-order"), QStringLiteral("N"));
    const QCommandLineOption onlyListed(
        QStringLiteral("only-listed"), QStringLiteral("keep the channels the list does not name"));
    parser.addOptions({ output, into, byLocation, inOrder, first, onlyListed });
    parser.addPositionalArgument(QStringLiteral("LIST.csv"), QStringLiteral("channel list"));
    const auto usageError = [](const QString &why) { return cli::UsageError(cli::kImport, why); };
    if (const int status = cli::ParseCommand(parser, cli::kImport, args); status != cli::kGoOn)
        return status;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(files.isEmpty() ? QStringLiteral("no .csv file given")
                                          : QStringLiteral("only one list can be imported"));
    if (!parser.isSet(output) || parser.value(output).isEmpty())
        return usageError(QStringLiteral("no output file given (-o OUT.dat)"));
    if (parser.isSet(byLocation) && parser.isSet(inOrder))
        return usageError(QStringLiteral("--by-location and --in-order exclude each other"));
    ChannelCsvImportOptions options;
    if (parser.isSet(first)) {
        bool ok = false;
        options.firstChannel = parser.value(first).toInt(&ok);
        if (!ok || options.firstChannel < 1 || options.firstChannel > 16)
            return usageError(QStringLiteral("--first must be a channel 1 to 16, not %1")
                                  .arg(parser.value(first)));
        if (parser.isSet(byLocation))
            return usageError(QStringLiteral("--first goes with --in-order, not --by-location"));
    }
    options.placement = parser.isSet(byLocation)       ? CsvPlacement::ByLocation
        : parser.isSet(inOrder) || parser.isSet(first) ? CsvPlacement::InOrder
                                                       : CsvPlacement::Automatic;
    const QString list = files.first();
    const QString target = parser.value(output);
    if (cli::SameFile(list, target)) {
        err << "radioprog-cli import: "
            << LanguageText("the image would overwrite the list %1; choose another output file",
                   "写频文件会覆盖信道表 %1；请另选输出文件")
                   .arg(list)
            << "\n";
        return 2;
    }

    // The base: the given image, or a new one with the user's radio type and band, as
    // "radioprog-cli new" makes it.
    // Found out before anything is read: a folder, a device or a FIFO at the path, a
    // read-only file or folder, a full disk (the same check as "read -o").
    QString reason;
    if (!filewrite::CheckWritable(target, mem::ImageSize, &reason)) {
        err << "radioprog-cli import: "
            << LanguageText("cannot write %1: %2", "无法写入 %1：%2").arg(target, reason) << "\n";
        return 2;
    }
    CProgramDoc doc;
    QString error;
    if (parser.isSet(into)) {
        if (!doc.OnOpenDocument(parser.value(into), &error)) {
            err << "radioprog-cli import: " << error << "\n";
            return 2;
        }
    } else {
        doc.OnNewDocument();
        UserSettings store = UserSettings::forApplication();
        SyncProductChoice(doc.m_image, store, true);
    }

    // Only a regular file is read, as every other command reads: a FIFO would wait for a
    // writer forever. One byte past the limit is enough to know the file is too long.
    const fileread::ReadResult read = fileread::ReadRegularFile(list, CsvLimits().maxBytes + 1);
    if (!read.ok()) {
        const bool opened = read.problem == fileread::ReadProblem::ReadFailed;
        err << "radioprog-cli import: "
            << (opened ? LanguageText("cannot read %1: %2", "无法读取 %1：%2")
                       : LanguageText("cannot open %1: %2", "无法打开 %1：%2"))
                   .arg(list, read.reason)
            << "\n";
        return 2;
    }
    const QByteArray &bytes = read.bytes;
    options.band = ChannelCsvBand(doc.m_image);
    const ChannelCsvImport imported = ReadChannelCsv(bytes, options);
    if (!imported.error.isEmpty()) {
        err << "radioprog-cli import: " << list << ": " << imported.error << "\n";
        return 2;
    }
    out << CsvPlacementText(imported, options.firstChannel) << "\n";
    const MemoryImage after = ApplyChannelCsv(doc.m_image, imported,
        parser.isSet(onlyListed) ? ImportScope::OnlyListed : ImportScope::ReplaceAll);
    // Each row as the grid will show its channel.
    ChannelTable shown;
    ChannelsToTable(after, shown, CurrentLanguage());
    const QStringList columns = GridHeaderTexts(CurrentLanguage());
    for (const ImportedChannel &c : imported.channels) {
        // Named values: a blank cell would otherwise shift every value after it.
        QStringList texts;
        for (int col = ColRx; col < ChannelTable::Cols; ++col)
            texts << QStringLiteral("%1=%2").arg(columns.value(col), shown.text(c.channel, col));
        out << LanguageText("line %1 -> channel %2: %3", "第 %1 行 -> 信道 %2：%3")
                   .arg(c.line)
                   .arg(c.channel)
                   .arg(texts.join(QLatin1String(", ")))
            << "\n";
    }
    for (const ChannelCsvProblem &p : imported.problems)
        err << "radioprog-cli import: " << ChannelCsvProblemText(p) << "\n";
    if (imported.channels.isEmpty()) {
        err << "radioprog-cli import: "
            << LanguageText(
                   "no row could be imported; %1 is not written", "没有可导入的行；未写入 %1")
                   .arg(target)
            << "\n";
        return 2;
    }
    doc.m_image = after;
    if (!doc.OnSaveDocument(target, &error)) {
        err << "radioprog-cli import: " << error << "\n";
        return 2;
    }
    out << LanguageText("Wrote %1 channel(s) to %2", "已将 %1 个信道写入 %2")
               .arg(imported.channels.size())
               .arg(target);
    if (imported.skippedRows() > 0)
        out << LanguageText("; %1 row(s) skipped", "；跳过 %1 行").arg(imported.skippedRows());
    out << "\n";
    // Written, but the list was not taken whole: scripts must be able to tell.
    return imported.problems.isEmpty() ? 0 : 3;
}
