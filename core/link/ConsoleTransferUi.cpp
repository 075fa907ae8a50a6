// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/ConsoleTransferUi.h"

#include "core/app/Globals.h"
#include "core/app/StringTable.h"
#include "core/link/PosixSerialLine.h"

#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
constexpr int kSignals[] = { SIGINT, SIGTERM, SIGHUP };
struct sigaction g_previous[3];

void onInterrupt(int signo)
{
    // The first signal asks the transfer to stop, which it does within a few
    // milliseconds; a second Ctrl+C (or any second signal) means "now": give the
    // port back with async-signal-safe calls only and end at once.
    if (g_interrupted) {
        ReleaseOpenPortsNow();
        ::_exit(128 + signo);
    }
    g_interrupted = signo;
}

constexpr int kBarWidth = 40;

} // namespace

CConsoleTransferUi::CConsoleTransferUi(const QString &title, int steps, int retries, std::FILE *out)
    : m_title(title)
    , m_baseTitle(title)
    , m_steps(steps)
    , m_retriesLeft(retries)
    , m_out(out)
{
    g_interrupted = 0;
    struct sigaction sa
    {
    };
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    // No SA_RESTART: a signal interrupts the line's poll, which then tests the flag at once.
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &sa, &g_previous[i]);
}

CConsoleTransferUi::~CConsoleTransferUi()
{
    finish();
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
}

int CConsoleTransferUi::interruptingSignal()
{
    return g_interrupted;
}

QString CConsoleTransferUi::barText(const QString &title, int position, int steps)
{
    const int filled = steps > 0 ? position * kBarWidth / steps : 0;
    return QStringLiteral("%1 [%2%3] %4/%5")
        .arg(
            title, QString(filled, QLatin1Char('#')), QString(kBarWidth - filled, QLatin1Char('.')))
        .arg(position, 2)
        .arg(steps);
}

MessageAnswer CConsoleTransferUi::showMessage(int stringId)
{
    return showMessageWithReason(stringId, QString());
}

MessageAnswer CConsoleTransferUi::showMessageWithReason(int stringId, const QString &reason)
{
    finish();
    std::fprintf(m_out, "%s\n", qPrintable(LoadString(stringId)));
    if (!reason.isEmpty())
        std::fprintf(m_out, "%s\n", qPrintable(reason));
    if (stringId != ids::CommError)
        return MessageAnswer::Ok;
    if (m_retriesLeft <= 0)
        return MessageAnswer::Cancel;
    --m_retriesLeft;
    std::fprintf(m_out, "Retrying...\n");
    return MessageAnswer::Retry;
}

void CConsoleTransferUi::stepProgress()
{
    ++m_position;
    // On a terminal the bar redraws in place; in a log only the last state is worth a line.
    if (!::isatty(::fileno(m_out)) && m_position < m_steps)
        return;
    std::fprintf(m_out, "\r%s", qPrintable(barText(m_title, m_position, m_steps)));
    std::fflush(m_out);
    m_barDrawn = true;
}

bool CConsoleTransferUi::pumpAndTest(int passes, int waitMs)
{
    for (int i = 0; i < passes; ++i) {
        if (g_interrupted)
            return true;
        if (waitMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    }
    return false;
}

bool CConsoleTransferUi::isCancelled()
{
    return g_interrupted != 0;
}

void CConsoleTransferUi::addProgressSteps(int steps)
{
    m_steps += steps;
}

bool CConsoleTransferUi::retryAfterFailure()
{
    if (g_interrupted || m_retriesLeft <= 0)
        return false;
    --m_retriesLeft;
    finish();
    std::fprintf(m_out, "Retrying...\n");
    std::fflush(m_out);
    m_position = m_sessionStart;
    return true;
}

void CConsoleTransferUi::beginStep(const QString &label)
{
    finish();
    m_sessionStart = m_position;
    m_title = QStringLiteral("%1: %2").arg(m_baseTitle, label);
    // A log gets a line per session; a terminal sees it in the bar's title.
    if (!::isatty(::fileno(m_out))) {
        std::fprintf(m_out, "%s\n", qPrintable(m_title));
        std::fflush(m_out);
    }
}

bool CConsoleTransferUi::confirmWrite(const QList<ImageDifference> &changes)
{
    finish();
    if (!HasRadioEffect(changes)) {
        std::fprintf(m_out, "%s\n",
            qPrintable(LanguageText("The radio already holds this image; writing it anyway.",
                "对讲机中已是此数据，仍然写入。")));
        for (const ImageDifference &d : changes) // only unused bytes of empty channels
            std::fprintf(m_out, "  %s\n", qPrintable(DifferenceLine(d, CurrentLanguage())));
    } else {
        std::fprintf(m_out, "%s\n",
            qPrintable(
                LanguageText("The write changes in the radio:", "写入将改变对讲机中的以下内容：")));
        for (const ImageDifference &d : changes)
            std::fprintf(m_out, "  %s\n", qPrintable(DifferenceLine(d, CurrentLanguage())));
    }
    std::fflush(m_out);
    return true;
}

void CConsoleTransferUi::finish()
{
    if (!m_barDrawn)
        return;
    std::fputc('\n', m_out);
    std::fflush(m_out);
    m_barDrawn = false;
}
