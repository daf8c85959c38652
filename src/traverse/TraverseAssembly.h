#pragma once
// Builds a traverse from the rows the user checked: one station per station of the reduction
// table with a checked row, its backsight, its checked sights, and every point resolved
// against the district.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "traverse/TraverseRows.h"
#include "traverse/clsTrb.h"

namespace traverse {

// What the district knows of a point name.
struct DistrictMatch {
    qint32 id = 0;  // the point's ID; 0: the name stands for a new point
    double x = 0;   // metres, north
    double y = 0;   // metres, east
    bool located = false;  // x and y are the point's; a district point may have none
    std::optional<double> z;
};
// Answers the district's point for a name: looks it up, asks the user among points of the
// same name, or says it is new.
using PointResolver = std::function<DistrictMatch(const QString& name)>;

inline constexpr double kNoCoordinate = 9999999;

// One station as the rows gave it: row indices into the rows the traverse was built from.
struct StationRows {
    int backsight = 0;        // the first target row of the station: the sets start on it
    std::vector<int> sights;  // the checked rows, in table order
};

// Adds the stations of the checked rows (indices into rows, any order) to the empty
// traverse: AddMcTen, AddBackTen, then AddSijyunTen per checked row. Points take their
// elevation text from the reduction table (a station's own, a target's entered or computed
// one) and their memo from the target rows; the first non-empty one stays. Returns the
// rows of each station, parallel to the traverse's stations.
std::vector<StationRows> AssembleTraverse(clsTrb& traverse, const std::vector<TraverseRow>& rows,
                                          std::vector<int> checked);

// Gives every point its district ID, coordinates and height. A point without plane
// coordinates (new, or a district point that has none) gets kNoCoordinate as TenX and TenY;
// TenZ is calcstore::clsCoord::NoHeight() when the district has no height for it. A point only ever sighted
// is looked up only when resolveSighted is true: otherwise it becomes a point of the same
// name. Points the district does not give get provisional IDs -1, -2, … in table order, for
// the host to replace.
void ResolvePoints(clsTrb& traverse, const PointResolver& resolve, bool resolveSighted);

}  // namespace traverse
