// SPDX-License-Identifier: GPL-3.0-or-later
// Program.ini through the INI class: parse any bytes, look keys up, set one
// value, save, open again. What was set reads back, and every other key of
// the file reads back as it did before.
#include "core/settings/IniFile.h"
#include "core/settings/IniText.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTempDir.h"

#include <QFile>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\v') || c == QLatin1Char('\f') || c == QLatin1Char('\r');
}

QString Trimmed(const QString &s)
{
    int b = 0;
    int e = s.size();
    while (b < e && IsBlank(s.at(b)))
        ++b;
    while (e > b && IsBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

// A value one line of Program.ini can hold and GetValue gives back whole:
// one line, no blanks at its ends, none of the comment markers it is cut at.
QString AsValue(QString s)
{
    s.remove(QLatin1Char('\n'));
    s.remove(QLatin1Char('/'));
    s.remove(QLatin1Char(';'));
    return Trimmed(s);
}

// A name a line can hold: one line, no "=" (for a key), not a comment or a header.
QString AsKey(QString s)
{
    s.remove(QLatin1Char('\n'));
    s.remove(QLatin1Char('='));
    for (;;) {
        s = Trimmed(s);
        if (s.isEmpty() || !QStringLiteral(";/\\*[").contains(s.at(0)))
            return s;
        s.remove(0, 1);
    }
}

QString AsSection(QString s)
{
    s.remove(QLatin1Char('\n'));
    return s;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size()
        && f.flush();
}

// (section, key) pairs named in the text, each key with the header above it.
// Only names to look up: the INI class itself says what they hold.
std::vector<std::pair<QString, QString>> NamedKeys(const QString &text)
{
    std::vector<std::pair<QString, QString>> pairs;
    QString section;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = Trimmed(raw);
        if (line.size() >= 2 && line.startsWith(QLatin1Char('['))
            && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = Trimmed(eq >= 0 ? line.left(eq) : line);
        if (!key.isEmpty())
            pairs.emplace_back(section, key);
    }
    return pairs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const bool noCase = in.ConsumeBool();
    const QString section = AsSection(QString::fromUtf8(in.ConsumeRandomLengthString(32)));
    const QString key = AsKey(QString::fromUtf8(in.ConsumeRandomLengthString(32)));
    const QString value = AsValue(QString::fromUtf8(in.ConsumeRandomLengthString(64)));
    const std::vector<uint8_t> rest = in.ConsumeRemainingBytes<uint8_t>();
    const QByteArray file(reinterpret_cast<const char *>(rest.data()), int(rest.size()));
    if (key.isEmpty())
        return 0;

    const QString path = fuzztemp::Dir() + QStringLiteral("/Program.ini");
    if (!WriteFile(path, file))
        return 0;

    CIniFile ini(4);
    FUZZ_CHECK(ini.Open(path, false, noCase, false) == 1);
    // Names to look up come from the text in the encoding the class reads it in.
    QByteArray body = file;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    const std::vector<std::pair<QString, QString>> named = NamedKeys(
        initext::IsValidUtf8(body) ? QString::fromUtf8(body) : initext::DecodeGb18030(body));
    std::vector<QString> before;
    before.reserve(named.size());
    for (const auto &[s, k] : named)
        before.push_back(ini.GetValue(s, k, QStringLiteral("\x01missing")));

    ini.SetValue(section, key, value);
    // The set value reads back at once, and after a save and a fresh open. A case-blind
    // file does not count a change of case alone as a change, so compare the same way.
    const Qt::CaseSensitivity cs = noCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    FUZZ_CHECK(QString::compare(ini.GetValue(section, key), value, cs) == 0);
    (void)ini.Save(false);
    ini.Close();

    CIniFile again(4);
    FUZZ_CHECK(again.Open(path, false, noCase, false) == 1);
    const QString readBack = again.GetValue(section, key);
    if (QString::compare(readBack, value, cs) != 0)
        fuzzcheck::Fail(
            __FILE__, __LINE__, "the value set reads back after save and open", readBack, value);
    for (size_t i = 0; i < named.size(); ++i) {
        const auto &[s, k] = named[i];
        if (again.NamesEqual(s, section) && again.NamesEqual(k, key))
            continue;
        const QString now = again.GetValue(s, k, QStringLiteral("\x01missing"));
        if (now != before[i])
            fuzzcheck::Fail(__FILE__, __LINE__,
                qPrintable(QStringLiteral("untouched key [%1] %2 keeps its value").arg(s, k)), now,
                before[i]);
    }
    return 0;
}
