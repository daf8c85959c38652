#pragma once
// What the notebook database needs before a report is made from it: the distance-correction
// sheet for report 1, the stations' heights for reports 2 and 3, the first page number in
// the station headers for report 3. Each is one transaction and says false when it failed,
// for the print form to give its message.

#include <QString>

#include <vector>

#include "notebook/StationElevations.h"

namespace platform {
class Database;
}

namespace notebook::report {

// What the user is told when the distance-correction sheet, or the heights and page numbers
// of the distance and height sheets, cannot be written.
inline const QString kCorrectionSheetError = QStringLiteral("距離補正計算書作成エラー");
inline const QString kHeightSheetError = QStringLiteral("距離計算書作成エラー");

// Writes the first page number into every station header (HEDDER.FLD16).
bool WritePageNumber(const QString& path, int firstPage);

// The stations' elevations as the station-elevation editor offers them for confirmation.
// Throws platform::DbError when the district cannot be read.
std::vector<StationElevation> ElevationsToConfirm(const QString& path, platform::Database* district);

// The heights the confirmed elevations give the reduction table: each station's elevation,
// and the elevations of its targets from it.
bool WriteConfirmedElevations(const QString& path, const std::vector<StationElevation>& confirmed);

// The heights the district gives, written as a confirmed editor that nobody changed writes
// them.
bool WriteRegisteredHeights(const QString& path, platform::Database* district);

}  // namespace notebook::report
