// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer's face on a terminal: a progress bar and the messages on
// stderr, Ctrl+C (and SIGTERM, SIGHUP) as the Cancel button, and a fixed
// number of automatic retries, shared by failed handshakes and failed sessions.

#include "core/link/TransferUi.h"

#include <QString>
#include <cstdio>

/// Transfer UI of the command-line tool.
class CConsoleTransferUi : public CTransferUi
{
public:
    /// Shows title and steps progress steps on out; answers Retry to 61451 retries times.
    CConsoleTransferUi(const QString &title, int steps, int retries, std::FILE *out = stderr);
    /// Restores the previous handling of SIGINT, SIGTERM and SIGHUP.
    ~CConsoleTransferUi() override;
    CConsoleTransferUi(const CConsoleTransferUi &) = delete;
    CConsoleTransferUi &operator=(const CConsoleTransferUi &) = delete;

    /// Prints the text of the message; Retry while retries remain, else Cancel.
    MessageAnswer showMessage(int stringId) override;
    /// Redraws the bar one step further.
    void stepProgress() override;
    /// Prints the text of the message and the reason beneath it; answers as showMessage.
    MessageAnswer showMessageWithReason(int stringId, const QString &reason) override;
    /// Sleeps the passes' waits and tests for Ctrl+C.
    bool pumpAndTest(int passes, int waitMs) override;
    /// True once SIGINT, SIGTERM or SIGHUP arrived (a second one ends the process at once).
    bool isCancelled() override;
    /// The signal that cancelled the transfer, 0 when none did.
    static int interruptingSignal();
    /// Names the session that starts; the bar runs on over all sessions.
    void beginStep(const QString &label) override;
    /// Lengthens the bar by steps.
    void addProgressSteps(int steps) override;
    /// While retries remain (and no signal came): says so, takes the bar back to where the
    /// failed session began and answers true.
    bool retryAfterFailure() override;
    /// Prints what the write changes (in the running language) and goes on: a script has
    /// chosen to write when it ran the command.
    bool confirmWrite(const QList<ImageDifference> &changes) override;

    /// Ends the bar's line, if one was drawn.
    void finish();
    /// Steps shown so far.
    int position() const { return m_position; }
    /// The bar as drawn for a position: "Read Data [#####.....]  5/63".
    static QString barText(const QString &title, int position, int steps);

private:
    QString m_title;
    QString m_baseTitle;
    int m_steps;
    int m_retriesLeft;
    int m_position = 0;
    int m_sessionStart = 0; // position when the running session began
    bool m_barDrawn = false;
    std::FILE *m_out;
};
