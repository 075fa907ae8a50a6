// Placeholder until the radio link lands.
#include "editor/ProgramView.h"

void CProgramView::OnRead() {}
void CProgramView::OnWrite() {}
void CProgramView::OnTransfer() {}
bool CProgramView::isTransferRunning() const { return m_bTransferRunning; }
void CProgramView::cancelTransferAndWait() {}
