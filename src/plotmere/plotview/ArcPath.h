#pragma once
// The circular arc of a plot link, as the chords that draw it. Angles are survey azimuths in
// seconds of arc: clockwise from north (x), 1296000 a full turn.

#include <vector>

#include "plotmere/plotview/GridPoint.h"

namespace plotmere {

// The azimuth of (dx, dy): 324000 due east for dx = 0 and dy > 0, 972000 for dx = 0
// otherwise; a vector due north gives 1296000, not 0.
double AzimuthSeconds(double dx, double dy);

// The arc from a to b of radius r: the centre lies to the left of the chord for r > 0 and
// to its right for r < 0 (seen along a → b, north up). The points run from a to b in chords
// of about one metre (ten chords when |r| < 10), or of about `shortest` metres where that is
// longer: a drawing needs no chord shorter than a pixel. An arc whose radius is more than a
// billion times its half chord is its chord. Empty when the arc cannot be drawn: r = 0, a
// chord longer than 2|r|, or numbers out of range.
std::vector<GridPoint> ArcPolyline(const GridPoint& a, const GridPoint& b, double r, double shortest = 0);

}  // namespace plotmere
