// Placeholder until the settings dialogs land.
#include "editor/ProgramView.h"

void CProgramView::OnScanInfo() {}
void CProgramView::OnComSetup() {}
void CProgramView::OnLanguage() {}
