#pragma once
// The six calculations traverse creation hands to the host, value by value: what each
// parameter and each element column holds. The host reads them in this order; `calc show`
// prints a stored calculation with these meanings.
//
// Units: angles are ddd.mmss (degrees, then two digits each of minutes and seconds, as
// 91.2315), lengths and heights metres. 9999999 is a value not given: the host takes it from
// the coordinates of the points it names or uses its own default, or the field book holds
// none (a sight without a distance, a direction the reduction could not form).
//
// Where each value of an element row comes from (one row per checked row of the grid):
//   station, target     the station of the row's group and the row's target
//   backsight           the first target of the station's group in the reduction table:
//                       the sets of a station start on the backsight, so its mean direction
//                       is the zero of the station's directions
//   水平角               the mean direction (HANG) minus the backsight's when the backsight
//                       direction is forced to zero (d5 する), else the mean direction as
//                       reduced; brought within 0 to 360 degrees
//   水平距離, 天頂角, 斜距離, 高低差
//                       CULCDIS, VANG, SOKUDIS and DH of the row; a row whose distance comes
//                       from the correction sheet has that distance as both distances, a
//                       zenith angle of 90-00-00 and no height difference.
// Rows of the connecting and closed traverses come route first (the sights the
// classification marks 前視, in station order), then the side shots (放射); their parameters
// count each. The other four keep station order: an open traverse's route is the chain of
// rows from its first station, each row's target the next row's station.
// A known point is a district point with plane coordinates; the others (new points, and
// district points recorded by name and height only) are to be determined.

#include <QString>
#include <span>

#include "calcstore/InputItem.h"

namespace traverse {

// How a value reads: what `calc show` prints it as.
enum class ValueKind { Point, Angle, Length, Height, Coordinate, Count, Text, NotGiven };

struct ValueSlot {
    qint32 type = 0;  // value-type code of the hand-off object
    ValueKind kind = ValueKind::NotGiven;
    const char16_t* meaning = u"";
};

struct CalculationKind {
    int digit;      // d6 of the options
    qint32 calcNo;  // the host's calculation type
    std::span<const ValueSlot> parameters;
    std::span<const ValueSlot> columns;
};

inline constexpr double kNotGiven = 9999999;

// By the d6 digit (1 to 6) or by the host's type code; nullptr when there is none.
const CalculationKind* KindOfDigit(int digit);
const CalculationKind* KindOfCalcNo(qint32 calcNo);

}  // namespace traverse
