#pragma once
// The elevations of the stations of a reduction, as the station-elevation editor shows them
// before the distance and height reports: each station's elevation and where it comes from,
// and the heights the confirmed elevations give the reduction table.

#include <QString>
#include <optional>
#include <vector>

#include "notebook/ReductionTable.h"
#include "notebook/SameNamePoints.h"

namespace platform {
class Database;
}

namespace notebook {

// Where a station's elevation comes from, as the editor's comment column says it.
inline const QString kElevationRead = QStringLiteral("読込み値");           // the district's, found once
inline const QString kNewPoint = QStringLiteral("新　点");                  // not in the district
inline const QString kChooseElevation = QStringLiteral("読込み値選択");     // the name is there more than once
inline const QString kElevationComputed = QStringLiteral("自動計算値");     // sighted from an earlier station

struct StationElevation {
    qint32 rowId = 0;   // the station row of テーブル4
    QString station;
    QString elevation;  // metres, "0.000"; empty when unknown
    qint32 lookUpCode = 0;
    QString comment;
};

// One entry per station row of the table, in table order. A station found once in the
// district (table COORD) takes its height; a new point takes the elevation an earlier
// station computed for it as a target (CULCH), when there is one. Without a district every
// station is a new point. Throws platform::DbError when the district cannot be read.
std::vector<StationElevation> StationElevations(const std::vector<ReductionRow>& table,
                                                platform::Database* district);

// The station once the user has said which of the district's points of its name it is: that
// point's height ("0.000", empty when it has none) read from the district, and the look-up
// code that points to it.
StationElevation WithChosenPoint(StationElevation station, const SameNamePoint& point);

// An elevation as the user typed it, rounded to millimetres on its decimal digits ("12.3456"
// gives "12.346"); blank text clears the elevation. nullopt when the text is no number.
std::optional<QString> TypedElevation(const QString& typed);

// The table's heights from the confirmed station elevations: each station row gets its
// elevation and look-up code, each target row under it the elevation plus its height
// difference (CULCH), or nothing where either is unknown.
std::vector<HeightEdit> HeightEditsOf(const std::vector<ReductionRow>& table,
                                      const std::vector<StationElevation>& confirmed);

}  // namespace notebook
