// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running the built programs (and tools such as pdftotext) as a user would.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testing {

/// What a finished program left behind.
struct ProgramRun
{
    int exitCode = -1; ///< -1 when it crashed or did not finish in time.
    QByteArray out; ///< Standard output.
    QByteArray err; ///< Standard error.
};

/// Runs program with args to its end (killed after timeoutMs).
inline ProgramRun RunProgram(
    const QString &program, const QStringList &args, int timeoutMs = 120000)
{
    QProcess p;
    p.start(program, args);
    ProgramRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

#ifdef RADIOPROG_BUILD_DIR
/// Runs the built radioprog-cli with args.
inline ProgramRun RunRadioprogCli(const QStringList &args)
{
    return RunProgram(QStringLiteral(RADIOPROG_BUILD_DIR "/radioprog-cli"), args);
}
#endif

} // namespace testing
