#include "notebook/report/ToleranceMarks.h"

#include <cmath>

#include "notebook/NotebookLayout.h"

namespace notebook::report {
namespace {

struct CheckedField {
    QString rowKind;  // FLD19 of the rows that hold it
    QString field;
    Quantity quantity;
};

const std::vector<CheckedField>& CheckedFields() {
    static const std::vector<CheckedField> fields{
        {kHorizontalRow, QStringLiteral("FLD9"), Quantity::DoubleAngleSpread},
        {kHorizontalRow, QStringLiteral("FLD10"), Quantity::DifferenceSpread},
        {kVerticalRow, QStringLiteral("FLD13"), Quantity::IndexSpread},
        // Reading differences and the spread between sets share the column and the limit.
        {kVerticalRow, QStringLiteral("FLD16"), Quantity::ReadingDifference},
    };
    return fields;
}

void Mark(QString& cell, double limit) {
    bool ok = false;
    const double value = cell.trimmed().toDouble(&ok);
    if (ok && std::abs(value) > limit) cell += kOverLimitMark;
}

}  // namespace

QString ClassLimitsText(SurveyClass surveyClass) {
    QString text = SurveyClassName(surveyClass) + u':';
    for (Quantity q : {Quantity::DoubleAngleSpread, Quantity::DifferenceSpread, Quantity::IndexSpread,
                       Quantity::ReadingDifference})
        text += u' ' + QuantityName(q) + u' ' + QString::number(Limit(surveyClass, q)) + QuantityUnit(q);
    return text;
}

void MarkOverLimits(std::vector<ReportSection>& sections, SurveyClass surveyClass) {
    for (ReportSection& section : sections)
        for (Record& row : section.rows)
            for (const CheckedField& checked : CheckedFields())
                if (row.value(QStringLiteral("FLD19")) == checked.rowKind && row.contains(checked.field))
                    Mark(row[checked.field], Limit(surveyClass, checked.quantity));
}

}  // namespace notebook::report
