#include "notebook/report/ReportPages.h"

#include <QRegularExpression>
#include <algorithm>

namespace notebook::report {
namespace {

QStringList Cells(const LayoutTable& table, const Record& row) {
    QStringList cells;
    for (const LayoutColumn& column : table.columns) cells.append(row.value(column.field));
    return cells;
}

// The values a section's pages draw from, keyed in upper case.
QHash<QString, QString> SectionValues(const Record& header, const QHash<QString, QString>& given) {
    QHash<QString, QString> values;
    for (auto it = given.begin(); it != given.end(); ++it)
        values.insert(it.key().toUpper(), it.value());
    for (auto it = header.begin(); it != header.end(); ++it)
        values.insert(it.key().toUpper(), it.value());
    return values;
}

// The end of the group of rows that starts at `from`: the rows after it of the same table
// whose keep field is empty.
size_t GroupEnd(const ReportLayout& layout, const std::vector<Record>& rows, size_t from) {
    size_t end = from + 1;
    if (layout.keep.isEmpty()) return end;
    const size_t table = TableOf(layout, rows[from]);
    while (end < rows.size() && rows[end].value(layout.keep).isEmpty() && TableOf(layout, rows[end]) == table) ++end;
    return end;
}

void AddSectionPages(const ReportLayout& layout, const ReportSection& section,
                     std::vector<ReportPage>& pages) {
    const size_t perPage = static_cast<size_t>(layout.linesPerPage);
    ReportPage* page = &pages.emplace_back();
    const auto opensTable = [&page](size_t table) {
        return page->lines.empty() || page->lines.back().table != table;
    };
    for (size_t from = 0; from < section.rows.size();) {
        const size_t end = GroupEnd(layout, section.rows, from);
        const size_t table = TableOf(layout, section.rows[from]);
        // A group goes whole onto a new page when it does not fit the rest of this one but
        // fits a page of its own; a heading is never left alone at the foot of a page.
        const size_t group = std::min(end - from, perPage - 1) + (opensTable(table) ? 1 : 0);
        if (!page->lines.empty() && page->lines.size() + group > perPage) page = &pages.emplace_back();
        for (size_t i = from; i < end; ++i) {
            if (page->lines.size() + (opensTable(table) ? 2 : 1) > perPage) page = &pages.emplace_back();
            if (opensTable(table)) page->lines.push_back({table, true, {}});
            page->lines.push_back({table, false, Cells(layout.tables[table], section.rows[i])});
        }
        from = end;
    }
}

}  // namespace

size_t TableOf(const ReportLayout& layout, const Record& row) {
    for (size_t t = 0; t < layout.tables.size(); ++t)
        if (layout.tables[t].Takes(row.value(layout.tables[t].field))) return t;
    return 0;
}

QString FillPlaceholders(const QString& line, const QHash<QString, QString>& values) {
    static const QRegularExpression placeholder(QStringLiteral("\\{([A-Za-z0-9_]+)\\}"));
    QString filled;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(line)) {
        filled += line.mid(from, m.capturedStart() - from) + values.value(m.captured(1).toUpper());
        from = m.capturedEnd();
    }
    return filled + line.mid(from);
}

std::vector<ReportPage> LayOutPages(const ReportLayout& layout,
                                    const std::vector<ReportSection>& sections, int firstPage,
                                    const QHash<QString, QString>& values) {
    std::vector<ReportPage> pages;
    std::vector<size_t> sectionStart;
    for (const ReportSection& section : sections) {
        sectionStart.push_back(pages.size());
        AddSectionPages(layout, section, pages);
    }
    const QString last = QString::number(firstPage + static_cast<int>(pages.size()) - 1);
    for (size_t s = 0; s < sections.size(); ++s) {
        QHash<QString, QString> pageValues = SectionValues(sections[s].header, values);
        pageValues.insert(QStringLiteral("PAGES"), last);
        const size_t end = s + 1 < sections.size() ? sectionStart[s + 1] : pages.size();
        for (size_t p = sectionStart[s]; p < end; ++p) {
            pages[p].number = firstPage + static_cast<int>(p);
            pageValues.insert(QStringLiteral("PAGE"), QString::number(pages[p].number));
            for (const QString& line : layout.header)
                pages[p].header.append(FillPlaceholders(line, pageValues));
        }
    }
    return pages;
}

}  // namespace notebook::report
