#pragma once
// The national geoid grid as the geoid table holds it: nodes every 1′ of latitude from 20°N
// (row 0) to 50°N (row 1800) and every 1.5′ of longitude from 120°E (column 0) to 150°E
// (column 1200), stored under ID = row × 10000 + column; a node without a height has no
// row. The importer and the look-up share these numbers, so every node's height comes back
// at its own latitude and longitude.

#include <QString>
#include <functional>
#include <optional>

namespace plotmere {

inline constexpr double kGridSouth = 20.0;  // degrees
inline constexpr double kGridWest = 120.0;
inline constexpr double kRowStep = 1.0 / 60;    // exactly 1′; the file's header rounds it
inline constexpr double kColumnStep = 1.5 / 60;  // 1.5′
inline constexpr int kLastRow = 1800;
inline constexpr int kLastColumn = 1200;
inline constexpr float kNoHeight = 999.0f;

inline int NodeId(int row, int column) { return row * 10000 + column; }

// The height of a node, or nullopt where the grid has none.
using NodeReader = std::function<std::optional<float>(int row, int column)>;

// The geoid height at a latitude and longitude in degrees, bilinear between the four nodes
// around it; a point within 1e-5 of a cell from a grid line or node reads only the nodes on
// it. 999.0 south of 20°N, west of 120°E, north of 50°N, east of 150°E, or where a node used
// has no height. The north row and east column are inside.
float InterpolateGeoid(double latitude, double longitude, const NodeReader& node);

// Imports a grid file in the national ASCII layout (a header line "20.00000 120.00000
// 0.016667 0.025000 1801 1201 1 ver2.2", then the heights row by row from the south, west to
// east, 999.0000 where there is none) into `database` as table "H" (ID, H), in one
// transaction, replacing the table. Returns an empty string, or what is wrong with the file
// (the database is then left as it was).
QString ImportGeoidGrid(const QString& asciiFile, const QString& database);

}  // namespace plotmere
