#include "notebook/report/ReportDocument.h"

#include "notebook/report/ReportRecords.h"
#include "notebook/report/ToleranceMarks.h"

namespace notebook::report {

ReportDocument BuildReportDocument(const ReportRequest& request) {
    const PrintSettings& s = request.settings;
    return BuildReportDocument(
        request, ReadReportLayout(LayoutPath(s.FontPoints(), request.report, s.openSpacing)));
}

ReportDocument BuildReportDocument(const ReportRequest& request, const ReportLayout& layout) {
    std::vector<ReportSection> sections = ReadReportSections(request.database, request.report);
    QHash<QString, QString> values{{QStringLiteral("district"), request.district}};
    if (request.surveyClass && request.report == Report::ObservationNotebook) {
        MarkOverLimits(sections, *request.surveyClass);
        values.insert(QStringLiteral("class"), ClassLimitsText(*request.surveyClass));
    }
    ReportDocument document;
    document.layout = layout;
    // The first page number is the notebook's; the distance sheets start at 1.
    const int firstPage = request.report == Report::ObservationNotebook ? request.settings.firstPage : 1;
    document.pages = LayOutPages(layout, sections, firstPage, values);
    document.fontName = request.settings.fontName;
    document.fontPoints = request.settings.FontPoints();
    return document;
}

}  // namespace notebook::report
