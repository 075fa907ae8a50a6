// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a settings dialog finds its document: the one it was pointed at by
// whoever opens it (the view, or the main window for its own dialogs).

#include <QPointer>

class CProgramDoc;

/// The document a settings dialog works on.
class CDocumentTarget
{
public:
    /// Points the dialog at doc (nullptr: none).
    void setDocument(CProgramDoc *doc);
    /// The document to work on, or nullptr when there is none (or it was closed).
    CProgramDoc *document() const;

private:
    QPointer<CProgramDoc> m_doc;
};
