// Placeholder until the report lands.
#include "print/PrintSetup.h"

#include <QPrinter>

void OnFilePrintSetup(QWidget *) {}
QPrinter &SharedPrinter()
{
    static QPrinter printer;
    return printer;
}
