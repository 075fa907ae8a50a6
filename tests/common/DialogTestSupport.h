// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared set-up of the dialog tests: a private configuration folder, a
// Program.ini loaded into theIniFile, captured message boxes and help, and a
// pseudo-terminal held exclusively as another program would hold a port.

#include "gui/shell/MessageBox.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

/// Captures every message box instead of showing it.
class MessageCatcher
{
public:
    MessageCatcher();
    ~MessageCatcher();
    /// Texts shown since construction or the last clear().
    QStringList texts() const;
    void clear();

private:
    QList<ShownMessage> *m_shown;
};

/// Writes text as Program.ini in dir and opens it as theIniFile; returns its path.
QString LoadProgramIni(const QTemporaryDir &dir, const QByteArray &text);

/// A pseudo-terminal whose slave side is opened and held exclusively (TIOCEXCL and a lock).
class HeldTerminal
{
public:
    /// Opens a pty pair; hold() then opens the slave side exclusively.
    HeldTerminal();
    ~HeldTerminal();
    /// Device path of the slave side ("/dev/pts/N"); empty when no pty could be made.
    QString path() const { return m_path; }
    /// Opens the slave side, sets TIOCEXCL and takes the lock; true on success.
    bool hold();
    /// Bytes that reached the far (master) side so far, without waiting.
    QByteArray sentBytes() const;

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

/// A port held by another process: a child opens path exclusively (TIOCEXCL and a
/// lock, as a program using the port would) and keeps it until this object goes.
class PortHeldByChild
{
public:
    explicit PortHeldByChild(const QString &path);
    ~PortHeldByChild();
    /// True once the child holds the port.
    bool holding() const { return m_holding; }

private:
    int m_pid = -1;
    int m_release = -1;
    bool m_holding = false;
};
