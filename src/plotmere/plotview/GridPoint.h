#pragma once
// A point of the survey plane: x north, y east, metres.

namespace plotmere {

struct GridPoint {
    double x = 0;  // north
    double y = 0;  // east
};

}  // namespace plotmere
