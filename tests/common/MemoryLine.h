// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An in-memory serial line with a virtual radio on the far end, recording
// every operation, and a transfer UI that records what it was asked.

#include "core/link/SerialLine.h"
#include "core/link/TransferUi.h"
#include "sim/RadioState.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

/// A line whose far end is a CRadioState; answers with a delay arrive only at the next read.
class CMemoryLine : public CSerialLine
{
public:
    explicit CMemoryLine(CRadioState *radio)
        : m_radio(radio)
    {
    }

    bool open(const QString &path) override
    {
        ops << QStringLiteral("open %1").arg(path);
        m_open = !openFails;
        return m_open;
    }
    void configure() override { ops << QStringLiteral("configure"); }
    void fullPurge() override
    {
        ops << QStringLiteral("purge");
        m_rx.clear();
    }
    void clearBuffers() override
    {
        ops << QStringLiteral("clear");
        m_rx.clear();
    }
    int write(const std::uint8_t *bytes, int n) override
    {
        QStringList hex;
        for (int i = 0; i < n; ++i) {
            hex << QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
            sent.append(static_cast<char>(bytes[i]));
            m_lastWritten = bytes[i];
            if (m_dead)
                continue;
            const RadioReply reply = m_radio->receive(bytes[i]);
            if (reply.hangup)
                m_dead = true;
            auto &queue = reply.delayMs > 0 ? m_late : m_rx;
            queue.insert(queue.end(), reply.bytes.begin(), reply.bytes.end());
        }
        ops << QStringLiteral("write %1").arg(hex.join(QLatin1Char(' ')));
        return n;
    }
    LineReadResult read(std::uint8_t *buffer, int n) override
    {
        // From read number cancelAtRead on, every wait is cut short as by the user's Cancel.
        if (cancelAtRead >= 0 && m_reads++ >= cancelAtRead) {
            if (onCancel)
                onCancel();
            ops << QStringLiteral("read %1 -> 0 cancelled").arg(n);
            LineReadResult r;
            r.ok = true;
            r.cancelled = true;
            return r;
        }
        m_rx.insert(m_rx.end(), m_late.begin(), m_late.end());
        m_late.clear();
        LineReadResult r;
        r.ok = !m_dead && !(readFails && readFails(n, m_lastWritten));
        if (r.ok) {
            while (r.count < n && !m_rx.empty()) {
                buffer[r.count++] = m_rx.front();
                m_rx.pop_front();
            }
        }
        ops << QStringLiteral("read %1 -> %2%3").arg(n).arg(r.count).arg(r.ok ? "" : " failed");
        return r;
    }
    void wait(int ms) override { ops << QStringLiteral("wait %1").arg(ms); }
    void close() override
    {
        ops << QStringLiteral("close");
        m_open = false;
    }
    bool isOpen() const override { return m_open; }

    /// Every operation in order: "clear", "write 52 00 00 08", "read 12 -> 12", "wait 1".
    QStringList ops;
    /// Every byte the PC sent.
    QByteArray sent;
    /// The open fails.
    bool openFails = false;
    /// Makes a read report an I/O fault: (bytes asked, last byte written) -> fail.
    std::function<bool(int, std::uint8_t)> readFails;
    /// Index (from 0) of the first read whose wait the cancel cuts short; -1 for none.
    int cancelAtRead = -1;
    /// Called when a read is cut short.
    std::function<void()> onCancel;

private:
    CRadioState *m_radio;
    std::deque<std::uint8_t> m_rx;
    std::deque<std::uint8_t> m_late;
    std::uint8_t m_lastWritten = 0;
    bool m_open = false;
    bool m_dead = false;
    int m_reads = 0;
};

/// A transfer UI that records messages and progress and answers from a script.
class CRecordingUi : public CTransferUi
{
public:
    MessageAnswer showMessage(int id) override
    {
        messages << id;
        if (onMessage)
            onMessage(id);
        if (id != 61451)
            return MessageAnswer::Ok;
        return answers.isEmpty() ? MessageAnswer::Cancel : answers.takeFirst();
    }
    void stepProgress() override
    {
        ++steps;
        positions << QString::number(steps);
        if (steps == cancelAtStep)
            cancelled = true;
    }
    bool pumpAndTest(int passes, int waitMs) override
    {
        pumps << qMakePair(passes, waitMs);
        return cancelled;
    }
    bool isCancelled() override { return cancelled; }

    QList<int> messages;
    QList<MessageAnswer> answers; ///< Answers to 61451 in turn; Cancel when empty.
    std::function<void(int)> onMessage;
    int steps = 0;
    QStringList positions;
    int cancelAtStep = -1;
    bool cancelled = false;
    QList<QPair<int, int>> pumps;
};
