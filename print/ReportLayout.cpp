#include "print/ReportLayout.h"

#include "print/ReportTexts.h"

#include <QtGlobal>

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int ChannelsPerPage = 7;

ReportOp text(int x, int y, ReportFont font, const QString &s)
{
    ReportOp op;
    op.kind = ReportOp::Text;
    op.x = x;
    op.y = y;
    op.font = font;
    op.text = s;
    return op;
}

ReportOp line(int x1, int y, int x2)
{
    ReportOp op;
    op.kind = ReportOp::Line;
    op.x = x1;
    op.y = y;
    op.x2 = x2;
    op.y2 = y;
    return op;
}

void layoutOptionsPage(const ReportInput &in, const ReportMetrics &m, QVector<ReportOp> &ops)
{
    const Language lang = in.language;
    ops.append(text(6 * m.w, -m.l1, ReportFont::Large, ReportOptionTitle(lang)));
    ops.append(text(6 * m.w, -4 * m.l2, ReportFont::Small, ReportFunctionTitle(lang)));
    const QVector<ReportRow> rows = ReportOptionRows(in.image, lang);
    for (int i = 0; i < rows.size(); ++i) {
        const int y = -(5 + i) * m.l2;
        ops.append(text(9 * m.w, y, ReportFont::Small, rows[i].label));
        ops.append(text(35 * m.w, y, ReportFont::Small, rows[i].value));
    }
}

void layoutChannelPage(
    const ReportInput &in, int page, const ReportMetrics &m, QVector<ReportOp> &ops)
{
    const Language lang = in.language;
    // Counted again here: the page must print what the grid holds now.
    const QList<int> used = UsedChannelRows(in.table);
    ops.append(text(6 * m.w, -m.l1, ReportFont::Large, ReportChannelTitle(lang)));

    const QVector<ReportChannelLine> lines = ReportChannelLines(lang);
    const int first = ChannelsPerPage * (page - 2);
    const int last = qMin(ChannelsPerPage * (page - 1), int(used.size()));
    for (int i = first; i < last; ++i) {
        const int j = i - first;
        const int row = used[i];
        const int delta = int(5.7 * j * m.l2);
        ops.append(
            text(4 * m.w, -4 * m.l2 - delta, ReportFont::Small, ReportChannelHeading(row, lang)));
        for (int k = 0; k < lines.size(); ++k) {
            const int y = -(5 + k) * m.l2 - delta;
            const ReportChannelLine &l = lines[k];
            ops.append(text(5 * m.w, y, ReportFont::Small, l.leftLabel));
            ops.append(text(22 * m.w, y, ReportFont::Small, in.table.text(row, l.leftColumn)));
            ops.append(text(36 * m.w, y, ReportFont::Small, l.rightLabel));
            ops.append(text(55 * m.w, y, ReportFont::Small, in.table.text(row, l.rightColumn)));
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
    ops.append(line(left, -(2 * L + 50), right));
    ops.append(line(left, -(2 * L + 120), right));
    ops.append(line(left, -36 * L + L / 2, right));

    if (page == 1)
        layoutOptionsPage(input, m, ops);
    else
        layoutChannelPage(input, page, m, ops);

    ops.append(text(10 * m.w, -36 * L, ReportFont::Small, input.owner));
    ops.append(text(45 * m.w, -36 * L, ReportFont::Small, ReportPageText(page, total)));
    return ops;
}
