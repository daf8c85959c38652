#pragma once
// A report line as text: the notebook is printed in a fixed-pitch font (the two fonts of the
// print form both are), where a half-width character is one unit and a full-width one two,
// as its CP932 bytes count. A line is one blank, then each column's cell padded to its width
// and one blank; the blanks between columns are where the column rules run.

#include <QString>
#include <QStringList>
#include <vector>

#include "notebook/report/ReportLayout.h"

namespace notebook::report {

// Where each column of the table starts, in units from the start of the line; one more
// entry gives the line's width.
std::vector<int> ColumnStarts(const LayoutTable& table);

// The width of the widest table of the layout, in units.
int LayoutWidth(const ReportLayout& layout);

// The row's cells in their columns. A cell wider than its column is cut at its width.
QString RowText(const LayoutTable& table, const QStringList& cells);

// The table's column headings in their columns.
QString HeadingText(const LayoutTable& table);

}  // namespace notebook::report
