// Placeholder until the settings store lands.
#include "doc/IniFile.h"

CIniFile theIniFile(4);

CIniFile::CIniFile(int growBy) : m_nGrowBy(growBy) {}
CIniFile::~CIniFile() = default;
int CIniFile::OpenInExeDir(const QString &, bool, bool, bool) { return 0; }
int CIniFile::Open(const QString &, bool, bool, bool) { return 0; }
QString CIniFile::GetValue(const QString &, const QString &, const QString &def) const { return def; }
void CIniFile::SetValue(const QString &, const QString &, const QString &) {}
QString CIniFile::Save(bool) { return QString(); }
void CIniFile::Close() {}
int CIniFile::FindSection(const QString &) const { return -1; }
int CIniFile::FindKey(int, const QString &) const { return -1; }
bool CIniFile::NamesEqual(const QString &a, const QString &b) const { return a == b; }
QString CIniFile::MakeBackupName() { return QString(); }
