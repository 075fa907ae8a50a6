#pragma once
// The main window: menus, toolbar, status bar, navigation bar and the MDI area.

#include <QMainWindow>

class CChildFrame;
class CProgramView;
class CProgramDoc;
class COptionalFeaturesDlg;
class CProductInfoDlg;

/// The multiple-document main window.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    /// Creates the frame; the process has one.
    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    /// The main window of the process, or nullptr.
    static CMainFrame *instance();

    /// The active (or only) document window, or nullptr.
    CChildFrame *activeChildFrame() const;
    /// The view of the active document window, or nullptr.
    CProgramView *activeView() const;
    /// The document of the active document window, or nullptr.
    CProgramDoc *activeDocument() const;

    /// Sets the main window caption (g_strTitle is kept by the caller).
    void setCaption(const QString &caption);

public Q_SLOTS:
    /// Edit > Product Information (32786); defined in dialogs/.
    void OnProductInfo();
    /// Edit > Optional Features (32788); defined in dialogs/.
    void OnOptionalFeatures();

private:
    COptionalFeaturesDlg *m_dlgOptionalFeatures = nullptr;
    CProductInfoDlg *m_dlgProductInfo = nullptr;
};
