#pragma once
// The distance correction (距離補正): every horizontal distance the reduction measured is
// reduced to sea level and then to the plane of the coordinate system, and the sheet
// KYORIHOSEI is written from the input KYORIHOSEI_ (the columns of both: CorrectionTables.h).
//
// For each input row:
//   S  the horizontal distance: FLD+7 when it is a number, else FLD7, else FLD-7.
//   H  the elevation, from the reduction table テーブル4 by the elevation source:
//        Registered  the station's elevation (KIKAIH of its station row), else the one the
//                    conditions give for stations without one;
//        Computed    the mean of the station's elevation and the target's (H when entered,
//                    else CULCH); the one of them that is known when the other is not.
//   c  = H × S / 6 370 000, rounded to millimetres: the sea-level correction;
//   S0 = S − c;
//   d  = (1 − k) × S0, rounded to millimetres: the correction to the plane by the scale
//        factor k (k = 1 when the conditions leave this correction out);
//   the plane distance is S0 − d.
// Rounding is half away from zero on the decimal digits. The sheet shows FLD1…FLD6 of the
// input, S as it was read, H, −c, S0, −d, k with six decimals and S0 − d; a row without S or
// H (a "*" where the reduction could not form a value, an unknown elevation) keeps its first
// seven columns and leaves the results empty.

#include <QString>
#include <optional>
#include <vector>

#include "notebook/CorrectionTables.h"
#include "notebook/ReductionTable.h"

namespace notebook {

enum class ElevationSource { Registered, Computed };

struct CorrectionConditions {
    ElevationSource elevationSource = ElevationSource::Registered;
    double scaleFactor = 1.0;  // k
    bool scaleCorrection = true;  // false: no correction to the plane (k taken as 1)
    // With the registered elevations: the elevation of a station that has none; without it
    // such a station's distances are left uncorrected.
    std::optional<double> elevationWhenUnknown;
};

inline constexpr double kEarthRadius = 6370000.0;  // metres, as the sea-level correction takes it

// The sheet for the input rows, one sheet row per input row in the same order. The reduction
// table's rows are a station row (its station name set) followed by its target rows (their
// target names set), in ID order; an input row takes the target row of its station and
// target that follows the one the previous input row took, so that a station observed twice
// gets the elevations of the matching occurrence; when none follows, the first one from the
// top.
std::vector<CorrectionSheetRow> ComputeCorrectionSheet(const std::vector<CorrectionInputRow>& input,
                                                       const std::vector<ReductionRow>& reduction,
                                                       const CorrectionConditions& conditions);

// Reads KYORIHOSEI_ and テーブル4 and replaces the sheet KYORIHOSEI, in one transaction: false,
// and the old sheet kept, when the file cannot be opened or any database operation fails.
bool RunDistanceCorrection(const QString& path, const CorrectionConditions& conditions);

}  // namespace notebook
