// radioprog-sim: a virtual radio on a pseudo-terminal, for tests, benchmarks
// and demonstrations without a cable.
#include "sim/PtyEndpoint.h"
#include "sim/RadioState.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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
    RadioFaults faults;
};

const char kUsage[]
    = "usage: radioprog-sim [--image FILE.dat] [--save FILE.dat] [--link PATH] [--log FILE]\n"
      "                     [--pace] [--silent] [--bad-handshake-ack] [--garbage]\n"
      "                     [--short-answer-at ADDR] [--nak-at ADDR] [--stall-at ADDR]\n"
      "                     [--hangup-at ADDR] [--corrupt-at ADDR]\n"
      "Prints the device path of the virtual radio's port on the first line of stdout.\n";

bool parseAddress(const char *text, int *out)
{
    char *end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 0);
    if (errno != 0 || end == text || *end != '\0' || v < 0 || v > 0xFFFF)
        return false;
    *out = static_cast<int>(v);
    return true;
}

bool parseOptions(int argc, char **argv, Options *o)
{
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        const bool hasValue = i + 1 < argc;
        auto text = [&](QString *dst) {
            if (!hasValue)
                return false;
            *dst = QString::fromLocal8Bit(argv[++i]);
            return true;
        };
        auto address = [&](int *dst) { return hasValue && parseAddress(argv[++i], dst); };
        bool ok = true;
        if (!std::strcmp(a, "--image"))
            ok = text(&o->image);
        else if (!std::strcmp(a, "--save"))
            ok = text(&o->save);
        else if (!std::strcmp(a, "--link"))
            ok = text(&o->link);
        else if (!std::strcmp(a, "--log"))
            ok = text(&o->log);
        else if (!std::strcmp(a, "--pace"))
            o->pace = true;
        else if (!std::strcmp(a, "--silent"))
            o->faults.silent = true;
        else if (!std::strcmp(a, "--bad-handshake-ack"))
            o->faults.badHandshakeAck = true;
        else if (!std::strcmp(a, "--garbage"))
            o->faults.garbage = true;
        else if (!std::strcmp(a, "--short-answer-at"))
            ok = address(&o->faults.shortAnswerAt);
        else if (!std::strcmp(a, "--nak-at"))
            ok = address(&o->faults.nakAt);
        else if (!std::strcmp(a, "--stall-at"))
            ok = address(&o->faults.stallAt);
        else if (!std::strcmp(a, "--hangup-at"))
            ok = address(&o->faults.hangupAt);
        else if (!std::strcmp(a, "--corrupt-at"))
            ok = address(&o->faults.corruptAt);
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "radioprog-sim: bad argument near \"%s\"\n%s", a, kUsage);
            return false;
        }
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

void saveMemory(const QString &path, const MemoryImage &memory)
{
    if (path.isEmpty())
        return;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(memory.toByteArray()) != mem::ImageSize
        || !f.commit())
        std::fprintf(stderr, "radioprog-sim: cannot save %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    Options options;
    if (!parseOptions(argc, argv, &options))
        return 2;

    MemoryImage memory = DemoRadioImage();
    if (!options.image.isEmpty()) {
        QFile f(options.image);
        if (!f.open(QIODevice::ReadOnly) || !MemoryImage::fromBytes(f.readAll(), &memory)) {
            std::fprintf(stderr, "radioprog-sim: cannot read a 1024-byte image from %s\n",
                qPrintable(options.image));
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

    while (!g_stop && !dead) {
        pollfd p { pty.masterFd(), POLLIN, 0 };
        const int pr = ::poll(&p, 1, 200);
        if (pr < 0 && errno != EINTR)
            break;
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

    log.flush();
    saveMemory(options.save, radio.memory());
    if (!options.link.isEmpty())
        ::unlink(linkPath.constData());
    return 0;
}
