#include "notebook/report/paint/ReportPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "notebook/report/ReportText.h"
#include "platform/FileError.h"

namespace notebook::report {
namespace {

// The metrics of one device: the unit of the fixed-pitch font and the line height, in
// device pixels.
struct PageMetrics {
    QFont font, titleFont;
    double unit = 0, line = 0, ascent = 0, descent = 0;
    double width = 0, height = 0;  // the whole page's content
    std::vector<std::vector<int>> starts;  // ColumnStarts of each table, worked out once
};

QFont ReportFont(const QString& name, double points) {
    QFont font(name);
    font.setPointSizeF(points);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The height of a table line in points: the layout's, or the font's when that is taller.
double LineHeight(const ReportLayout& layout, const QFontMetricsF& metrics, double dotsPerPoint) {
    return std::max(layout.lineHeight * dotsPerPoint, metrics.height());
}

// A page's height in lines: the title takes one and a half, the gap under the header one.
double PageLines(qsizetype headerLines, int tableLines) {
    return 2.5 + static_cast<double>(headerLines) + tableLines;
}

PageMetrics MetricsFor(const ReportDocument& document, QPaintDevice& device) {
    PageMetrics m;
    m.font = ReportFont(document.fontName, document.fontPoints);
    m.titleFont = m.font;
    m.titleFont.setPointSizeF(document.fontPoints * 1.6);
    m.titleFont.setBold(true);
    const QFontMetricsF metrics(m.font, &device);
    m.unit = metrics.horizontalAdvance(u'0');
    m.ascent = metrics.ascent();
    m.descent = metrics.descent();
    const ReportLayout& layout = document.layout;
    m.line = LineHeight(layout, metrics, device.logicalDpiY() / 72.0);
    m.width = LayoutWidth(layout) * m.unit;
    for (const LayoutTable& table : layout.tables) m.starts.push_back(ColumnStarts(table));
    for (const ReportPage& page : document.pages)
        for (const QString& header : page.header) m.width = std::max(m.width, metrics.horizontalAdvance(header));
    const qsizetype headerLines = document.pages.empty() ? 0 : document.pages.front().header.size();
    m.height = m.line * PageLines(headerLines, layout.linesPerPage);
    return m;
}

double Baseline(const PageMetrics& m, double top) {
    return top + (m.line + m.ascent - m.descent) / 2;
}

// The width of the widest table on the page, in units; the layout's widest on a page
// without lines.
int TablesWidth(const ReportPage& page, const PageMetrics& m) {
    int width = 0;
    for (const PageLine& line : page.lines) width = std::max(width, m.starts[line.table].back());
    if (width > 0) return width;
    for (const std::vector<int>& starts : m.starts) width = std::max(width, starts.back());
    return width;
}

void PaintTitleAndHeader(const ReportLayout& layout, const ReportPage& page, const PageMetrics& m,
                         QPainter& painter) {
    painter.setFont(m.titleFont);
    painter.drawText(QRectF(0, 0, m.width, m.line * 1.5), Qt::AlignCenter, layout.title);
    painter.setFont(m.font);
    double top = m.line * 1.5;
    for (const QString& header : page.header) {
        painter.drawText(QPointF(0, Baseline(m, top)), header);
        top += m.line;
    }
    const double width = (TablesWidth(page, m) - 0.5) * m.unit;
    if (layout.rules.header) painter.drawLine(QLineF(0, top + m.line / 4, width, top + m.line / 4));
}

void PaintLines(const ReportLayout& layout, const ReportPage& page, const PageMetrics& m, double top,
                QPainter& painter) {
    std::vector<QLineF> rules;
    double y = top;
    for (const PageLine& line : page.lines) {
        const LayoutTable& table = layout.tables[line.table];
        painter.drawText(QPointF(0, Baseline(m, y)), line.heading ? HeadingText(table) : RowText(table, line.cells));
        const std::vector<int>& starts = m.starts[line.table];
        if (layout.rules.columns)
            for (size_t c = 1; c + 1 < starts.size(); ++c) {
                const double x = (starts[c] - 0.5) * m.unit;
                rules.emplace_back(x, y, x, y + m.line);
            }
        if (line.heading && layout.rules.heading)
            rules.emplace_back(0, y + m.line, (starts.back() - 0.5) * m.unit, y + m.line);
        y += m.line;
    }
    if (layout.rules.frame && !page.lines.empty())
        painter.drawRect(QRectF(0, top, (TablesWidth(page, m) - 0.5) * m.unit, y - top));
    painter.drawLines(rules.data(), static_cast<int>(rules.size()));
}

void PaintPage(const ReportDocument& document, size_t page, const PageMetrics& m, QPainter& painter,
               const QPaintDevice& device, QSizeF area) {
    // Half a point. The frame and the rules are stroked on the content's edges, half their
    // pen outside: the content keeps a pen's width from the area's edges (half the pen, and
    // as much again for the smoothing of the stroke's edge), so that with margins of 0 nothing
    // is cut off at the paper's edge and with margins nothing runs into them.
    const double penWidth = device.logicalDpiY() / 144.0;
    const double scale =
        std::min({1.0, (area.width() - 2 * penWidth) / m.width, (area.height() - 2 * penWidth) / m.height});
    painter.save();
    painter.translate(penWidth, penWidth);
    painter.scale(scale, scale);
    QPen pen(Qt::black);
    pen.setWidthF(penWidth);
    painter.setPen(pen);
    const ReportPage& p = document.pages[page];
    PaintTitleAndHeader(document.layout, p, m, painter);
    PaintLines(document.layout, p, m, m.line * (2 + static_cast<double>(p.header.size())), painter);
    painter.restore();
}

}  // namespace

ReportDocument BuildReportForPaper(const ReportRequest& request, ReportLayout layout, const QPageLayout& paper) {
    // Measured at 72 dots per inch: a dot is a point.
    QImage sample(1, 1, QImage::Format_RGB32);
    sample.setDotsPerMeterX(2835);
    sample.setDotsPerMeterY(2835);
    const QFontMetricsF metrics(ReportFont(request.settings.fontName, request.settings.FontPoints()), &sample);
    const double line = LineHeight(layout, metrics, sample.logicalDpiY() / 72.0);
    const double room = paper.paintRect(QPageLayout::Point).height() / line - PageLines(layout.header.size(), 0);
    if (room < 2)
        throw platform::FileError(QString(), QStringLiteral("用紙の余白が大きすぎて帳票が入りません。余白を小さくするか"
                                                            "大きな用紙を選んでください。"));
    layout.linesPerPage = std::min(static_cast<int>(room), kMaxLinesPerPage);
    return BuildReportDocument(request, layout);
}

QPageLayout PageLayoutOf(const PrintSettings& settings, const QPageSize& defaultPaper) {
    const QPageSize::PageSizeId id = QPageSize::id(settings.paperSize);
    const QPageSize paper = settings.paperSize > 0 && id != QPageSize::Custom ? QPageSize(id) : defaultPaper;
    const auto orientation = settings.orientation == kPortrait ? QPageLayout::Portrait : QPageLayout::Landscape;
    return QPageLayout(paper, orientation,
                       QMarginsF(settings.marginLeft, settings.marginTop, settings.marginRight, settings.marginBottom),
                       QPageLayout::Millimeter);
}

void PaintReportPage(const ReportDocument& document, size_t page, QPainter& painter, QPaintDevice& device,
                     QSizeF area) {
    PaintPage(document, page, MetricsFor(document, device), painter, device, area);
}

bool PaintReport(const ReportDocument& document, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const PageMetrics m = MetricsFor(document, device);
    for (size_t page = 0; page < document.pages.size(); ++page) {
        if (page > 0 && !device.newPage()) return false;
        PaintPage(document, page, m, painter, device, QSizeF(device.width(), device.height()));
    }
    return painter.end();
}

}  // namespace notebook::report
