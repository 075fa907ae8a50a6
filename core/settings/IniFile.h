// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own INI reader/writer for Program.ini.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

/// Sections of keys and values, read and written in file order.
class CIniFile
{
public:
    /// Empty, closed object; sections grow by growBy slots.
    explicit CIniFile(int growBy = 4);
    /// Saves (with m_bBackup) when auto-save is on, then closes.
    virtual ~CIniFile();

    /// Not copyable: one object owns the tables of one open file.
    CIniFile(const CIniFile &) = delete;
    CIniFile &operator=(const CIniFile &) = delete;

    /// Opens name in the program's directory (g_strAppDir, else the invocation path's
    /// directory, else the current directory). An installed program (RunningInstalled), or
    /// one whose file cannot be written, never writes that file: this user's file
    /// (PerUserCopyPath) is read over it and saves put there only the values that differ
    /// from the installed ones. A build tree's file is read and written in place.
    int OpenInExeDir(const QString &name, bool autoSave, bool noCase, bool backup);
    /// Parses the whole file at path (created empty when missing); 1 opened, 0 failed
    /// (errorString() says why). Only a regular file of at most 4 MiB is read.
    int Open(const QString &path, bool autoSave, bool noCase, bool backup);
    /// Value of the last key of that name in the first section of that name, cut at
    /// "//", "\t;" and "/*"; def when absent.
    QString GetValue(
        const QString &section, const QString &key, const QString &def = QString()) const;
    /// Changes or adds a value in memory; marks modified unless only the case differs.
    void SetValue(const QString &section, const QString &key, const QString &value);
    /// Writes the file safely when modified; returns the backup name, empty when there is
    /// none. ok (when given) is false when the file could not be written: the file is then
    /// as it was, the values stay modified in memory and errorString() says why.
    QString Save(bool backup, bool *ok = nullptr);
    /// Forgets everything without writing.
    void Close();
    /// Index of the first section of that name, or -1.
    int FindSection(const QString &section) const;
    /// Index of the last key of that name in the section, or -1.
    int FindKey(int section, const QString &key) const;
    /// Equal under the case rule of m_bNoCase.
    bool NamesEqual(const QString &a, const QString &b) const;

    /// Full path of the open file; empty while closed.
    QString path() const { return m_strPath; }
    /// The per-user copy that takes the saves the installed file refuses; empty after Open.
    QString userCopyPath() const { return m_strUserCopy; }
    /// True when saves go to the per-user file only, as the values that differ from the
    /// installed file.
    bool writesUserDifferences() const { return m_installedValues != nullptr; }
    /// True when SetValue changed something since the last Close.
    bool isModified() const { return m_bModified; }
    /// Why the last Open or Save failed: the path and the OS's reason; empty after success.
    QString errorString() const { return m_strError; }
    /// Why the file opened holds no settings although it was read ("... is empty", "... is not
    /// a text file"); empty when it holds text or was missing.
    QString contentProblem() const { return m_strProblem; }

private:
    QString MakeBackupName();
    void AddSection(const QString &name);
    void ParseText(const QString &text);
    int OpenFile(const QString &path, bool autoSave, bool noCase, bool backup, bool create);
    QString ComposeText(const CIniFile *base = nullptr) const;
    QByteArray EncodeText(const QString &text) const;
    const QString *RawValue(const QString &section, const QString &key) const;
    void CopyValuesFrom(const CIniFile &other);
    int ReadOver(const QString &copyPath);

    // Slot tables sized in steps of m_nGrowBy; slots past m_nLastSection are null.
    std::vector<std::unique_ptr<QStringList>> m_keyLists;
    std::vector<std::unique_ptr<QStringList>> m_valueLists;
    QStringList m_sectionNames;
    int m_nLastSection = 0;
    int m_nGrowBy = 4;
    int m_bNoCase = 1;
    int m_bAutoSave = 0;
    QString m_strBackup;
    bool m_bBackup = false;
    int m_bModified = 0;
    QString m_strPath;
    QByteArray m_encoding; // "UTF-8" or "GB18030": the file is written back as it was read
    bool m_bUtf8Bom = false; // a UTF-8 byte order mark read is written back
    QString m_strUserCopy; // written instead of m_strPath when that cannot be written
    // The installed file's own values while this user's differences are read over
    // them; null when the file is written in place.
    std::unique_ptr<CIniFile> m_installedValues;
    QString m_strError;
    QString m_strProblem;
};

/// The one Program.ini of the process.
extern CIniFile theIniFile;
