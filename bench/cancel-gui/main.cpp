// SPDX-License-Identifier: GPL-3.0-or-later
// Cancel latency of a transfer in the real Process window (offscreen): a read
// from the virtual radio is cancelled at random moments while the radio is
// silent or stalled, and the time from the Cancel click until the transfer has
// ended (the window hides) is measured; so is the longest pause of the window's
// event handling meanwhile.
//   bench_cancel_gui BUILD_DIR [RUNS]
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/settings/IniFile.h"
#include "gui/shell/Help.h"
#include "gui/shell/MessageBox.h"
#include "gui/transfer/ProcessDlg.h"
#include "gui/view/ProgramView.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

class HideWatch : public QObject
{
public:
    QElapsedTimer *clock = nullptr;
    qint64 hiddenAt = -1;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && hiddenAt < 0)
            hiddenAt = clock->nsecsElapsed();
        return false;
    }
};

struct Sample
{
    double latencyMs;
    double longestGapMs;
};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5));
    return v[i];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_cancel_gui BUILD_DIR [RUNS]\n");
        return 2;
    }
    const QString build = args.at(1);
    const int runs = args.size() > 2 ? args.at(2).toInt() : 20;
    QStandardPaths::setTestModeEnabled(true);
    SetHelpWindowSuppressed(true);
    int messages = 0;
    SetMessageHook([&messages](const ShownMessage &) {
        ++messages;
        return QMessageBox::Cancel;
    });
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Program.ini"));
    QFile::copy(build + QStringLiteral("/Program.ini"), ini);
    QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
    theIniFile.Open(ini, false, true, false);
    g_strAppDir = dir.path() + QLatin1Char('/');

    std::printf("%-22s %5s %10s %10s %10s %14s  %s\n", "radio", "runs", "median ms", "p95 ms",
        "max ms", "longest gap ms", "goal");
    int failures = 0;
    const QList<QStringList> radios { { QStringLiteral("--silent") },
        { QStringLiteral("--stall-at"), QStringLiteral("0x100") } };
    for (const QStringList &radio : radios) {
        QProcess sim;
        sim.start(build + QStringLiteral("/radioprog-sim"), radio);
        sim.waitForStarted();
        while (!sim.canReadLine() && sim.waitForReadyRead(5000)) { }
        const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
        std::vector<Sample> samples;
        for (int i = 0; i < runs; ++i) {
            CProgramDoc doc;
            doc.OnNewDocument();
            auto view = std::make_unique<CProgramView>(&doc);
            view->OnInitialUpdate();
            view->m_strPort = port;
            view->OnRead();
            CProcessDlg *dlg = view->m_pProcessDlg;
            QElapsedTimer clock;
            clock.start();
            HideWatch watch;
            watch.clock = &clock;
            dlg->window()->installEventFilter(&watch);
            qint64 last = 0;
            qint64 longestGap = 0;
            qint64 clickedAt = -1;
            QTimer tick;
            QObject::connect(&tick, &QTimer::timeout, [&] {
                longestGap = std::max(longestGap, clock.nsecsElapsed() - last);
                last = clock.nsecsElapsed();
            });
            tick.start(5);
            // Anywhere in the first seconds: inside the handshake's or a block's long read.
            const int delay = 200 + QRandomGenerator::global()->bounded(2800);
            QTimer::singleShot(delay, [&] {
                clickedAt = clock.nsecsElapsed();
                dlg->OnCancel();
            });
            dlg->OnOK();
            while (watch.hiddenAt < 0)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            tick.stop();
            if (clickedAt < 0) {
                ++failures;
                continue;
            }
            samples.push_back({ (watch.hiddenAt - clickedAt) / 1e6, longestGap / 1e6 });
            view.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        sim.terminate();
        sim.waitForFinished(3000);
        std::vector<double> lat;
        std::vector<double> gaps;
        for (const Sample &s : samples) {
            lat.push_back(s.latencyMs);
            gaps.push_back(s.longestGapMs);
        }
        if (lat.empty())
            continue;
        std::printf("%-22s %5zu %10.1f %10.1f %10.1f %14.1f  %s\n", qPrintable(radio.join(' ')),
            lat.size(), percentile(lat, 0.5), percentile(lat, 0.95), percentile(lat, 1.0),
            percentile(gaps, 1.0), "max < 100");
        if (percentile(lat, 1.0) >= 100)
            ++failures;
    }
    if (messages > 0)
        std::printf("unexpected messages: %d\n", messages);
    return failures == 0 && messages == 0 ? 0 : 1;
}
