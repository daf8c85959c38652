#include <QRectF>
#include <cmath>

#include "notebook/report/ReportText.h"
#include "notebook/report/paint/ReportFiles.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"

namespace notebook::report {
namespace {

int Twips(double points) {
    return static_cast<int>(std::lround(points * 20));
}

// From millimetres: the paper in points is rounded to whole points (A4 would be 11900
// twips wide, not the 11906 a word processor knows as A4).
int TwipsOfMillimetres(double millimetres) {
    return static_cast<int>(std::lround(millimetres * 1440 / 25.4));
}

// Text in RTF: ASCII as it is (the control characters escaped), everything else as a
// Unicode escape with "?" for readers that know none.
QByteArray RtfText(const QString& text) {
    QByteArray rtf;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            rtf += '\\';
            rtf += static_cast<char>(u);
        } else if (u >= 0x20 && u < 0x80) {
            rtf += static_cast<char>(u);
        } else {
            rtf += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
        }
    }
    return rtf;
}

// A font name in the font table, in the code page the table declares.
QByteArray RtfFontName(const QString& name) {
    QByteArray rtf;
    for (const char byte : platform::cp932::Encode(name))
        rtf += "\\'" + QByteArray::number(static_cast<uchar>(byte), 16).rightJustified(2, '0');
    return rtf;
}

QByteArray DocumentStart(const ReportDocument& document, const QPageLayout& paper) {
    const QRectF page = paper.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = paper.margins(QPageLayout::Millimeter);
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0\\uc1\n{\\fonttbl{\\f0\\fmodern\\fcharset128 " +
                     RtfFontName(document.fontName) + ";}}\n";
    const auto twips = [](double millimetres) { return QByteArray::number(TwipsOfMillimetres(millimetres)); };
    rtf += "\\paperw" + twips(page.width()) + "\\paperh" + twips(page.height()) + "\\margl" + twips(margins.left()) +
           "\\margr" + twips(margins.right()) + "\\margt" + twips(margins.top()) + "\\margb" + twips(margins.bottom());
    if (paper.orientation() == QPageLayout::Landscape) rtf += "\\landscape";
    return rtf + '\n';
}

QByteArray PageText(const ReportDocument& document, const ReportPage& page) {
    const ReportLayout& layout = document.layout;
    const QByteArray size = QByteArray::number(std::lround(document.fontPoints * 2));
    const QByteArray titleSize = QByteArray::number(std::lround(document.fontPoints * 3.2));
    // Exact line height, as the printed page has it.
    const QByteArray plain = "\\pard\\plain\\f0\\fs" + size + "\\sl-" + QByteArray::number(Twips(layout.lineHeight)) +
                             "\\slmult0 ";
    QByteArray rtf = "\\pard\\plain\\qc\\f0\\b\\fs" + titleSize + ' ' + RtfText(layout.title) + "\\par\n";
    for (const QString& header : page.header) rtf += plain + RtfText(header) + "\\par\n";
    rtf += plain + "\\par\n";
    for (const PageLine& line : page.lines) {
        const LayoutTable& table = layout.tables[line.table];
        rtf += plain + RtfText(line.heading ? HeadingText(table) : RowText(table, line.cells)) + "\\par\n";
    }
    return rtf;
}

}  // namespace

QByteArray ReportRtf(const ReportDocument& document, const QPageLayout& paper) {
    QByteArray rtf = DocumentStart(document, paper);
    for (size_t p = 0; p < document.pages.size(); ++p) {
        if (p > 0) rtf += "\\page\n";
        rtf += PageText(document, document.pages[p]);
    }
    return rtf + "}\n";
}

void WriteReportRtf(const QString& path, const ReportDocument& document, const QPageLayout& paper) {
    platform::WriteFileBytes(path, ReportRtf(document, paper));
}

}  // namespace notebook::report
