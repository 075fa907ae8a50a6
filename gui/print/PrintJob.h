// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A printing sent to a print queue: its name, its paper, and whether the queue took it.

#include <QString>

class QPrinter;

/// Readies printer, after its print dialog, for a job named jobName: the job gets the
/// document's name and the paper chosen in Print Setup, which the dialog may have reset.
void PreparePrintJob(QPrinter &printer, const QString &jobName);

/// Watches one printing to a CUPS queue: made before the painter begins, asked after it ended.
class PrintJobWatch
{
public:
    /// Notes the newest job of printer's queue (nothing for a printing to a file).
    explicit PrintJobWatch(const QPrinter &printer);
    /// Empty when the queue took the job named jobName; else why not, in the OS's words.
    QString failure() const;

private:
    bool m_queue = false; ///< Printing goes to a CUPS queue, not to a file.
    QString m_queueName;
    QString m_jobName;
    int m_lastJobBefore = 0;
};
