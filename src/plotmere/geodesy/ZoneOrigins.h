#pragma once
// The origins of the 19 zones of the Japan Plane Rectangular Coordinate System, packed as
// ddd·10000 + mm·100 + ss (zone 1: 330000, 1293000).

#include <array>

namespace plotmere {

struct ZoneOrigin {
    double latitude;   // packed
    double longitude;  // packed
};

inline constexpr std::array<ZoneOrigin, 19> kZoneOrigins{{
    {330000, 1293000}, {330000, 1310000}, {360000, 1321000}, {330000, 1333000}, {360000, 1342000},
    {360000, 1360000}, {360000, 1371000}, {360000, 1383000}, {360000, 1395000}, {400000, 1405000},
    {440000, 1401500}, {440000, 1421500}, {440000, 1441500}, {260000, 1420000}, {260000, 1273000},
    {260000, 1240000}, {260000, 1310000}, {200000, 1360000}, {260000, 1540000},
}};

}  // namespace plotmere
