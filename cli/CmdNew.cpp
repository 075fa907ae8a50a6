// radioprog-cli new FILE.dat: the image the program saves right after start-up.
#include "cli/Commands.h"

#include "doc/ProgramDoc.h"
#include "doc/UserSettings.h"
#include "editor/ChannelTable.h"
#include "editor/GridRefresh.h"
#include "shell/Globals.h"

#include <QTextStream>

int RunNew(const QStringList &args)
{
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        err << "usage: radioprog-cli new FILE.dat\n";
        return 2;
    }
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
    if (!doc.OnSaveDocument(args.first(), &error)) {
        err << "radioprog-cli new: " << (error.isEmpty() ? args.first() : error) << "\n";
        return 2;
    }
    return 0;
}
