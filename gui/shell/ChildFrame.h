// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document window: one document and its channel grid view.

#include <QMdiSubWindow>

class CProgramDoc;
class CProgramView;

/// A document window; its close box hides it, the document stays alive.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    /// Takes ownership of doc and creates its view (not yet initially updated).
    explicit CChildFrame(CProgramDoc *doc, QWidget *parent = nullptr);
    ~CChildFrame() override;

    /// The document shown in this window.
    CProgramDoc *document() const { return m_pDoc; }
    /// The grid view of the document.
    CProgramView *view() const { return m_pView; }
    /// Title from the document's name, marked while it has unsaved changes.
    void updateTitle();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    CProgramDoc *m_pDoc;
    CProgramView *m_pView;
};
