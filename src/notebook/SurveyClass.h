#pragma once
// The check a surveyor makes on the notebook against the limits of the survey class
// (作業規程の準則, 観測値の点検): a value strictly over its limit calls for re-observation;
// a value equal to its limit passes.
//
// 倍角差 and 観測差 are compared per target across the sets of a station; 高度定数の較差
// is the spread of the index constants of the targets of a station within one set; the
// distance differences are the two readings of one sighting and the set means of one
// target, in millimetres.

#include <QString>
#include <optional>
#include <vector>

#include "notebook/FieldBookStations.h"
#include "notebook/SetReduction.h"

namespace notebook {

enum class SurveyClass { First, SecondWithFirstClassInstrument, SecondWithSecondClassInstrument, Third, Fourth };

// "1", "2a" (2級 with a 1級 instrument), "2b" (2級 with a 2級 instrument), "3", "4"; nullopt
// for anything else.
std::optional<SurveyClass> ParseSurveyClass(const QString& text);
// The class as a surveyor names it, "2級 (1級TS)".
QString SurveyClassName(SurveyClass surveyClass);

enum class Quantity { DoubleAngleSpread, DifferenceSpread, IndexSpread, ReadingDifference, SetDifference };
QString QuantityName(Quantity quantity);  // 倍角差, 観測差, 高度定数の較差, 距離の較差, セット間の較差
QString QuantityUnit(Quantity quantity);  // ″ or mm

// The limit of the quantity in the class: seconds of arc, or millimetres.
double Limit(SurveyClass surveyClass, Quantity quantity);

// A checked value of the notebook: where it belongs, what it is, how large.
struct Measure {
    QString station, target;  // target empty for the index-constant spread
    int set = 0;              // the set of a per-set value; 0 for values across the sets
    Quantity quantity = Quantity::DoubleAngleSpread;
    double value = 0;
};

// The checked values of a station observed in sets.
std::vector<Measure> MeasuresOf(const QString& station, const SetReduction& reduction);
// The reading differences of a station listed plainly.
std::vector<Measure> MeasuresOf(const QString& station, const std::vector<Sighting>& sightings);

// One line for a surveyor: station, target or set, quantity, value and limit, e.g.
// "T1  T3  倍角差 32″（制限 30″）".
QString DescribeExcess(const Measure& measure, SurveyClass surveyClass);

// The measures strictly over the class's limits, in notebook order. Values are compared to
// a thousandth of their unit, so that the binary remainder of a computed value at the limit
// does not count as an excess.
std::vector<Measure> OverLimit(const std::vector<Measure>& measures, SurveyClass surveyClass);

}  // namespace notebook
