// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program > Backups...: the radio backups made before writes, newest first;
// one opens as a document in a window of its own.

#include "core/document/BackupStore.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

/// Lists the backups folder: date, radio type, file.
class CBackupsDlg : public QDialog
{
    Q_OBJECT
public:
    /// The backups of folder.
    explicit CBackupsDlg(const QString &folder, QWidget *parent = nullptr);

    /// Fills the list from the folder again.
    void refresh();
    /// Asks for the selected backup to be opened as a document (openBackupRequested); true when
    /// that closed the list, false when none is selected or it could not be opened.
    bool openSelected();

    /// The list (one row per backup).
    QTreeWidget *list() const { return m_list; }
    /// The Open button.
    QPushButton *openButton() const { return m_open; }

Q_SIGNALS:
    /// The user chose the backup at path to open as a document; whoever opens it closes the
    /// list with accept() once it is open (a file that cannot be read leaves the list open).
    void openBackupRequested(const QString &path);

private:
    QString m_folder;
    QList<BackupEntry> m_entries;
    QTreeWidget *m_list;
    QPushButton *m_open;
};
