#pragma once
// A report layout: the text file that says how one report is laid out on its pages. UTF-8,
// one directive per line; blank lines and lines starting with "#" are skipped.
//
//   title 観 測 手 簿             the report's title, printed above the header block
//   page 52 13.5                  lines per page, line height in points
//   header 観測点 {FLD1}  {page} / {pages}
//                                 a header block line (nothing after "header": an empty
//                                 one); {NAME} is replaced per page, see ReportPages.h.
//                                 Blanks round every line are dropped.
//   column FLD4 20 left 視準点名  a column: its record field, width in half-width
//                                 characters (a full-width one counts two), left, right or
//                                 center, and the heading (the rest of the line, may be
//                                 empty, no wider than the column)
//   table FLD19 0 2               starts a table of its own columns: the rows whose field
//                                 holds one of the values print in the columns that follow,
//                                 under their own headings (the notebook's horizontal and
//                                 vertical tables share one page). Without it one table
//                                 takes every row; a row no table takes goes to the first.
//   keep FLD4                     a row whose field is empty belongs with the row before it
//                                 (the faces and the sum of one sighting): a page breaks
//                                 before such a group rather than inside it
//   rule frame heading columns    ruled lines: frame round the table, a line under the
//                                 headings, lines between columns, a line under the header
//                                 block (any of frame heading columns header)
//
// page must appear once and every table needs a column; the rest may be left out.

#include <QString>
#include <QStringList>
#include <vector>

namespace notebook::report {

enum class Align { Left, Right, Center };

struct LayoutColumn {
    QString field;  // the record field, upper case (fields match without regard to case)
    int width = 0;
    Align align = Align::Left;
    QString heading;
};

// The columns a group of rows prints in. field empty: every row.
struct LayoutTable {
    QString field;
    QStringList values;
    std::vector<LayoutColumn> columns;

    bool Takes(const QString& value) const { return field.isEmpty() || values.contains(value); }
};

struct LayoutRules {
    bool frame = false;
    bool heading = false;
    bool columns = false;
    bool header = false;
};

struct ReportLayout {
    QString title;
    int linesPerPage = 0;
    double lineHeight = 0;  // points
    QStringList header;
    std::vector<LayoutTable> tables;
    QString keep;  // the field whose empty rows keep to the row before; empty: none
    LayoutRules rules;
};

// Limits a layout keeps to: beyond them it is no page a printer makes.
inline constexpr int kMaxLinesPerPage = 500;
inline constexpr double kMaxLineHeight = 144;
inline constexpr int kMaxColumnWidth = 400;
inline constexpr int kMaxTables = 16;

// Parses the lines of a layout file. Throws platform::FileError naming the path and the line
// (its number, from 1) of the first fault; line 0 when the fault is the file as a whole.
ReportLayout ParseReportLayout(const QStringList& lines, const QString& path);

// Reads and parses the layout file. A missing file throws a FileError whose Explanation()
// is the one the user is told (MissingLayoutMessage, LayoutFiles.h).
ReportLayout ReadReportLayout(const QString& path);

}  // namespace notebook::report
