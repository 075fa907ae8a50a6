// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ChannelSheet.h"
#include "core/app/Language.h"

#include "core/settings/SettingTexts.h"

#include "core/settings/IniFile.h"
#include "core/settings/ProductInfoRules.h"

namespace {

constexpr int Margin = 360; // a quarter inch inside the printable area
constexpr int TitleLine = 14 * 20 * 13 / 10; // 1.3 lines of the title font, in twips
constexpr int TextLine = 9 * 20 * 13 / 10; // 1.3 lines of the text font
constexpr int RowHeight = TextLine + 60; // a table row: a line with room above and below
constexpr int CellPad = 80; // text inset from the left rule of its cell

const Field kOptionalFeatures[]
    = { Field::TimeOutTimer, Field::TotPreAlert, Field::SquelchLevel, Field::VoiceAnnunciation,
          Field::VoxGainLevel, Field::VoxDelayTime, Field::CallTone, Field::CallKeyDefine,
          Field::Beep, Field::BatterySaver, Field::VoxFunction, Field::ScanFunction };
const Field kScanInformation[] = { Field::Priority, Field::PriorityChannel, Field::LookBackTimeA,
    Field::LookBackTimeB, Field::RevertChannel, Field::DropoutDelayTime, Field::TxDwellTime };

/// A heading and label/value rows from (x, y) down; returns the y below the last row.
int SettingsBlock(QVector<ReportOp> &ops, const ChannelSheetInput &in, const QString &heading,
    const Field *fields, int count, int x, int valueX, int y)
{
    ops << TextOp(x, y, heading, ReportFont::Large);
    y -= TitleLine;
    for (int i = 0; i < count; ++i) {
        const Field f = fields[i];
        ops << TextOp(x, y, FieldLabel(f, in.language) + QLatin1Char(':'));
        // The texts `show` gives: a code without one (Priority Channel 17 while
        // Priority is None, an unset Revert Channel) has nothing to tell the customer.
        const int code = ReadField(in.image, f);
        ops << TextOp(valueX, y, SettingText(in.image, f, code, in.language));
        y -= TextLine;
    }
    return y;
}

} // namespace

int SheetTextWidth(const QString &text)
{
    // Generous for the sheet's 9 pt serif: 0.6 em a letter, a whole em for wide characters.
    constexpr int Narrow = ChannelSheetTextPt * 20 * 6 / 10;
    constexpr int Wide = ChannelSheetTextPt * 20;
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 ? Wide : Narrow;
    return width;
}

QString ElideMiddle(const QString &text, int widthTwips)
{
    if (SheetTextWidth(text) <= widthTwips)
        return text;
    const QString dots = QStringLiteral("\u2026");
    // Both ends stay: the folder or first words, and the name's end with its suffix.
    QString head = text.left(text.size() / 2);
    QString tail = text.mid(text.size() / 2);
    while (!head.isEmpty() || !tail.isEmpty()) {
        if (SheetTextWidth(head + dots + tail) <= widthTwips)
            return head + dots + tail;
        if (head.size() > tail.size())
            head.chop(1);
        else
            tail.remove(0, 1);
    }
    return SheetTextWidth(dots) <= widthTwips ? dots : QString();
}

ChannelSheetInput MakeChannelSheetInput(
    const MemoryImage &image, const QString &fileName, Language lang, const QDate &date)
{
    ChannelSheetInput in;
    in.image = image;
    in.language = lang;
    in.table = ChannelTable::withHeaders(lang);
    ChannelsToTable(image, in.table, lang);
    const int type = ReadField(image, Field::ProductType);
    const QStringList types = ProductTypeList(theIniFile);
    in.typeText = type >= 0 && type < types.size() ? types.at(type) : QString();
    in.bandText = BandTextOfIndex(
        ProductBandList(theIniFile, type), ReadField(image, Field::FrequencyBand));
    in.fileName = fileName;
    in.date = date;
    return in;
}

QString ChannelSheetTitle(Language lang)
{
    return LanguageText(lang, "Channel Sheet", "信道一览表");
}

QVector<ReportOp> LayoutChannelSheet(const ChannelSheetInput &in, int widthTwips, int heightTwips)
{
    Q_UNUSED(heightTwips)
    const Language lang = in.language;
    QVector<ReportOp> ops;
    const int left = Margin;
    const int right = qMax(left + 4000, widthTwips - Margin);
    int y = -Margin;

    ops << TextOp(left, y, ChannelSheetTitle(lang), ReportFont::Large);
    y -= TitleLine + TextLine / 2;
    ops << TextOp(left, y,
        LanguageText(lang, "Radio type: %1    Band: %2", "机型：%1    频段：%2")
            .arg(in.typeText, in.bandText));
    y -= TextLine;
    const QString fileLine = LanguageText(lang, "File: %1    Date: %2", "文件：%1    日期：%2");
    const QString date = in.date.toString(Qt::ISODate);
    // The date must stay on the page: a long name gives way in its middle.
    const int room = right - left - SheetTextWidth(QString(fileLine).arg(QString(), date));
    ops << TextOp(left, y, fileLine.arg(ElideMiddle(in.fileName, room), date));
    y -= TextLine + TextLine / 2;

    // The channel table: the grid's ten columns in its width proportions.
    double factors = 0;
    for (int c = 0; c < ChannelTable::Cols; ++c)
        factors += GridColumnWidthFactor(c);
    QVector<int> xs { left };
    for (int c = 0; c < ChannelTable::Cols; ++c)
        xs << xs.last() + int((right - left) * GridColumnWidthFactor(c) / factors);
    xs.last() = right;
    const int tableTop = y;
    for (int r = 0; r < ChannelTable::Rows; ++r) {
        ops << LineOp(left, y, right, y);
        for (int c = 0; c < ChannelTable::Cols; ++c)
            ops << TextOp(xs.at(c) + CellPad, y - 30, in.table.text(r, c).trimmed());
        y -= RowHeight;
        if (r == 0) // the header row is underlined twice
            ops << LineOp(left, y + 20, right, y + 20);
    }
    ops << LineOp(left, y, right, y);
    for (const int x : xs)
        ops << LineOp(x, tableTop, x, y);
    y -= TextLine * 2;

    // Settings side by side: Optional Features at the left, Scan Information at the right.
    const int half = (right - left) / 2;
    const int valueOffset = half * 9 / 20;
    SettingsBlock(ops, in, LanguageText(lang, "Optional Features", "可选功能"), kOptionalFeatures,
        int(std::size(kOptionalFeatures)), left, left + valueOffset, y);
    SettingsBlock(ops, in, LanguageText(lang, "Scan Information", "扫描信息"), kScanInformation,
        int(std::size(kScanInformation)), left + half, left + half + valueOffset, y);
    return ops;
}
