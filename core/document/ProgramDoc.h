// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document: owns the memory image and its .dat file.

#include "core/image/MemoryImage.h"

#include <QObject>
#include <QString>
#include <functional>

class QUndoCommand;
class QUndoStack;

/// Process-wide new-image flag: 1 after a new document, 0 after an open or a read.
extern std::uint8_t g_bNewImage;

/// Owns the only memory image of an open document.
class CProgramDoc : public QObject
{
    Q_OBJECT
public:
    /// An empty document; call OnNewDocument or OnOpenDocument next.
    explicit CProgramDoc(QObject *parent = nullptr);

    /// Fills the defaults, sets the title and path name, sets the new-image flag. Always true.
    bool OnNewDocument();
    /// Reads path, which must be exactly 1024 bytes; on failure error says why and nothing
    /// changes. A file in the backups folder opens as an untitled copy ("Backup of ...").
    bool OnOpenDocument(const QString &path, QString *error = nullptr);
    /// Runs the save hook (grid to image), then writes the 1024 bytes safely.
    bool OnSaveDocument(const QString &path, QString *error = nullptr);

    /// Called first by OnSaveDocument; the document's own view stores its grid here.
    void setSaveHook(std::function<void()> hook) { m_saveHook = std::move(hook); }

    /// Document title: "Channel Information" / "信道信息", the opened file's name, or
    /// "Backup of <date> <time> (<type>)" for a backup.
    QString title() const { return m_title; }
    /// Path name: [Setup] AppName for a new document, the file path after open/save,
    /// empty for a backup (never saved back into the backups folder).
    QString pathName() const { return m_pathName; }
    /// True for a backup opened as an untitled copy, until it is saved under a new name.
    bool isBackupCopy() const { return m_backupCopy; }
    /// True when the image differs from the state it was made, opened or last saved in.
    bool isModified() const;

    /// Pushes one undo step that turns the image into after (undo restores the exact bytes
    /// before) and tells every view; nothing happens when after equals the image.
    void applyImageChange(const MemoryImage &after, const QString &undoText);
    /// Adds the change to after as a child of parent, a larger step the caller pushes.
    void addImageChange(const MemoryImage &after, QUndoCommand *parent);
    /// The document's history; every change of the image is a command on it.
    QUndoStack *undoStack() const;
    /// Marks the present image as the one in the file (a save, an open).
    void markSaved();

public:
    /// The memory image.
    MemoryImage m_image;

Q_SIGNALS:
    /// The image changed through the history (a change, an undo, a redo).
    void imageChanged();
    /// The unsaved-changes state changed.
    void modifiedChanged(bool modified);

private:
    mutable QUndoStack *m_undoStack = nullptr; // made on first use, owned as a child
    QString m_title;
    QString m_pathName;
    bool m_backupCopy = false;
    std::function<void()> m_saveHook;
};
