#pragma once
// The district's points that share one name: a field book names a point, the district may
// hold several of that name (a point re-measured, one copied from another job), and the user
// says which one the name stands for.

#include <QString>
#include <optional>
#include <vector>

namespace platform {
class Database;
}

namespace notebook {

struct SameNamePoint {
    qint32 id = 0;
    double x = 0;             // metres, north
    double y = 0;             // metres, east
    std::optional<double> z;  // metres; none when the point has no height
    QString updated;          // last update "yyyy/MM/dd HH:mm:ss", empty when never recorded
    bool located = true;      // X and Y are recorded (a point may have a name and height only)
};

// The points of that name that are not deleted (table COORD), oldest ID first; names match
// exactly. Throws platform::DbError when the district cannot be read.
std::vector<SameNamePoint> SameNamePoints(platform::Database& district, const QString& name);

}  // namespace notebook
