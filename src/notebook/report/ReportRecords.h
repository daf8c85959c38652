#pragma once
// The rows a report prints, read from the notebook database as records of text by field
// name, so that a layout may name any field of its table. A report is a list of sections;
// each starts a new page and has its own header record:
//   report 1  one section, the rows of KYORIHOSEI
//   report 2  one section, the rows of テーブル4
//   report 3  one section per station: its HEDDER row, and the DATA rows numbered after it
//             and before the next station's (DATA and HEDDER share one row counter)

#include <QHash>
#include <QString>
#include <vector>

#include "notebook/report/LayoutFiles.h"

namespace notebook::report {

// Field name in upper case → its text; a Null field reads as "".
using Record = QHash<QString, QString>;

struct ReportSection {
    Record header;  // the station's HEDDER row for report 3, else empty
    std::vector<Record> rows;
};

// Splits DATA rows (in ID order) among the stations whose HEDDER rows (in ID order) come
// before them. DATA rows before the first station are put under an empty header.
std::vector<ReportSection> SplitByStation(const std::vector<Record>& headers,
                                          const std::vector<Record>& data);

// The sections of the report from the notebook database at the path. Throws
// platform::FileError when the file or its tables cannot be read.
std::vector<ReportSection> ReadReportSections(const QString& path, Report report);

}  // namespace notebook::report
