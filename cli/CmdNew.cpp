// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli new: the image the program saves right after start-up.
#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "core/app/Globals.h"
#include "core/channels/ChannelTable.h"
#include "core/channels/GridRefresh.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/UserSettings.h"

#include <QTextStream>

const cli::Command cli::kNew = { "new", RunNew, "new FILE.dat",
    "Saves the new image the program starts with, with the radio type and band chosen last.",
    false };

int RunNew(const QStringList &args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The file to write."));
    if (const int status = cli::ParseCommand(parser, cli::kNew, args); status != cli::kGoOn)
        return status;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return cli::UsageError(cli::kNew,
            files.isEmpty() ? QStringLiteral("FILE.dat is missing")
                            : QStringLiteral("only one file can be written"));
    const QString file = files.first();
    // The same steps as the program: a new document, the first grid refresh
    // (which takes type and band from the per-user store), then a save that
    // stores the grid into the image first.
    CProgramDoc doc;
    doc.OnNewDocument();
    const Language lang = CurrentLanguage();
    ChannelTable table = ChannelTable::withHeaders(lang);
    UserSettings store = UserSettings::forApplication();
    RefreshGridFromImage(doc.m_image, table, lang, g_bNewImage == 1, store);
    doc.setSaveHook([&doc, &table] { TableToChannels(table, doc.m_image); });

    QString error;
    if (!doc.OnSaveDocument(file, &error)) {
        err << "radioprog-cli new: " << (error.isEmpty() ? file : error) << "\n";
        return 2;
    }
    return 0;
}
