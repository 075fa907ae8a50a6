// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program > Backups...: the radio backups made before writes, newest first;
// one opens as a document in a window of its own.

#include "core/document/BackupStore.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

/// Help context (and command id) of Program > Backups...
constexpr int BackupsCommand = 32862;

/// Lists the backups folder: date, radio type, file.
class CBackupsDlg : public QDialog
{
    Q_OBJECT
public:
    /// The backups of folder.
    explicit CBackupsDlg(const QString &folder, QWidget *parent = nullptr);

    /// Fills the list from the folder again.
    void refresh();
    /// Opens the selected backup as a document and closes; false when none is selected.
    bool openSelected();

    /// The list (one row per backup).
    QTreeWidget *list() const { return m_list; }
    /// The Open button.
    QPushButton *openButton() const { return m_open; }

private:
    QString m_folder;
    QList<BackupEntry> m_entries;
    QTreeWidget *m_list;
    QPushButton *m_open;
};

/// Opens path as a document in a new window beside the open ones; reports a failure.
bool OpenBackupDocument(const QString &path);
