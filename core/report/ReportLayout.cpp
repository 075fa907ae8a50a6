// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ReportLayout.h"

#include "core/report/ReportTexts.h"

#include <QtGlobal>

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int ChannelsPerPage = 7;

void layoutOptionsPage(const ReportInput &in, const ReportMetrics &m, QVector<ReportOp> &ops)
{
    const Language lang = in.language;
    ops.append(TextOp(6 * m.w, -m.l1, ReportOptionTitle(lang), ReportFont::Large));
    ops.append(TextOp(6 * m.w, -4 * m.l2, ReportFunctionTitle(lang), ReportFont::Small));
    const QVector<ReportRow> rows = ReportOptionRows(in.image, lang);
    for (int i = 0; i < rows.size(); ++i) {
        const int y = -(5 + i) * m.l2;
        ops.append(TextOp(9 * m.w, y, rows[i].label, ReportFont::Small));
        ops.append(TextOp(35 * m.w, y, rows[i].value, ReportFont::Small));
    }
}

void layoutChannelPage(
    const ReportInput &in, int page, const ReportMetrics &m, QVector<ReportOp> &ops)
{
    const Language lang = in.language;
    // Counted again here: the page must print what the grid holds now.
    const QList<int> used = UsedChannelRows(in.table);
    ops.append(TextOp(6 * m.w, -m.l1, ReportChannelTitle(lang), ReportFont::Large));

    const QVector<ReportChannelLine> lines = ReportChannelLines(lang);
    const int first = ChannelsPerPage * (page - 2);
    const int last = qMin(ChannelsPerPage * (page - 1), int(used.size()));
    for (int i = first; i < last; ++i) {
        const int j = i - first;
        const int row = used[i];
        const int delta = int(5.7 * j * m.l2);
        ops.append(
            TextOp(4 * m.w, -4 * m.l2 - delta, ReportChannelHeading(row, lang), ReportFont::Small));
        for (int k = 0; k < lines.size(); ++k) {
            const int y = -(5 + k) * m.l2 - delta;
            const ReportChannelLine &l = lines[k];
            ops.append(TextOp(5 * m.w, y, l.leftLabel, ReportFont::Small));
            ops.append(TextOp(22 * m.w, y, in.table.text(row, l.leftColumn), ReportFont::Small));
            ops.append(TextOp(36 * m.w, y, l.rightLabel, ReportFont::Small));
            ops.append(TextOp(55 * m.w, y, in.table.text(row, l.rightColumn), ReportFont::Small));
        }
    }
}

} // namespace

ReportMetrics ReportUnits(int widthPx, int heightPx, int dpiX, int dpiY)
{
    ReportMetrics m;
    if (dpiX <= 0 || dpiY <= 0)
        return m;
    // Truncating at each step, as the page units have always been worked out.
    m.h = int((qint64(heightPx) * TwipsPerInch / dpiY) / 45);
    m.w = int((qint64(widthPx) * TwipsPerInch / dpiX) / 66);
    return m;
}

ReportFontSize ReportFontSizeOf(ReportFont font, const ReportMetrics &m)
{
    if (font == ReportFont::Large)
        return { m.h, m.w };
    return { int(0.8 * m.h), int(0.8 * m.w) };
}

QList<int> UsedChannelRows(const ChannelTable &table)
{
    QList<int> rows;
    for (int row = 1; row < ChannelTable::Rows; ++row)
        if (!table.text(row, ColRx).isEmpty())
            rows.append(row);
    return rows;
}

int ReportPageCount(int usedChannels)
{
    return 1 + (usedChannels + ChannelsPerPage - 1) / ChannelsPerPage;
}

int ReportPageCount(const ChannelTable &table)
{
    return ReportPageCount(UsedChannelRows(table).size());
}

QVector<ReportOp> LayoutReportPage(const ReportInput &input, int page, const ReportMetrics &m)
{
    QVector<ReportOp> ops;
    const int total = ReportPageCount(input.table);
    const int L = m.l1;
    const int left = 5 * m.w;
    const int right = 60 * m.w;
    ops.append(LineOp(left, -(2 * L + 50), right, -(2 * L + 50)));
    ops.append(LineOp(left, -(2 * L + 120), right, -(2 * L + 120)));
    ops.append(LineOp(left, -36 * L + L / 2, right, -36 * L + L / 2));

    if (page == 1)
        layoutOptionsPage(input, m, ops);
    else
        layoutChannelPage(input, page, m, ops);

    ops.append(TextOp(10 * m.w, -36 * L, input.owner, ReportFont::Small));
    ops.append(TextOp(45 * m.w, -36 * L, ReportPageText(page, total), ReportFont::Small));
    return ops;
}

ReportOp TextOp(int x, int y, const QString &text, ReportFont font)
{
    ReportOp op;
    op.kind = ReportOp::Text;
    op.x = x;
    op.y = y;
    op.font = font;
    op.text = text;
    return op;
}

ReportOp LineOp(int x, int y, int x2, int y2)
{
    ReportOp op;
    op.kind = ReportOp::Line;
    op.x = x;
    op.y = y;
    op.x2 = x2;
    op.y2 = y2;
    return op;
}
