#pragma once
// The document: owns the memory image and its .dat file.

#include "image/MemoryImage.h"

#include <QObject>
#include <QString>
#include <functional>

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
    /// Reads the first 1024 bytes of path; on failure error says why and nothing changes.
    bool OnOpenDocument(const QString &path, QString *error = nullptr);
    /// Runs the save hook (grid to image), then writes the 1024 bytes safely.
    bool OnSaveDocument(const QString &path, QString *error = nullptr);

    /// Replaces the image by after as one user action named undoText, and refreshes the views
    /// as a read from the radio does. Nothing else (new-image flag, path) changes.
    void applyImageChange(const MemoryImage &after, const QString &undoText);

    /// Called first by OnSaveDocument; the document's own view stores its grid here.
    void setSaveHook(std::function<void()> hook) { m_saveHook = std::move(hook); }

    /// Document title: "Channel Information" / "信道信息", or the opened file's name.
    QString title() const { return m_title; }
    /// Path name: [Setup] AppName for a new document, the file path after open/save.
    QString pathName() const { return m_pathName; }
    /// Never set by this program: edits are not tracked.
    bool isModified() const { return false; }

Q_SIGNALS:
    /// The image was replaced as a whole; views fill their grids from it again.
    void imageChanged();

public:
    /// The memory image.
    MemoryImage m_image;

private:
    QString m_title;
    QString m_pathName;
    std::function<void()> m_saveHook;
};
