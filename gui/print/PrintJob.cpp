// SPDX-License-Identifier: GPL-3.0-or-later
// Qt hands the finished pages to CUPS and drops CUPS's answer, so a refused job looked
// like a printed one; the answer is asked for here, once the pages are sent.
#include "gui/print/PrintJob.h"

#include "core/app/Language.h"
#include "gui/print/PrintSetup.h"

#include <QLibrary>
#include <QPrinter>

#include <cups/cups.h>

namespace {

// libcups is loaded at the first printing, not at start-up: linked, it and its
// dependencies would lengthen every start. Qt's print plugin has it loaded by then.
struct Cups
{
    decltype(&cupsGetJobs2) getJobs = nullptr;
    decltype(&cupsFreeJobs) freeJobs = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;

    bool loaded() const { return getJobs && freeJobs && lastError && lastErrorString; }
    /// The last answer of CUPS on this thread when it was a failure; else empty.
    QString failure() const
    {
        return lastError() > IPP_STATUS_OK_EVENTS_COMPLETE ? QString::fromUtf8(lastErrorString())
                                                           : QString();
    }

    static const Cups &get()
    {
        static const Cups cups = [] {
            Cups c;
            QLibrary library(QStringLiteral("cups"), 2);
            if (!library.load())
                return c;
            c.getJobs = reinterpret_cast<decltype(&cupsGetJobs2)>(library.resolve("cupsGetJobs2"));
            c.freeJobs = reinterpret_cast<decltype(&cupsFreeJobs)>(library.resolve("cupsFreeJobs"));
            c.lastError
                = reinterpret_cast<decltype(&cupsLastError)>(library.resolve("cupsLastError"));
            c.lastErrorString = reinterpret_cast<decltype(&cupsLastErrorString)>(
                library.resolve("cupsLastErrorString"));
            return c;
        }();
        return cups;
    }
};

// The job ids of queue, newest first is not promised: the largest id is the newest.
int NewestJobId(const QString &queue, const QString &title, int after)
{
    const Cups &cups = Cups::get();
    cups_job_t *jobs = nullptr;
    const int count = cups.getJobs(
        CUPS_HTTP_DEFAULT, &jobs, queue.toLocal8Bit().constData(), 0, CUPS_WHICHJOBS_ALL);
    int newest = count < 0 ? -1 : 0;
    for (int i = 0; i < count; ++i) {
        const bool named = title.isNull() || QString::fromUtf8(jobs[i].title) == title;
        if (jobs[i].id > after && named && jobs[i].id > newest
            && jobs[i].state != IPP_JSTATE_ABORTED)
            newest = jobs[i].id;
    }
    cups.freeJobs(count, jobs);
    return newest;
}

} // namespace

void PreparePrintJob(QPrinter &printer, const QString &jobName)
{
    printer.setDocName(jobName);
    ApplyChosenPaper(printer);
}

PrintJobWatch::PrintJobWatch(const QPrinter &printer)
    : m_queue(printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty()
        && !printer.printerName().isEmpty())
    , m_queueName(printer.printerName().section(QLatin1Char('/'), 0, 0))
    , m_jobName(printer.docName())
{
    // Without libcups Qt cannot print to a queue either; nothing to watch.
    m_queue = m_queue && Cups::get().loaded();
    if (m_queue)
        m_lastJobBefore = qMax(0, NewestJobId(m_queueName, QString(), 0));
}

QString PrintJobWatch::failure() const
{
    if (!m_queue)
        return QString();
    // The last answer of CUPS on this thread is the one to Qt's sending of the job.
    const Cups &cups = Cups::get();
    if (const QString refused = cups.failure(); !refused.isEmpty())
        return refused;
    if (NewestJobId(m_queueName, m_jobName, m_lastJobBefore) > 0)
        return QString();
    if (const QString lost = cups.failure(); !lost.isEmpty())
        return lost;
    return LanguageText("The print queue %1 did not take the job.", "打印队列 %1 没有接受此任务。")
        .arg(m_queueName);
}
