#pragma once
// Which lines go on which page of a report. Every section starts a new page (report 3: each
// station) and a page holds at most the layout's lines per page; a section without rows
// still has one page, for its header. A table's headings open every page it prints on and
// come again where its rows follow another table's; they count as lines of the page.
//
// A header line's {NAME} becomes, in this order of search:
//   {page}   the page's number          {pages}  the number of the report's last page
//   a field of the section's header record (report 3: HEDDER, e.g. {FLD1} the station)
//   a value the caller gives (e.g. {district}, {class})
// and nothing when none has it.

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "notebook/report/ReportLayout.h"
#include "notebook/report/ReportRecords.h"

namespace notebook::report {

struct PageLine {
    size_t table = 0;     // the layout's table the line prints in
    bool heading = false; // the table's headings rather than a row
    QStringList cells;    // a row's: one per column of its table
};

struct ReportPage {
    int number = 0;
    QStringList header;           // the layout's header lines, filled in
    std::vector<PageLine> lines;
};

// The table of the layout that prints the row.
size_t TableOf(const ReportLayout& layout, const Record& row);

// The pages of the report, numbered from firstPage.
std::vector<ReportPage> LayOutPages(const ReportLayout& layout,
                                    const std::vector<ReportSection>& sections, int firstPage,
                                    const QHash<QString, QString>& values);

// The header line with its placeholders filled from the values (names in any case).
QString FillPlaceholders(const QString& line, const QHash<QString, QString>& values);

}  // namespace notebook::report
