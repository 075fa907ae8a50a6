// Placeholder until the report lands.
#include "editor/ProgramView.h"

void CProgramView::OnFilePrint() {}
void CProgramView::OnFilePrintPreview() {}
void CProgramView::OnExportPdf() {}
