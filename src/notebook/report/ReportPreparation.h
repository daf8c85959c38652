#pragma once
// What the notebook database needs before a report is made from it: the distance-correction
// sheet for report 1, the stations' heights for reports 2 and 3, the first page number in
// the station headers for report 3. Each is one transaction and says false when it failed,
// for the print form to give its message.

#include <QString>

#include "notebook/DistanceCorrection.h"

namespace platform {
class Database;
}

namespace notebook::report {

// Writes the first page number into every station header (HEDDER.FLD16).
bool WritePageNumber(const QString& path, int firstPage);

// The heights the district gives, written as a confirmed station-elevation editor that
// nobody changed writes them: each station's registered elevation, and the elevations of
// its targets from it.
bool WriteRegisteredHeights(const QString& path, platform::Database* district);

}  // namespace notebook::report
