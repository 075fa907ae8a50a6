// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program > Programming Log...: every write into a radio, newest first, with
// a text and date filter; opens a record's backup, exports or prints the rows
// shown.

#include "core/log/ProgrammingLog.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

/// The Programming Log window.
class CProgrammingLogDlg : public QDialog
{
    Q_OBJECT
public:
    /// The log at path.
    explicit CProgrammingLogDlg(const QString &path, QWidget *parent = nullptr);

    /// The records shown, in the order shown (newest first, filtered).
    const QList<ProgrammingRecord> &shown() const { return m_shown; }
    /// Sets the text filter (as typed into the Find box).
    void setFilterText(const QString &text);
    /// Shows only records from day on (an invalid date shows all).
    void setFromDate(const QDate &day);
    /// Writes the shown rows as CSV to path; false with the reason in error.
    bool exportCsv(const QString &path, QString *error);

Q_SIGNALS:
    /// The user asked to open the backup of a record.
    void openBackupRequested(const QString &path);

private:
    void reload();
    void applyFilter();
    void openBackup();
    void exportAsked();
    void printAsked();

    QString m_path;
    QList<ProgrammingRecord> m_all;
    QList<ProgrammingRecord> m_shown;
    QLineEdit *m_find;
    QCheckBox *m_fromOn;
    QDateEdit *m_from;
    QTableWidget *m_table;
    QLabel *m_notes;
    QPushButton *m_openBackup;
};
