// SPDX-License-Identifier: GPL-3.0-or-later
// The document's history: every change of the image is one command on its
// undo stack, and the unsaved-changes state is the stack's clean state.
#include "core/document/ProgramDoc.h"

#include <QUndoCommand>
#include <QUndoStack>

/// One change of the whole image: both states are kept, so undo restores
/// every byte (preserved bits and scan-add bits included).
class ImageChangeCommand : public QUndoCommand
{
public:
    ImageChangeCommand(CProgramDoc *doc, const MemoryImage &before, const MemoryImage &after,
        const QString &text, QUndoCommand *parent = nullptr)
        : QUndoCommand(text, parent)
        , m_doc(doc)
        , m_before(before)
        , m_after(after)
    {
    }

    void undo() override { set(m_before); }
    void redo() override { set(m_after); }

private:
    void set(const MemoryImage &image)
    {
        m_doc->m_image = image;
        Q_EMIT m_doc->imageChanged();
    }

    CProgramDoc *m_doc;
    MemoryImage m_before;
    MemoryImage m_after;
};

QUndoStack *CProgramDoc::undoStack() const
{
    if (!m_undoStack) {
        auto *self = const_cast<CProgramDoc *>(this);
        m_undoStack = new QUndoStack(self);
        QObject::connect(m_undoStack, &QUndoStack::cleanChanged, self,
            [self](bool clean) { Q_EMIT self->modifiedChanged(!clean); });
    }
    return m_undoStack;
}

bool CProgramDoc::isModified() const
{
    return m_undoStack && !m_undoStack->isClean();
}

void CProgramDoc::applyImageChange(const MemoryImage &after, const QString &undoText)
{
    if (after == m_image)
        return;
    // push() runs redo(), which stores the image and tells the views.
    undoStack()->push(new ImageChangeCommand(this, m_image, after, undoText));
}

void CProgramDoc::addImageChange(const MemoryImage &after, QUndoCommand *parent)
{
    // Owned by parent; it stores the image when the parent is pushed.
    new ImageChangeCommand(this, m_image, after, QString(), parent);
}

void CProgramDoc::markSaved()
{
    undoStack()->setClean();
}
