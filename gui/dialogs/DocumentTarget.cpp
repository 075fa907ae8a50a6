// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DocumentTarget.h"

#include "core/document/ProgramDoc.h"

void CDocumentTarget::setDocument(CProgramDoc *doc)
{
    m_doc = doc;
}

CProgramDoc *CDocumentTarget::document() const
{
    return m_doc;
}
