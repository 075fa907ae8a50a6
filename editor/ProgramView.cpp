// Placeholder until the grid lands.
#include "editor/ProgramView.h"

#include "doc/ProgramDoc.h"

#include <QTableWidget>

CProgramView::CProgramView(CProgramDoc *doc, QWidget *parent) : QWidget(parent), m_pDoc(doc) {}
CProgramView::~CProgramView() = default;
void CProgramView::OnInitialUpdate() {}
void CProgramView::ImageToGrid() {}
void CProgramView::GridToImage() {}
bool CProgramView::CommitCellEditor() { return false; }
ChannelTable CProgramView::table() const { return ChannelTable(); }
QTableWidget *CProgramView::grid() const { return m_grid; }
bool CProgramView::eventFilter(QObject *watched, QEvent *event) { return QWidget::eventFilter(watched, event); }
