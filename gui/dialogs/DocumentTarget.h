// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a settings dialog finds its document and view: the ones it was
// pointed at, else the main window's active ones.

#include <QPointer>

class CProgramDoc;
class CProgramView;

/// The document and view a settings dialog works on.
class CDocumentTarget
{
public:
    /// Points the dialog at doc (nullptr: the main window's active document).
    void setDocument(CProgramDoc *doc);
    /// Points the dialog at view (nullptr: the main window's active view).
    void setView(CProgramView *view);
    /// The document to work on, or nullptr when there is none.
    CProgramDoc *document() const;
    /// The view to work on, or nullptr when there is none.
    CProgramView *view() const;

private:
    QPointer<CProgramDoc> m_doc;
    QPointer<CProgramView> m_view;
};
