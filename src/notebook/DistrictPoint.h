#pragma once
// A station's known point in the district: the notebook looks every station up by name to
// take its elevation.

#include <QString>

namespace platform {
class Database;
}

namespace notebook {

inline constexpr qint32 kPointNotFound = -100000;
inline constexpr qint32 kPointAmbiguous = -100001;
inline constexpr double kNoElevation = -9999;

struct DistrictPoint {
    qint32 code;       // minus the point's ID; kPointNotFound or kPointAmbiguous
    double elevation;  // kNoElevation unless one point was found with its height set
};

// Looks the name up among the district's points that are not deleted (table COORD of the
// district's calculation database). Names match exactly, as everywhere in the district.
DistrictPoint LookUpDistrictPoint(platform::Database& district, const QString& name);

}  // namespace notebook
