// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-sim: a virtual radio on a pseudo-terminal, for tests, benchmarks
// and demonstrations without a cable.
#include "core/app/Version.h"
#include "core/document/FileRead.h"
#include "core/document/FileWrite.h"
#include "sim/PtyEndpoint.h"
#include "sim/RadioState.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QFile>
#include <QString>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

struct Options
{
    QString image;
    QString save;
    QString link;
    QString log;
    bool pace = false;
    int radios = 0; // 0: one radio for as long as it runs
    RadioFaults faults;
};

const char kUsageLine[] = "usage: radioprog-sim [OPTIONS]";

/// Reads an address: decimal, 0x hexadecimal or 0 octal, 0 to 0xFFFF.
bool parseAddress(const QString &text, int *out)
{
    const QByteArray bytes = text.toLocal8Bit();
    char *end = nullptr;
    errno = 0;
    const long v = std::strtol(bytes.constData(), &end, 0);
    if (errno != 0 || end == bytes.constData() || *end != '\0' || v < 0 || v > 0xFFFF)
        return false;
    *out = static_cast<int>(v);
    return true;
}

/// Reads "ADDR" or "ADDR:N,N,...": an address and the sessions (from 1) it applies to.
bool parseGarble(const QString &text, int *address, std::vector<int> *sessions)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    if (!parseAddress(colon < 0 ? text : text.left(colon), address))
        return false;
    if (colon < 0)
        return true;
    sessions->clear();
    for (const QString &part : text.mid(colon + 1).split(QLatin1Char(','))) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || n < 1)
            return false;
        sessions->push_back(n);
    }
    return true;
}

/// The options of the virtual radio; the value names say what each expects.
struct SimParser
{
    QCommandLineParser parser;
    QCommandLineOption help { { QStringLiteral("h"), QStringLiteral("help") },
        QStringLiteral("Show this help.") };
    QCommandLineOption version { { QStringLiteral("v"), QStringLiteral("version") },
        QStringLiteral("Show the version.") };
    QCommandLineOption image { QStringLiteral("image"),
        QStringLiteral("Start with this 1024-byte image (default: a demo radio)."),
        QStringLiteral("FILE.dat") };
    QCommandLineOption save { QStringLiteral("save"),
        QStringLiteral("Save the radio's memory here when it stops."), QStringLiteral("FILE.dat") };
    QCommandLineOption link { QStringLiteral("link"),
        QStringLiteral("Also offer the port under this fixed name (a symbolic link)."),
        QStringLiteral("PATH") };
    QCommandLineOption log { QStringLiteral("log"),
        QStringLiteral("Log every byte with its time and direction."), QStringLiteral("FILE") };
    QCommandLineOption pace { QStringLiteral("pace"),
        QStringLiteral("Take as long per byte as a real 9600-baud line.") };
    QCommandLineOption radios { QStringLiteral("radios"),
        QStringLiteral("Serve N radios in a row: after each whole write, once the client has "
                       "closed the port, a fresh radio with memory of its own takes its place; "
                       "after the Nth the program ends."),
        QStringLiteral("N") };
    QCommandLineOption silent { QStringLiteral("silent"), QStringLiteral("Fault: never answer.") };
    QCommandLineOption badAck { QStringLiteral("bad-handshake-ack"),
        QStringLiteral("Fault: answer the handshake wrongly.") };
    QCommandLineOption garbage { QStringLiteral("garbage"),
        QStringLiteral("Fault: answer with bytes that make no sense.") };
    QCommandLineOption shortAt { QStringLiteral("short-answer-at"),
        QStringLiteral("Fault: answer the block at ADDR short."), QStringLiteral("ADDR") };
    QCommandLineOption nakAt { QStringLiteral("nak-at"),
        QStringLiteral("Fault: refuse the block at ADDR."), QStringLiteral("ADDR") };
    QCommandLineOption stallAt { QStringLiteral("stall-at"),
        QStringLiteral("Fault: fall silent at the block at ADDR."), QStringLiteral("ADDR") };
    QCommandLineOption hangupAt { QStringLiteral("hangup-at"),
        QStringLiteral("Fault: hang up the line at the block at ADDR."), QStringLiteral("ADDR") };
    QCommandLineOption corruptAt { QStringLiteral("corrupt-at"),
        QStringLiteral("Fault: acknowledge a write at ADDR but store one byte of it wrong."),
        QStringLiteral("ADDR") };
    QCommandLineOption garbleAt { QStringLiteral("garble-at"),
        QStringLiteral("Fault: answer the read of the block at ADDR with 12 random bytes in the "
                       "sessions listed (counted from 1 by handshakes; default 1), as line "
                       "noise would."),
        QStringLiteral("ADDR[:SESSIONS]") };

    SimParser()
    {
        parser.setApplicationDescription(QStringLiteral(
            "A virtual radio on a pseudo-terminal, for tests, demonstrations and benchmarks.\n"
            "Prints the device path of the virtual radio's port on the first line of stdout.\n"
            "ADDR is a memory address, decimal or 0x hexadecimal."));
        parser.addOptions({ help, version, image, save, link, log, pace, radios, silent, badAck,
            garbage, shortAt, nakAt, stallAt, hangupAt, corruptAt, garbleAt });
    }

    QString helpText() const
    {
        // Qt's first line names the executable's path; ours names the program.
        const QString qtHelp = parser.helpText();
        return QString::fromLatin1(kUsageLine) + QLatin1Char('\n')
            + qtHelp.mid(qtHelp.indexOf(QLatin1Char('\n')));
    }
};

/// Parses the command line into o; false with the reason in error.
bool parseOptions(SimParser &p, Options *o, QString *error)
{
    o->image = p.parser.value(p.image);
    o->save = p.parser.value(p.save);
    o->link = p.parser.value(p.link);
    o->log = p.parser.value(p.log);
    o->pace = p.parser.isSet(p.pace);
    if (p.parser.isSet(p.radios)) {
        bool ok = false;
        o->radios = p.parser.value(p.radios).toInt(&ok);
        if (!ok || o->radios < 1) {
            *error = QStringLiteral("--radios needs a number of 1 or more, not \"%1\"")
                         .arg(p.parser.value(p.radios));
            return false;
        }
    }
    o->faults.silent = p.parser.isSet(p.silent);
    o->faults.badHandshakeAck = p.parser.isSet(p.badAck);
    o->faults.garbage = p.parser.isSet(p.garbage);
    const std::pair<const QCommandLineOption *, int *> addresses[] = {
        { &p.shortAt, &o->faults.shortAnswerAt },
        { &p.nakAt, &o->faults.nakAt },
        { &p.stallAt, &o->faults.stallAt },
        { &p.hangupAt, &o->faults.hangupAt },
        { &p.corruptAt, &o->faults.corruptAt },
    };
    for (const auto &[option, into] : addresses) {
        if (p.parser.isSet(*option) && !parseAddress(p.parser.value(*option), into)) {
            *error = QStringLiteral("--%1 needs an address from 0 to 0xFFFF, not \"%2\"")
                         .arg(option->names().constFirst(), p.parser.value(*option));
            return false;
        }
    }
    if (p.parser.isSet(p.garbleAt)
        && !parseGarble(
            p.parser.value(p.garbleAt), &o->faults.garbleAt, &o->faults.garbleSessions)) {
        *error = QStringLiteral("--garble-at needs ADDR or ADDR:SESSIONS such as 0x100:1,3, not "
                                "\"%1\"")
                     .arg(p.parser.value(p.garbleAt));
        return false;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument \"%1\"")
                     .arg(p.parser.positionalArguments().constFirst());
        return false;
    }
    return true;
}

/// Byte log: milliseconds since start, direction, byte in hex.
class ByteLog
{
public:
    explicit ByteLog(const QString &path)
        : m_start(Clock::now())
    {
        if (!path.isEmpty())
            m_file = std::fopen(QFile::encodeName(path).constData(), "w");
    }
    ~ByteLog()
    {
        if (m_file)
            std::fclose(m_file);
    }
    void record(const char *direction, std::uint8_t b)
    {
        if (!m_file)
            return;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - m_start).count();
        std::fprintf(m_file, "%10.3f %s %02X\n", ms, direction, b);
    }
    void flush()
    {
        if (m_file)
            std::fflush(m_file);
    }
    /// False when a log was asked for but its file could not be created.
    bool usable(const QString &path) const { return path.isEmpty() || m_file; }

private:
    Clock::time_point m_start;
    std::FILE *m_file = nullptr;
};

/// One byte at 9600 baud with start and stop bit.
constexpr std::chrono::nanoseconds kByteTime(1041667);

/// Writes the radio's memory to path (none when empty); false, told on stderr, when it failed.
bool saveMemory(const QString &path, const MemoryImage &memory)
{
    if (path.isEmpty())
        return true;
    QString reason;
    if (filewrite::WriteWholeFile(path, memory.toByteArray(), &reason))
        return true;
    std::fprintf(
        stderr, "radioprog-sim: cannot save %s: %s\n", qPrintable(path), qPrintable(reason));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    SimParser p;
    const bool parsed = p.parser.parse(args);
    // Asked for help or the version, nothing else on the line matters and no radio starts.
    if (p.parser.isSet(p.help)) {
        std::fputs(qPrintable(p.helpText()), stdout);
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        std::printf("radioprog-sim %s\n", qPrintable(ProgramVersion()));
        return 0;
    }
    Options options;
    QString error;
    if (!parsed) {
        const QStringList unknown = p.parser.unknownOptionNames();
        error = unknown.isEmpty()
            ? p.parser.errorText()
            : QStringLiteral("unknown option %1%2")
                  .arg(unknown.first().size() == 1 ? "-" : "--", unknown.first());
    }
    if (!parsed || !parseOptions(p, &options, &error)) {
        std::fprintf(stderr, "radioprog-sim: %s\n%s\nTry 'radioprog-sim --help' for more.\n",
            qPrintable(error), kUsageLine);
        return 2;
    }

    MemoryImage memory = DemoRadioImage();
    if (!options.image.isEmpty()) {
        const fileread::ReadResult read = fileread::ReadExactFile(options.image, mem::ImageSize);
        if (!read.ok() || !MemoryImage::fromBytes(read.bytes, &memory)) {
            std::fprintf(stderr, "radioprog-sim: cannot read a 1024-byte image from %s%s%s\n",
                qPrintable(options.image), read.ok() ? "" : ": ", qPrintable(read.reason));
            return 2;
        }
    }

    // A test that asked for a byte log must not run on without one.
    ByteLog log(options.log);
    if (!log.usable(options.log)) {
        std::fprintf(stderr, "radioprog-sim: cannot write the log %s\n", qPrintable(options.log));
        return 2;
    }

    CPtyEndpoint pty;
    if (!pty.open()) {
        std::perror("radioprog-sim: pseudo-terminal");
        return 1;
    }
    const QByteArray linkPath = QFile::encodeName(options.link);
    if (!options.link.isEmpty()) {
        struct stat st
        {
        };
        if (::lstat(linkPath.constData(), &st) == 0 && S_ISLNK(st.st_mode))
            ::unlink(linkPath.constData());
        if (::symlink(QFile::encodeName(pty.slavePath()).constData(), linkPath.constData()) != 0)
            std::perror("radioprog-sim: --link");
    }
    std::printf("%s\n", qPrintable(pty.slavePath()));
    std::fflush(stdout);

    struct sigaction sa
    {
    };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    // Byte timing at 9600 baud needs sleeps that end on time, not up to 50 us late.
    if (options.pace)
        ::prctl(PR_SET_TIMERSLACK, 1UL);
    CRadioState radio(memory, options.faults);
    Clock::time_point lastActivity = Clock::now();
    Clock::time_point rxLine = Clock::now();
    Clock::time_point txLine = Clock::now();
    bool dead = false;
    int served = 0;
    std::uint32_t seed = static_cast<std::uint32_t>(::getpid()) * 2654435761u;
    // The radio holds its port's slave side open itself, so a client's close shows no
    // hang-up on the master; the system tells it instead, in order with the next client.
    const int closes = options.radios > 0 ? ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC) : -1;
    if (closes >= 0
        && ::inotify_add_watch(
               closes, QFile::encodeName(pty.slavePath()).constData(), IN_CLOSE_WRITE)
            < 0) {
        std::perror("radioprog-sim: --radios");
        return 1;
    }
    // The client has let go of the port: with --radios, a radio that took a whole write
    // is done and the next one (or the end) comes.
    auto clientGone = [&] {
        if (options.radios == 0 || !radio.lastByteWritten())
            return;
        ++served;
        std::fprintf(stderr, "radioprog-sim: radio %d of %d done\n", served, options.radios);
        if (served >= options.radios) {
            g_stop = 1;
            return;
        }
        seed = seed * 1664525u + 1013904223u;
        radio = CRadioState(FreshRadioImage(seed), options.faults);
    };

    while (!g_stop && !dead) {
        pollfd fds[2] = { { pty.masterFd(), POLLIN, 0 }, { closes, POLLIN, 0 } };
        const int pr = ::poll(fds, closes >= 0 ? 2 : 1, 200);
        if (pr < 0 && errno != EINTR)
            break;
        if (closes >= 0 && (fds[1].revents & POLLIN)) {
            alignas(inotify_event) char events[4096];
            while (::read(closes, events, sizeof events) > 0) { }
            clientGone();
            if (g_stop)
                break;
        }
        const pollfd &p = fds[0];
        if (pr <= 0) {
            // A client that went quiet for long has gone; the next starts afresh.
            if (Clock::now() - lastActivity > std::chrono::seconds(2))
                radio.reset();
            continue;
        }
        if (!(p.revents & POLLIN)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        unsigned char chunk[256];
        const ssize_t got = ::read(pty.masterFd(), chunk, sizeof chunk);
        if (got <= 0) {
            if (got < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            // No client holds the port (EIO on the master): wait for the next one.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        lastActivity = Clock::now();
        for (ssize_t i = 0; i < got && !dead; ++i) {
            if (options.pace) {
                // Back to back within a chunk: the line clock runs on from the
                // previous byte, so scheduling delays do not add up.
                rxLine = (i == 0 ? std::max(rxLine, Clock::now()) : rxLine) + kByteTime;
                std::this_thread::sleep_until(rxLine);
            }
            log.record("RX", chunk[i]);
            const RadioReply reply = radio.receive(chunk[i]);
            if (reply.hangup) {
                dead = true;
                pty.hangup();
                break;
            }
            if (reply.bytes.empty())
                continue;
            if (reply.delayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
            if (options.pace) {
                txLine = std::max(txLine, Clock::now());
                for (std::uint8_t b : reply.bytes) {
                    txLine += kByteTime;
                    std::this_thread::sleep_until(txLine);
                    pty.send(&b, 1);
                    log.record("TX", b);
                }
            } else {
                pty.send(reply.bytes.data(), static_cast<int>(reply.bytes.size()));
                for (std::uint8_t b : reply.bytes)
                    log.record("TX", b);
            }
        }
        log.flush();
    }

    if (closes >= 0)
        ::close(closes);
    log.flush();
    const bool saved = saveMemory(options.save, radio.memory());
    if (!options.link.isEmpty())
        ::unlink(linkPath.constData());
    return saved ? 0 : 2;
}
