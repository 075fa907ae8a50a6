// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Setup > Options: the protection around Program > Read and Program > Write, per user.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

/// "Read the radio twice and compare", "Back up the radio before writing", "Verify after
/// writing" and the backups folder.
class CWriteOptionsDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CWriteOptionsDlg(QWidget *parent = nullptr);

    /// Loads the stored choices into the boxes.
    void OnInitDialog();
    /// Stores the boxes and closes.
    void OnOK();

    /// The double-read check box.
    QCheckBox *readTwiceBox() const { return m_readTwice; }
    /// The backup check box.
    QCheckBox *backupBox() const { return m_backup; }
    /// The verify check box.
    QCheckBox *verifyBox() const { return m_verify; }
    /// The backups folder shown.
    QLineEdit *folderEdit() const { return m_folder; }
    /// The button that opens the backups folder.
    QPushButton *openFolderButton() const { return m_openFolder; }
    /// The operator name the programming log records.
    QLineEdit *operatorEdit() const { return m_operator; }
    /// The region whose frequency rules the channel check applies (entries in PlanRegion order).
    QComboBox *regionBox() const { return m_region; }

private:
    QCheckBox *m_readTwice;
    QCheckBox *m_backup;
    QCheckBox *m_verify;
    QLineEdit *m_folder;
    QPushButton *m_openFolder;
    QLineEdit *m_operator;
    QComboBox *m_region = nullptr;
};

/// Opens folder in the desktop's file manager, creating it first; reports a failure.
void OpenFolderForUser(QWidget *parent, const QString &folder);
