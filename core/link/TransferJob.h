// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transfer that runs by itself: its procedure (one clone session, or
// several in a row) runs on a thread of its own, and what it has to tell or
// ask its window arrives as queued signals on the thread that owns the job.
// The window's thread never waits for the radio and runs no loop of its own,
// so several transfers on different ports can run at once.

#include "core/link/TransferUi.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

/// A procedure that talks to the radio, watched only through its transfer UI.
using TransferProcedure = std::function<void(CTransferUi &)>;

/// One transfer on its own worker thread, reporting by signals on its owner's thread.
class CTransferJob : public QObject
{
    Q_OBJECT
public:
    /// A job that will run procedure; it keeps no reference to anything but what procedure holds.
    explicit CTransferJob(TransferProcedure procedure, QObject *parent = nullptr);
    /// Cancels a running procedure and waits until its thread has ended (milliseconds).
    ~CTransferJob() override;
    CTransferJob(const CTransferJob &) = delete;
    CTransferJob &operator=(const CTransferJob &) = delete;

    /// Starts the procedure and returns at once; a job runs once.
    void start();
    /// True from start() until finished has been emitted.
    bool isRunning() const { return m_running; }
    /// True once cancel() was called; the procedure and its line's waits see it at once.
    bool isCancelled() const { return m_cancel.load(); }
    /// Stops the procedure where it waits; a question pending (or asked later) is answered Cancel.
    void cancel();
    /// Answers the question of messageAsked; ignored when none is pending.
    void answer(MessageAnswer answer);
    /// Answers writeConfirmAsked: true writes, false stops before the write.
    void answerConfirm(bool write);

Q_SIGNALS:
    /// The progress advanced one step.
    void progressStepped();
    /// A session of several starts, labelled like "Backup 1/3".
    void stepBegun(const QString &label);
    /// The progress grows by steps (a session not counted at the start).
    void progressExtended(int steps);
    /// Message stringId (with reason beneath it when not empty) waits for answer().
    void messageAsked(int stringId, const QString &reason);
    /// The write's changes (empty: nothing) wait for answerConfirm().
    void writeConfirmAsked(const QList<ImageDifference> &changes);
    /// The procedure has returned and its thread has ended; always the last signal of a run.
    void finished();

private:
    class WorkerUi;
    friend class WorkerUi;

    /// Runs emitter on the owner's thread, after everything posted before it.
    void post(std::function<void()> emitter);
    /// Posts question and waits on the worker until it is answered or the job cancelled.
    MessageAnswer ask(std::function<void()> question);
    /// True while the question numbered id waits for its answer.
    bool isPending(quint64 id);

    TransferProcedure m_procedure;
    std::unique_ptr<WorkerUi> m_ui;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancel { false };
    bool m_running = false;

    std::mutex m_mutex;
    std::condition_variable m_answered;
    quint64 m_lastQuestion = 0; // number of the latest question
    quint64 m_pending = 0; // number of the question waiting, 0 when none
    bool m_hasAnswer = false;
    MessageAnswer m_answer = MessageAnswer::Cancel;
};
