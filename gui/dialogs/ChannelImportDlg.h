// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Preview of a channel list before it is imported: which row goes to which
// channel, the rows that are skipped and why, and whether the channels the
// list does not name are emptied or kept. Every decision is ChannelCsv's.

#include "core/channels/ChannelCsv.h"

#include <QDialog>

class CPlanFindingsList;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QPushButton;

/// The Import Channels preview.
class CChannelImportDlg : public QDialog
{
    Q_OBJECT
public:
    /// Preview of the list bytes (read from fileName) over base, checked against band.
    CChannelImportDlg(const QByteArray &bytes, const QString &fileName, const MemoryImage &base,
        const BandLimits &band, QWidget *parent = nullptr);

    /// The list as read with the placement now chosen.
    const ChannelCsvImport &import() const { return m_import; }
    /// Replace all channels, or only those of the file.
    ImportScope scope() const;
    /// The image the import makes.
    MemoryImage after() const;

private:
    void reread();
    void fillPreview();

    QByteArray m_bytes;
    MemoryImage m_base;
    BandLimits m_band;
    ChannelCsvImport m_import;
    QComboBox *m_placement = nullptr;
    QSpinBox *m_first = nullptr;
    QLabel *m_rule = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_problemsLabel = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    QRadioButton *m_replaceAll = nullptr;
    QRadioButton *m_onlyListed = nullptr;
    QPushButton *m_ok = nullptr;
    // The channel check of the image the import makes.
    QLabel *m_findingsLabel = nullptr;
    CPlanFindingsList *m_findings = nullptr;
    void fillFindings();
};
