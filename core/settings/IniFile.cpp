// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/IniFile.h"

#include "core/app/Globals.h"
#include "core/app/InstallationPlace.h"
#include "core/document/FileRead.h"
#include "core/document/FileWrite.h"
#include "core/document/FolderWrite.h"
#include "core/settings/IniText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

CIniFile theIniFile(4);

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\v') || c == QLatin1Char('\f') || c == QLatin1Char('\r');
}

// Trims only the ASCII white space of a text line, so that a full-width blank
// belonging to a Chinese value survives.
QString TrimBlanks(const QString &s)
{
    int begin = 0;
    int end = s.size();
    while (begin < end && IsBlank(s.at(begin)))
        ++begin;
    while (end > begin && IsBlank(s.at(end - 1)))
        --end;
    return s.mid(begin, end - begin);
}

bool IsCommentKey(const QString &key)
{
    const QChar c = key.at(0);
    return c == QLatin1Char(';') || c == QLatin1Char('/') || c == QLatin1Char('\\')
        || c == QLatin1Char('*');
}

// Removes the marker and everything after its first occurrence.
void CutAt(QString &value, QLatin1String marker)
{
    const int at = value.indexOf(marker);
    if (at >= 0)
        value.truncate(at);
}

// The decimal number formed by the leading digits of s; 0 when s starts otherwise.
int LeadingNumber(const QString &s)
{
    int n = 0;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// Text in either encoding Program.ini may have never holds NUL or the C0 controls other
// than white space; a program, an image or a packed file does.
bool LooksBinary(const QByteArray &bytes)
{
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        // 0x1A is the end-of-file mark old DOS and Windows editors left at the end.
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != '\v' && b != 0x1A)
            return true;
    }
    return false;
}

// A settings file is a few kilobytes; anything this large is not one.
constexpr qint64 kMaxIniSize = 4 * 1024 * 1024;

} // namespace

CIniFile::CIniFile(int growBy)
    : m_nGrowBy(growBy)
{
}

CIniFile::~CIniFile()
{
    if (m_bAutoSave)
        Save(m_bBackup);
    Close();
}

int CIniFile::OpenInExeDir(const QString &name, bool autoSave, bool noCase, bool backup)
{
    QString dir = g_strAppDir;
    if (dir.isEmpty()) {
        const QString invocation
            = QCoreApplication::instance() ? QCoreApplication::arguments().value(0) : QString();
        const int slash = invocation.lastIndexOf(QLatin1Char('/'));
        dir = slash >= 0 ? invocation.left(slash) : QDir::currentPath();
    }
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QString installed = dir + name;
    const QString copy = PerUserCopyPath(name);
    // An installed program never writes its installation data, whoever runs it: root
    // could, and would hand every user root's language and fail the package's checksums.
    // Only what this user changed is kept, in the user's own file, so that an update of
    // the installed file (new radio types, a new version text) still reaches the user.
    if (!RunningInstalled() && CanWriteFile(installed)) {
        const int opened = Open(installed, autoSave, noCase, backup);
        m_strUserCopy = copy;
        return opened;
    }
    // The file open so far is saved by its own rule before this one replaces it.
    if (!m_strPath.isEmpty()) {
        Save(false);
        Close();
    }
    auto base = std::make_unique<CIniFile>(m_nGrowBy);
    const int opened = base->OpenFile(installed, false, noCase, false, false);
    m_strError = base->m_strError;
    if (!opened && base->m_strPath.isEmpty())
        return 0;
    m_bAutoSave = autoSave ? 1 : 0;
    m_bNoCase = noCase ? 1 : 0;
    m_bBackup = backup;
    if (!m_strBackup.startsWith(copy + QLatin1Char('.')))
        m_strBackup.clear();
    CopyValuesFrom(*base);
    m_installedValues = std::move(base);
    m_strUserCopy = copy;
    if (!opened)
        return 0;
    return QFileInfo::exists(copy) ? ReadOver(copy) : 1;
}

void CIniFile::CopyValuesFrom(const CIniFile &other)
{
    m_strPath = other.m_strPath;
    m_keyLists.clear();
    m_valueLists.clear();
    m_keyLists.resize(other.m_keyLists.size());
    m_valueLists.resize(other.m_valueLists.size());
    for (size_t s = 0; s < other.m_keyLists.size(); ++s) {
        if (other.m_keyLists[s]) {
            m_keyLists[s] = std::make_unique<QStringList>(*other.m_keyLists[s]);
            m_valueLists[s] = std::make_unique<QStringList>(*other.m_valueLists[s]);
        }
    }
    m_sectionNames = other.m_sectionNames;
    m_nLastSection = other.m_nLastSection;
    m_encoding = other.m_encoding;
    m_bUtf8Bom = other.m_bUtf8Bom;
    m_strProblem = other.m_strProblem;
    m_bModified = 0;
}

int CIniFile::ReadOver(const QString &copyPath)
{
    // Every value of the copy replaces the installed one; keys the copy lacks (a copy
    // written by hand with only [Ports], or types added by an update) stay installed.
    CIniFile copy(m_nGrowBy);
    if (!copy.Open(copyPath, false, m_bNoCase, false)) {
        // The installed values stand; the user is told why the own file is ignored.
        m_strError = copy.m_strError;
        return 0;
    }
    for (int s = 0; s <= copy.m_nLastSection; ++s) {
        const QStringList &keys = *copy.m_keyLists[static_cast<size_t>(s)];
        const QStringList &values = *copy.m_valueLists[static_cast<size_t>(s)];
        for (int k = 0; k < keys.size(); ++k)
            SetValue(copy.m_sectionNames.at(s), keys.at(k), values.at(k));
    }
    m_bModified = 0;
    m_strPath = copyPath;
    m_encoding = copy.m_encoding;
    m_bUtf8Bom = copy.m_bUtf8Bom;
    return 1;
}

int CIniFile::Open(const QString &path, bool autoSave, bool noCase, bool backup)
{
    // The file open so far is saved by its own rule before this one replaces it.
    if (!m_strPath.isEmpty()) {
        Save(false);
        Close();
    }
    return OpenFile(path, autoSave, noCase, backup, true);
}

int CIniFile::OpenFile(const QString &path, bool autoSave, bool noCase, bool backup, bool create)
{
    if (!m_strPath.isEmpty()) {
        Save(false);
        Close();
    }
    m_bAutoSave = autoSave ? 1 : 0;
    m_bNoCase = noCase ? 1 : 0;
    m_bBackup = backup;
    m_strUserCopy.clear();

    m_strError.clear();
    m_strProblem.clear();
    // Only a regular file is read, and not a huge one: a FIFO would never answer, and a
    // runaway file would take the memory of the whole machine.
    fileread::ReadResult read = fileread::ReadRegularFile(path, kMaxIniSize, true);
    const bool exists = read.problem != fileread::ReadProblem::Missing;
    if (read.problem == fileread::ReadProblem::TooLarge) {
        m_strError = QStringLiteral("%1 is larger than %2 MiB; it cannot be a settings file")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(kMaxIniSize / (1024 * 1024));
        return 0;
    }
    if (!read.ok() && read.problem != fileread::ReadProblem::Missing
        && read.problem != fileread::ReadProblem::ReadFailed) {
        m_strError = QDir::toNativeSeparators(path) + QStringLiteral(": ") + read.reason;
        return 0;
    }
    if (!exists && create) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            m_strError = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
            return 0;
        }
    }
    // A backup name belongs to one file; another file gets its own.
    if (!m_strBackup.startsWith(path + QLatin1Char('.')))
        m_strBackup.clear();
    m_strPath = path;
    const int step = qMax(1, m_nGrowBy);
    m_keyLists.resize(static_cast<size_t>(step));
    m_valueLists.resize(static_cast<size_t>(step));
    m_keyLists[0] = std::make_unique<QStringList>();
    m_valueLists[0] = std::make_unique<QStringList>();
    m_sectionNames = QStringList { QString() };
    m_nLastSection = 0;
    m_encoding = QByteArrayLiteral("UTF-8");
    m_bUtf8Bom = false;
    if (!exists)
        return 1;

    QByteArray &bytes = read.bytes;
    const bool readFailed = read.problem == fileread::ReadProblem::ReadFailed;
    if (readFailed)
        m_strError = QDir::toNativeSeparators(path) + QStringLiteral(": ") + read.reason;

    if (bytes.isEmpty() && !readFailed)
        m_strProblem = QDir::toNativeSeparators(path) + QStringLiteral(" is empty");
    else if (LooksBinary(bytes))
        m_strProblem = QDir::toNativeSeparators(path) + QStringLiteral(" is not a text file");

    if (bytes.startsWith(kUtf8Bom)) {
        m_bUtf8Bom = true;
        bytes.remove(0, kUtf8Bom.size());
    }
    QString text;
    if (initext::IsValidUtf8(bytes)) {
        text = initext::DecodeUtf8(bytes);
    } else {
        // Older installations wrote Program.ini in GB2312; keep that encoding on write.
        // Bytes valid in neither encoding are carried through unchanged.
        m_encoding = QByteArrayLiteral("GB18030");
        m_bUtf8Bom = false;
        text = initext::DecodeGb18030Lossless(bytes);
    }
    ParseText(text);
    return readFailed ? 0 : 1;
}

void CIniFile::ParseText(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = TrimBlanks(raw);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))
            && line.size() >= 2) {
            AddSection(line.mid(1, line.size() - 2));
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = TrimBlanks(eq >= 0 ? line.left(eq) : line);
        const QString value = eq >= 0 ? TrimBlanks(line.mid(eq + 1)) : QString();
        if (key.isEmpty() || IsCommentKey(key))
            continue;
        m_keyLists[static_cast<size_t>(m_nLastSection)]->append(key);
        m_valueLists[static_cast<size_t>(m_nLastSection)]->append(value);
    }
}

void CIniFile::AddSection(const QString &name)
{
    ++m_nLastSection;
    const size_t step = static_cast<size_t>(qMax(1, m_nGrowBy));
    const size_t slot = static_cast<size_t>(m_nLastSection);
    if (slot >= m_keyLists.size()) {
        m_keyLists.resize(m_keyLists.size() + step);
        m_valueLists.resize(m_valueLists.size() + step);
    }
    m_keyLists[slot] = std::make_unique<QStringList>();
    m_valueLists[slot] = std::make_unique<QStringList>();
    m_sectionNames.append(name);
}

QString CIniFile::GetValue(const QString &section, const QString &key, const QString &def) const
{
    const int s = FindSection(section);
    if (s < 0)
        return def;
    const int k = FindKey(s, key);
    if (k < 0)
        return def;
    QString value = m_valueLists[static_cast<size_t>(s)]->at(k);
    CutAt(value, QLatin1String("//"));
    CutAt(value, QLatin1String("\t;"));
    CutAt(value, QLatin1String("/*"));
    return value;
}

void CIniFile::SetValue(const QString &section, const QString &key, const QString &value)
{
    if (m_strPath.isEmpty())
        return;
    int s = FindSection(section);
    if (s < 0) {
        AddSection(section);
        s = m_nLastSection;
        m_bModified = 1;
    }
    QStringList &keys = *m_keyLists[static_cast<size_t>(s)];
    QStringList &values = *m_valueLists[static_cast<size_t>(s)];
    const int k = FindKey(s, key);
    if (k >= 0) {
        if (!NamesEqual(values.at(k), value))
            m_bModified = 1;
        values[k] = value;
    } else {
        keys.append(key);
        values.append(value);
        m_bModified = 1;
    }
}

const QString *CIniFile::RawValue(const QString &section, const QString &key) const
{
    const int s = FindSection(section);
    const int k = FindKey(s, key);
    return k < 0 ? nullptr : &m_valueLists[static_cast<size_t>(s)]->at(k);
}

QString CIniFile::ComposeText(const CIniFile *base) const
{
    if (base) {
        // Only the values GetValue would find and that differ from base, each once: a
        // value the user never changed keeps following the installed file.
        QString text;
        for (int s = 0; s <= m_nLastSection; ++s) {
            const QString &name = m_sectionNames.at(s);
            if (FindSection(name) != s)
                continue; // a later section of the same name is never searched
            const QStringList &keys = *m_keyLists[static_cast<size_t>(s)];
            const QStringList &values = *m_valueLists[static_cast<size_t>(s)];
            QString lines;
            for (int k = 0; k < keys.size(); ++k) {
                if (FindKey(s, keys.at(k)) != k)
                    continue; // an earlier key of the same name is never read
                // Exact: a change of letter case alone ("chinese") changes the language.
                const QString *installed = base->RawValue(name, keys.at(k));
                if (installed && *installed == values.at(k))
                    continue;
                lines += keys.at(k) + QLatin1Char('=') + values.at(k) + QLatin1String("\r\n");
            }
            if (lines.isEmpty())
                continue;
            if (s > 0 || !name.isEmpty())
                text += QLatin1Char('[') + name + QLatin1String("]\r\n");
            text += lines;
        }
        return text;
    }
    QString text;
    for (int s = 0; s <= m_nLastSection; ++s) {
        const QString &name = m_sectionNames.at(s);
        // Only the leading unnamed part has no header; a "[]" read later in the
        // file is written back, or its keys would join the section above it.
        if (s > 0 || !name.isEmpty())
            text += QLatin1Char('[') + name + QLatin1String("]\r\n");
        const QStringList &keys = *m_keyLists[static_cast<size_t>(s)];
        const QStringList &values = *m_valueLists[static_cast<size_t>(s)];
        for (int k = 0; k < keys.size(); ++k) {
            text += keys.at(k);
            if (!keys.at(k).isEmpty())
                text += QLatin1Char('=');
            text += values.at(k) + QLatin1String("\r\n");
        }
    }
    return text;
}

QByteArray CIniFile::EncodeText(const QString &text) const
{
    if (m_encoding == "GB18030")
        return initext::EncodeGb18030File(text);
    return initext::EncodeUtf8File(text, m_bUtf8Bom);
}

QString CIniFile::Save(bool backup, bool *ok)
{
    if (ok)
        *ok = true;
    if (!m_bModified || m_strPath.isEmpty())
        return QString();
    QString inPlaceRefusal;
    // A file written in place that cannot be written now (a read-only mount since the
    // start) hands the user's changes to the user's own file, as an installation does.
    if (!m_installedValues && !m_strUserCopy.isEmpty() && m_strPath != m_strUserCopy
        && !CanWriteFile(m_strPath)) {
        QString why;
        filewrite::CheckWritable(m_strPath, 0, &why);
        inPlaceRefusal = QDir::toNativeSeparators(m_strPath) + QStringLiteral(": ")
            + (why.isEmpty() ? filewrite::OsReason(EACCES) : why);
        auto base = std::make_unique<CIniFile>(m_nGrowBy);
        base->OpenFile(m_strPath, false, m_bNoCase, false, false);
        m_installedValues = std::move(base);
    }
    if (m_installedValues)
        m_strPath = m_strUserCopy;
    const auto failed = [&](const QString &why) {
        m_strError = QDir::toNativeSeparators(m_strPath) + QStringLiteral(": ") + why;
        if (!inPlaceRefusal.isEmpty())
            m_strError = inPlaceRefusal + QStringLiteral("; ") + m_strError;
        if (ok)
            *ok = false;
        return QString();
    };
    QString reason;
    // The user's own file may be the first in its folder; the folder's own refusal
    // (a read-only file system) is the reason to tell, not the missing file it causes.
    if (m_installedValues && !filewrite::MakeFolder(QFileInfo(m_strPath).absolutePath(), &reason))
        return failed(reason);
    if (backup) {
        if (m_strBackup.isEmpty())
            MakeBackupName();
        // No rewrite without the backup asked for: the old file is the only copy.
        const fileread::ReadResult old = fileread::ReadRegularFile(m_strPath, kMaxIniSize, true);
        if (old.problem != fileread::ReadProblem::Missing) {
            if (!old.ok())
                return failed(old.reason);
            if (!filewrite::WriteWholeFile(m_strBackup, old.bytes, &reason))
                return failed(QStringLiteral("cannot make the backup %1: %2")
                                  .arg(QDir::toNativeSeparators(m_strBackup), reason));
        }
    }
    const QByteArray bytes = EncodeText(ComposeText(m_installedValues.get()));
    if (!filewrite::WriteWholeFile(m_strPath, bytes, &reason))
        return failed(reason);
    m_strError.clear();
    return m_strBackup;
}

void CIniFile::Close()
{
    m_keyLists.clear();
    m_valueLists.clear();
    m_sectionNames.clear();
    m_nLastSection = 0;
    m_strPath.clear();
    m_bModified = 0;
    m_installedValues.reset();
}

int CIniFile::FindSection(const QString &section) const
{
    for (int s = 0; s < m_sectionNames.size(); ++s) {
        if (NamesEqual(m_sectionNames.at(s), section))
            return s;
    }
    return -1;
}

int CIniFile::FindKey(int section, const QString &key) const
{
    if (section < 0 || section > m_nLastSection || section >= m_sectionNames.size())
        return -1;
    const QStringList &keys = *m_keyLists[static_cast<size_t>(section)];
    for (int k = keys.size() - 1; k >= 0; --k) {
        if (NamesEqual(keys.at(k), key))
            return k;
    }
    return -1;
}

bool CIniFile::NamesEqual(const QString &a, const QString &b) const
{
    return QString::compare(a, b, m_bNoCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

QString CIniFile::MakeBackupName()
{
    const QFileInfo info(m_strPath);
    QString stem = info.fileName();
    const int dot = stem.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        stem.truncate(dot);
    int largest = 0;
    const QStringList entries
        = QDir(info.absolutePath())
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (!entry.startsWith(stem))
            continue;
        largest = qMax(largest, LeadingNumber(entry.right(3)));
    }
    m_strBackup = m_strPath + QString::asprintf(".%.3d", largest + 1);
    return m_strBackup;
}
