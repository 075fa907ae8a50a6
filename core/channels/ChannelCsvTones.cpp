// SPDX-License-Identifier: GPL-3.0-or-later
// The tone columns of the channel list and the radio's two tone words.
#include "core/channels/ChannelCsv.h"

#include "core/app/Globals.h"
#include "core/image/Codecs.h"

namespace {

/// A tone word as the list sees it.
struct ListTone
{
    enum Kind { None, Tone, Dcs } kind = None;
    int tenths = 0; ///< Tone in tenths of a hertz.
    int code = 0; ///< DCS code as written (23 for 023).
    bool reversed = false; ///< Inverted DCS ("I" in the grid, "R" in the list).
    bool operator==(const ListTone &o) const
    {
        return kind == o.kind && tenths == o.tenths && code == o.code && reversed == o.reversed;
    }
};

ListTone ListToneOfWord(ToneWord w)
{
    ListTone t;
    if (w.high == 0x00 || w.high == 0xFF)
        return t;
    if (w.high == 0x28 || w.high == 0x29 || w.high == 0xA8 || w.high == 0xA9) {
        t.kind = ListTone::Dcs;
        t.code = DcsByteToCode(w.low, w.high & 1);
        t.reversed = w.high & 0x80;
        return t;
    }
    t.kind = ListTone::Tone;
    t.tenths = w.value();
    return t;
}

QString ToneText(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

QString CodeText(int code)
{
    return QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
}

QChar PolarityLetter(const ListTone &t)
{
    return t.kind == ListTone::Dcs && t.reversed ? QLatin1Char('R') : QLatin1Char('N');
}

/// Tenths of a tone column ("88.5", "100", "100.0"); false when it is no tone of the radio.
bool ParseToneColumn(const QString &text, int *tenths, QString *problem)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    int whole = 0, tenth = 0;
    const int dot = t.indexOf(QLatin1Char('.'));
    const QString wholePart = dot < 0 ? t : t.left(dot);
    QString frac = dot < 0 ? QString() : t.mid(dot + 1);
    while (frac.size() > 1 && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (wholePart.size() >= 1 && wholePart.size() <= 4) {
        whole = wholePart.toInt(&ok);
        if (ok && !frac.isEmpty())
            tenth = frac.size() == 1 ? frac.toInt(&ok) : (ok = false, 0);
    }
    for (const QChar c : wholePart + frac)
        if (!c.isDigit())
            ok = false;
    const int value = whole * 10 + tenth;
    if (!ok || !AnalogueToneList().contains(value)) {
        *problem = LanguageText("tone \"%1\" is not one of the radio's 50 tones (67.0 to 254.1 Hz)",
            "亚音 \"%1\" 不是本机的 50 个亚音之一（67.0 至 254.1 Hz）")
                       .arg(text.left(40));
        return false;
    }
    *tenths = value;
    return true;
}

/// Code of a DCS column ("023", "23"); false when it is no code of the radio.
bool ParseCodeColumn(const QString &text, int *code, QString *problem)
{
    const QString t = text.trimmed();
    bool ok = !t.isEmpty() && t.size() <= 3;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('7'))
            ok = false;
    const int value = ok ? t.toInt(&ok) : 0;
    if (!ok || !DcsCodeList().contains(value)) {
        *problem = LanguageText("DCS code \"%1\" is not one of the radio's 107 codes",
            "数字亚音 \"%1\" 不是本机的 107 个代码之一")
                       .arg(text.left(40));
        return false;
    }
    *code = value;
    return true;
}

QString GridToneText(const ListTone &t)
{
    switch (t.kind) {
    case ListTone::None:
        return QStringLiteral("None");
    case ListTone::Tone:
        return ToneText(t.tenths);
    case ListTone::Dcs:
        return QStringLiteral("D%1%2").arg(CodeText(t.code), t.reversed ? "I" : "N");
    }
    return QString();
}

} // namespace

CsvToneColumns ToneColumnsOfWords(ToneWord encode, ToneWord decode)
{
    const ListTone tx = ListToneOfWord(encode);
    const ListTone rx = ListToneOfWord(decode);
    CsvToneColumns c;
    if (tx.kind == ListTone::None && rx.kind == ListTone::None)
        return c;
    if (tx.kind == ListTone::Tone && rx.kind == ListTone::None) {
        c.tone = QStringLiteral("Tone");
        c.rToneFreq = ToneText(tx.tenths);
        return c;
    }
    if (tx.kind == ListTone::Tone && tx == rx) {
        c.tone = QStringLiteral("TSQL");
        c.cToneFreq = ToneText(tx.tenths);
        return c;
    }
    if (tx.kind == ListTone::Dcs && rx.kind == ListTone::Dcs && tx.code == rx.code) {
        c.tone = QStringLiteral("DTCS");
        c.dtcsCode = CodeText(tx.code);
        c.dtcsPolarity = QString(PolarityLetter(tx)) + PolarityLetter(rx);
        return c;
    }
    c.tone = QStringLiteral("Cross");
    const QString txName = tx.kind == ListTone::Tone ? QStringLiteral("Tone")
        : tx.kind == ListTone::Dcs                   ? QStringLiteral("DTCS")
                                                     : QString();
    const QString rxName = rx.kind == ListTone::Tone ? QStringLiteral("Tone")
        : rx.kind == ListTone::Dcs                   ? QStringLiteral("DTCS")
                                                     : QString();
    c.crossMode = txName + QStringLiteral("->") + rxName;
    if (tx.kind == ListTone::Tone)
        c.rToneFreq = ToneText(tx.tenths);
    if (tx.kind == ListTone::Dcs)
        c.dtcsCode = CodeText(tx.code);
    if (rx.kind == ListTone::Tone)
        c.cToneFreq = ToneText(rx.tenths);
    if (rx.kind == ListTone::Dcs)
        c.rxDtcsCode = CodeText(rx.code);
    c.dtcsPolarity = QString(PolarityLetter(tx)) + PolarityLetter(rx);
    return c;
}

bool ToneTextsOfColumns(
    const CsvToneColumns &columns, QString *encodeText, QString *decodeText, QString *problem)
{
    const QString mode = columns.tone.trimmed().toLower();
    const QString polarity = columns.dtcsPolarity.trimmed().toUpper();
    ListTone tx, rx;
    const auto tone = [&](const QString &text, ListTone *into) {
        into->kind = ListTone::Tone;
        return ParseToneColumn(text, &into->tenths, problem);
    };
    const auto dcs = [&](const QString &text, int letter, ListTone *into) {
        into->kind = ListTone::Dcs;
        into->reversed = polarity.size() > letter && polarity.at(letter) == QLatin1Char('R');
        return ParseCodeColumn(text, &into->code, problem);
    };
    // Polarity matters only where a code is used, but a malformed one is a mistake anywhere.
    const bool polarityOk = polarity.isEmpty()
        || (polarity.size() == 2 && QStringLiteral("NR").contains(polarity.at(0))
            && QStringLiteral("NR").contains(polarity.at(1)));
    if (!polarityOk) {
        *problem = LanguageText("DtcsPolarity \"%1\" is not two letters N or R (transmit, receive)",
            "DtcsPolarity \"%1\" 应为两个字母 N 或 R（发射、接收）")
                       .arg(columns.dtcsPolarity.left(40));
        return false;
    }
    bool ok = true;
    if (mode.isEmpty()) {
    } else if (mode == QLatin1String("tone")) {
        ok = tone(columns.rToneFreq, &tx);
    } else if (mode == QLatin1String("tsql")) {
        ok = tone(columns.cToneFreq, &tx);
        rx = tx;
    } else if (mode == QLatin1String("dtcs")) {
        ok = dcs(columns.dtcsCode, 0, &tx) && dcs(columns.dtcsCode, 1, &rx);
    } else if (mode == QLatin1String("cross")) {
        const QString cross = columns.crossMode.trimmed().toLower();
        const int arrow = cross.indexOf(QLatin1String("->"));
        const QString txKind = arrow < 0 ? QString() : cross.left(arrow);
        const QString rxKind = arrow < 0 ? QString() : cross.mid(arrow + 2);
        const auto known = [](const QString &k) {
            return k.isEmpty() || k == QLatin1String("tone") || k == QLatin1String("dtcs");
        };
        if (arrow < 0 || !known(txKind) || !known(rxKind)
            || (txKind.isEmpty() && rxKind.isEmpty())) {
            *problem
                = LanguageText("CrossMode \"%1\" is not one of Tone->Tone, Tone->, ->Tone, DTCS->, "
                               "->DTCS, DTCS->DTCS, Tone->DTCS, DTCS->Tone",
                    "CrossMode \"%1\" 不是 Tone->Tone、Tone->、->Tone、DTCS->、->DTCS、DTCS->DTCS、"
                    "Tone->DTCS、DTCS->Tone 之一")
                      .arg(columns.crossMode.left(40));
            return false;
        }
        if (txKind == QLatin1String("tone"))
            ok = tone(columns.rToneFreq, &tx);
        else if (txKind == QLatin1String("dtcs"))
            ok = dcs(columns.dtcsCode, 0, &tx);
        if (ok && rxKind == QLatin1String("tone"))
            ok = tone(columns.cToneFreq, &rx);
        else if (ok && rxKind == QLatin1String("dtcs"))
            ok = dcs(columns.rxDtcsCode, 1, &rx);
    } else {
        *problem = LanguageText("Tone \"%1\" is not one of Tone, TSQL, DTCS, Cross or empty",
            "Tone \"%1\" 不是 Tone、TSQL、DTCS、Cross 或空")
                       .arg(columns.tone.left(40));
        return false;
    }
    if (!ok)
        return false;
    *encodeText = GridToneText(tx);
    *decodeText = GridToneText(rx);
    return true;
}
