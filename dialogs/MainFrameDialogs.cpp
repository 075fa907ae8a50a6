// Placeholder until the settings dialogs land.
#include "shell/MainFrame.h"

void CMainFrame::OnProductInfo() {}
void CMainFrame::OnOptionalFeatures() {}
