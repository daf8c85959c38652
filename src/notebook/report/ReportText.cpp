#include "notebook/report/ReportText.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace notebook::report {
namespace {

QString InColumn(const QString& text, const LayoutColumn& column, Align align) {
    const QString cell = platform::cp932::CutToBytes(text, column.width);
    const int room = column.width - platform::cp932::ByteLength(cell);
    switch (align) {
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
        const LayoutColumn& column = table.columns[i];
        text += InColumn(at < cells.size() ? cells[at] : QString(), column, column.align) + u' ';
    }
    return text;
}

QString HeadingText(const LayoutTable& table) {
    QString text(1, u' ');
    for (const LayoutColumn& column : table.columns) text += InColumn(column.heading, column, Align::Center) + u' ';
    return text;
}

}  // namespace notebook::report
