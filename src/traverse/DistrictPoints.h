#pragma once
// The district's points as traverse creation resolves names against them.

#include <QString>
#include <functional>

#include "notebook/SameNamePoints.h"
#include "traverse/TraverseAssembly.h"

namespace platform {
class Database;
}

namespace traverse {

DistrictMatch MatchOf(const notebook::SameNamePoint& point);

// Resolves names without asking anyone: the one live point of a name is that point; a name
// the district lacks is a new point; a name held by several points is told to `ambiguous`
// (with the number of points) and taken as a new point. Throws platform::DbError when the
// district cannot be read.
PointResolver UniqueDistrictPoints(platform::Database& district,
                                   std::function<void(const QString& name, int count)> ambiguous);

}  // namespace traverse
