#pragma once
// A report ready to be put on paper: its layout, its pages and the font it is printed in.
// Made from the notebook database and the layout the print settings choose; the painter,
// the RTF writer and the tests all take it from here.

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

#include "notebook/SurveyClass.h"
#include "notebook/report/LayoutFiles.h"
#include "notebook/report/PrintSettings.h"
#include "notebook/report/ReportLayout.h"
#include "notebook/report/ReportPages.h"

namespace notebook::report {

struct ReportDocument {
    ReportLayout layout;
    std::vector<ReportPage> pages;
    QString fontName;
    double fontPoints = 10;
};

struct ReportRequest {
    QString database;  // the notebook database (SHUBO.MDB)
    Report report = Report::ObservationNotebook;
    PrintSettings settings;
    QString district;  // the district's name, for the headers
    std::optional<SurveyClass> surveyClass;  // report 3 marks the values over its limits
};

// Reads the layout (LayoutPath of the settings' size and spacing) and the report's rows and
// lays out the pages, report 3 numbered from the settings' first page number. Throws platform::FileError for a
// missing or faulty layout (its Explanation() is what the user is told) or an unreadable
// database.
ReportDocument BuildReportDocument(const ReportRequest& request);

// The same from a layout already read.
ReportDocument BuildReportDocument(const ReportRequest& request, const ReportLayout& layout);

}  // namespace notebook::report
