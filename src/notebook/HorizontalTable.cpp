// The horizontal table of a station observed in sets: directions by row, reduced to the
// reference direction, with double angles, differences and the means.

#include "notebook/NotebookFormat.h"
#include "notebook/NotebookLayout.h"

namespace notebook {
namespace {

constexpr double kLargestDoubleAngle = 9999;
constexpr double kLargestSpread = 999;

QString DoubleAngleText(const Maybe& w) {
    if (!w) return QString();
    return *w <= kLargestDoubleAngle ? FormatDigits(*w, 4, 0, 4) : QStringLiteral("###");
}

// The difference with its sign; a "+" before a positive value (and zero). When the signed
// text does not fit its four columns it is the overflow mark, never a cut number.
QString DifferenceText(const Maybe& x) {
    if (!x) return QString();
    QString text = FormatDigits(*x, 4, 0, 4);
    if (!text.startsWith(u'-') && !text.startsWith(u'*')) text.prepend(u'+');
    return text.size() <= 4 ? text : QStringLiteral("****");
}

QString SpreadText(const Maybe& spread) {
    if (!spread) return QString();
    return *spread <= kLargestSpread ? FormatDigits(*spread, 1, 0, 0) : QStringLiteral("###");
}

void WriteHeader(NotebookPages& pages) {
    const QString q = QStringLiteral("\"");
    pages.Line(QString());
    pages.Line(QStringLiteral(" 目 望 番  視  準  点         水　 平　 角       倍  較  倍  観"));
    pages.Line(QStringLiteral("    遠                                                   角  測    平 均 値"));
    pages.Line(QStringLiteral(" 盛 鏡 号 名称又は番号     観 測 角    結   果   角  差  差  差"));
    pages.Line(QStringLiteral("                            ﾟ  '  ") + q + QStringLiteral("    ﾟ  '  ") + q +
               QStringLiteral("    ") + q + QStringLiteral("   ") + q + QStringLiteral("   ") + q +
               QStringLiteral("   ") + q + QStringLiteral("   　ﾟ　'  ") + q);
}

// Label, number, name, observed and reduced direction: the part every line has.
QString LineStart(const DataRow& row, const QString& label) {
    return label + row[3].rightJustified(3) + QStringLiteral(" [") + PadToBytes(row[4], 12) +
           QStringLiteral("] ") + row[5].rightJustified(11) + row[6].rightJustified(11);
}

QString LineEnd(const DataRow& row) {
    return row[7].rightJustified(5) + row[8].rightJustified(4) + row[9].rightJustified(4) +
           row[10].rightJustified(4) + u' ' + row[11].rightJustified(11);
}

void WriteTargetLine(NotebookPages& pages, const SetReduction& reduction, const TargetReduction& target,
                     int rowKind, int lineInRow) {
    const QString label = FaceRowLabel(rowKind, lineInRow, reduction.sets);
    DataRow row;
    row[1] = label.first(4);
    row[2] = rowKind == 2 || rowKind == 3 || rowKind == 6 ? QStringLiteral("l") : QStringLiteral("r");
    row[3] = QString::number(target.direction);
    const Sighting* cell = target.cells[static_cast<size_t>(rowKind)];
    row[4] = target.name;
    row[5] = DmsOrBlank(cell ? cell->horizontal : std::nullopt);
    row[6] = DmsOrBlank(target.reduced[static_cast<size_t>(rowKind)]);
    if (rowKind % 2 == 1) {  // the first face of a set carries the set's pair
        const size_t set = static_cast<size_t>((rowKind + 1) / 2);
        row[7] = DoubleAngleText(target.doubleAngle[set]);
        row[8] = DifferenceText(target.difference[set]);
    }
    if (rowKind == 1) {
        row[9] = SpreadText(target.doubleAngleSpread);
        row[10] = SpreadText(target.differenceSpread);
        row[11] = DmsOrBlank(target.meanDirection);
    }
    row[19] = kHorizontalRow;
    const QString text = LineStart(row, label) + LineEnd(row);
    pages.Row(text, std::move(row));
}

}  // namespace

void WriteHorizontalTable(NotebookPages& pages, const SetReduction& reduction,
                          const std::vector<Sighting>& remeasured) {
    WriteHeader(pages);
    for (int k = 1; k <= 2 * reduction.sets; ++k) {
        int lineInRow = 0;
        for (const TargetReduction& target : reduction.targets) WriteTargetLine(pages, reduction, target, k, ++lineInRow);
    }
    if (remeasured.empty()) return;
    WriteRemeasureSeparator(pages, kHorizontalRow);
    for (const Sighting& s : remeasured) {
        DataRow row;
        row[2] = s.face();
        row[3] = s.direction > 0 ? QString::number(s.direction) : QString();
        row[4] = s.name;
        row[5] = DmsOrBlank(s.horizontal);
        row[19] = kHorizontalRow;
        const QString text = LineStart(row, QString(5, u' ') + s.face());
        pages.Row(text, std::move(row));
    }
}

}  // namespace notebook
