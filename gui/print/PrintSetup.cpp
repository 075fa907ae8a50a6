// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/print/PrintSetup.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrinter>

#include <memory>

namespace {

std::unique_ptr<QPrinter> s_printer;

// The printer talks to the print system, so it must go before the application does.
void releasePrinter()
{
    s_printer.reset();
}

} // namespace

void OnFilePrintSetup(QWidget *parent)
{
    QPageSetupDialog dialog(&SharedPrinter(), parent);
    dialog.exec();
}

QPrinter &SharedPrinter()
{
    if (!s_printer) {
        s_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        qAddPostRoutine(releasePrinter);
    }
    return *s_printer;
}
