#pragma once
// The survey class on report 3: its limits in the header, and a "*" beside every printed
// value of the notebook that is strictly over its limit, so that a surveyor sees at a glance
// what calls for re-observation. A value is judged as it is printed (whole seconds, whole
// millimetres), as the surveyor reads it off the page.

#include <QString>
#include <vector>

#include "notebook/SurveyClass.h"
#include "notebook/report/ReportRecords.h"

namespace notebook::report {

inline const QString kOverLimitMark = QStringLiteral("*");

// "3級: 倍角差 30″ 観測差 20″ 高度定数の較差 30″ 距離の較差 20mm".
QString ClassLimitsText(SurveyClass surveyClass);

// Marks the values of the report's DATA rows: 倍角差 (FLD9) and 観測差 (FLD10) of the
// horizontal table, 高度定数の較差 (FLD13) and the distance differences (FLD16, of one
// sighting's readings and between sets) of the vertical table.
void MarkOverLimits(std::vector<ReportSection>& sections, SurveyClass surveyClass);

}  // namespace notebook::report
