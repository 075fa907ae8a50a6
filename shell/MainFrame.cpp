// Placeholder until the shell lands; replaced by the real main frame.
#include "shell/MainFrame.h"

namespace {
CMainFrame *s_mainFrame = nullptr;
}

CMainFrame::CMainFrame(QWidget *parent) : QMainWindow(parent) { s_mainFrame = this; }
CMainFrame::~CMainFrame()
{
    if (s_mainFrame == this)
        s_mainFrame = nullptr;
}
CMainFrame *CMainFrame::instance() { return s_mainFrame; }
CChildFrame *CMainFrame::activeChildFrame() const { return nullptr; }
CProgramView *CMainFrame::activeView() const { return nullptr; }
CProgramDoc *CMainFrame::activeDocument() const { return nullptr; }
void CMainFrame::setCaption(const QString &caption) { setWindowTitle(caption); }
