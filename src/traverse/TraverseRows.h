#pragma once
// The rows traverse creation offers: one per target row of the reduction table, under the
// station whose row it follows, in table order.

#include <QString>
#include <vector>

#include "notebook/ReductionTable.h"

namespace traverse {

struct TraverseRow {
    int group = 0;  // the station row it follows, counted from 0 in table order
    QString station;
    QString target;
    QString distance;  // the slope distance shown, metres as the table writes it; may be empty
    // The distance came from the correction sheet: the row had none of its own. It is then
    // a horizontal distance, and the vertical angle is 90-00-00.
    bool corrected = false;
    QString direction;         // mean direction, d-mm-ss
    QString verticalAngle;     // zenith angle, d-mm-ss
    QString horizontalDistance;
    QString heightDifference;  // station mark to target mark
    QString targetElevation;   // entered, else computed
    QString stationElevation;  // of the station row
    QString memo;
};

// The rows, in table order. A target row before any station row is not offered.
std::vector<TraverseRow> TraverseRows(const notebook::TraverseSource& source);

// The index of the first row of each row's group: that target is the station's backsight.
// The rows are those TraverseRows gave.
int GroupFirstRow(const std::vector<TraverseRow>& rows, int row);

}  // namespace traverse
