// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts the virtual radio for a test and stops it (saving its memory) at the end.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <signal.h>

/// radioprog-sim running for the lifetime of this object.
class SimProcess
{
public:
    /// Starts the virtual radio with args; path() is empty when it did not come up.
    explicit SimProcess(const QStringList &args)
    {
        m_process.setProgram(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-sim"));
        m_process.setArguments(args);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
        if (m_process.waitForStarted(5000)) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) { }
            m_path = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        }
    }
    ~SimProcess() { stop(); }

    /// Device path of the radio's port.
    QString path() const { return m_path; }
    /// Asks the radio to save and quit; true when it ended by itself with status 0.
    bool stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
            return false;
        }
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }
    /// Process id, for a test that kills the radio outright.
    qint64 pid() const { return m_process.processId(); }
    /// True while it runs.
    bool running() const { return m_process.state() != QProcess::NotRunning; }

private:
    QProcess m_process;
    QString m_path;
};
