#include "notebook/report/ReportText.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace notebook::report {
namespace {

QString InColumn(const QString& text, const LayoutColumn& column) {
    const QString cell = platform::cp932::CutToBytes(text, column.width);
    const int room = column.width - platform::cp932::ByteLength(cell);
    switch (column.align) {
    case Align::Left: return cell + QString(room, u' ');
    case Align::Right: return QString(room, u' ') + cell;
    case Align::Center: return QString(room / 2, u' ') + cell + QString(room - room / 2, u' ');
    }
    return cell;
}

}  // namespace

std::vector<int> ColumnStarts(const LayoutTable& table) {
    std::vector<int> starts;
    int at = 1;
    for (const LayoutColumn& column : table.columns) {
        starts.push_back(at);
        at += column.width + 1;
    }
    starts.push_back(at);
    return starts;
}

int LayoutWidth(const ReportLayout& layout) {
    int width = 0;
    for (const LayoutTable& table : layout.tables) width = std::max(width, ColumnStarts(table).back());
    return width;
}

QString RowText(const LayoutTable& table, const QStringList& cells) {
    QString text(1, u' ');
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const qsizetype at = static_cast<qsizetype>(i);
        text += InColumn(at < cells.size() ? cells[at] : QString(), table.columns[i]) + u' ';
    }
    return text;
}

QString HeadingText(const LayoutTable& table) {
    QStringList headings;
    for (const LayoutColumn& column : table.columns) headings.append(column.heading);
    LayoutTable centred = table;
    for (LayoutColumn& column : centred.columns) column.align = Align::Center;
    return RowText(centred, headings);
}

}  // namespace notebook::report
