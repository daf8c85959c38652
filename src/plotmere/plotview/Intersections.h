#pragma once
// The intersection view's computations, without a display: two elements (each a line or a
// circle) built from the host's points, direction angles, parallel offsets and radii, and
// their intersection points. Survey axes: x north, y east, metres.

#include <QString>
#include <array>
#include <vector>

#include "plotmere/plotview/GridPoint.h"

namespace plotmere {

struct Element {
    enum class Kind { None, Line, Circle };
    Kind kind = Kind::None;
    GridPoint start, second;     // a line: through both
    GridPoint centre;            // a circle
    double radius = 0;
    bool moved = false;          // the line was moved by its offset
    GridPoint givenStart, givenSecond;  // the line as given, before the offset
};

// The host's properties: the four points (an empty name after trimming means not given),
// and per element the direction angle (decimal seconds of arc), the parallel offset and the
// radius as text (empty means not given).
struct KoutenInput {
    std::array<QString, 4> names;
    std::array<GridPoint, 4> points;
    std::array<QString, 2> hang, hanare, radius;
};

struct KoutenFigure {
    Element first, second;
    bool perpendicular = false;  // element 2 is the perpendicular from P3 onto line 1
    std::vector<GridPoint> answers;  // at most two
};

// Builds both elements and intersects them.
KoutenFigure SolveKouten(const KoutenInput& input);

// The intersection points of two elements, in order; none for parallel lines, a degenerate
// line or circle, concentric circles.
std::vector<GridPoint> Intersect(const Element& a, const Element& b);

// The foot of the perpendicular from a point onto a line.
GridPoint PerpendicularFoot(const GridPoint& point, const Element& line);

}  // namespace plotmere
