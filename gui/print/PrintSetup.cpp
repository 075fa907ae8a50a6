// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/print/PrintSetup.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>

#include <memory>
#include <optional>

namespace {

std::unique_ptr<QPrinter> s_printer;
std::optional<QPageSize> s_chosenPaper; // what the user chose in Print Setup

// The printer talks to the print system, so it must go before the application does.
void releasePrinter()
{
    s_printer.reset();
}

} // namespace

void OnFilePrintSetup(QWidget *parent)
{
    QPageSetupDialog dialog(&SharedPrinter(), parent);
    if (dialog.exec() == QDialog::Accepted)
        s_chosenPaper = SharedPrinter().pageLayout().pageSize();
}

void ApplyChosenPaper(QPrinter &printer)
{
    if (s_chosenPaper && s_chosenPaper->isValid())
        printer.setPageSize(*s_chosenPaper);
}

QPrinter &SharedPrinter()
{
    if (!s_printer) {
        s_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        qAddPostRoutine(releasePrinter);
    }
    return *s_printer;
}
