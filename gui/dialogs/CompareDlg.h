// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compare window: what differs between two images, field by field, in
// the user's language. Before a write it asks Write / Cancel; for
// File > Compare With... it only shows.

#include "core/document/ImageCompare.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTreeWidget;

/// Lists differences; in the write mode its Write button accepts.
class CCompareDlg : public QDialog
{
    Q_OBJECT
public:
    /// Before a write: the radio's values against what the write puts there.
    static CCompareDlg *forWrite(const QList<ImageDifference> &changes, QWidget *parent);
    /// Between the document (titled docName) and another file (otherName).
    static CCompareDlg *forFiles(const QList<ImageDifference> &differences, const QString &docName,
        const QString &otherName, QWidget *parent);

    /// The list shown.
    QTreeWidget *list() const { return m_list; }
    /// The text above the list.
    QLabel *summary() const { return m_summary; }
    /// Write / Write anyway (write mode), or nullptr.
    QPushButton *writeButton() const { return m_write; }

private:
    CCompareDlg(const QList<ImageDifference> &differences, const QString &columnA,
        const QString &columnB, QWidget *parent);

    QLabel *m_summary = nullptr;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_write = nullptr;
    QPushButton *m_close = nullptr;
};

