#include "plotmere/geodesy/GeoidGrid.h"

#include <cmath>

namespace plotmere {
namespace {

constexpr double kSnap = 0.00001;  // of a cell

// 0 or 1 when the fraction lies on a grid line, else nullopt.
std::optional<int> Snapped(double fraction) {
    if (fraction < kSnap) return 0;
    if (1 - fraction < kSnap) return 1;
    return std::nullopt;
}

}  // namespace

float InterpolateGeoid(double latitude, double longitude, const NodeReader& node) {
    const double y = (latitude - kGridSouth) / kRowStep;
    const double x = (longitude - kGridWest) / kColumnStep;
    // The sign first: truncation toward zero would take a point just outside for row 0.
    if (!(y >= 0 && x >= 0) || y > kLastRow + kSnap || x > kLastColumn + kSnap) return kNoHeight;
    const int r = static_cast<int>(y);
    const int g = static_cast<int>(x);
    const double fy = y - r;
    const double fx = x - g;
    const std::optional<int> cy = Snapped(fy);
    const std::optional<int> cx = Snapped(fx);
    const auto at = [&](int row, int column) -> std::optional<double> {
        if (row > kLastRow || column > kLastColumn) return std::nullopt;
        const std::optional<float> h = node(row, column);
        if (!h || *h == kNoHeight) return std::nullopt;
        return *h;
    };
    if (cx && cy) {
        const auto h = at(r + *cy, g + *cx);
        return h ? static_cast<float>(*h) : kNoHeight;
    }
    if (cx) {
        const auto south = at(r, g + *cx), north = at(r + 1, g + *cx);
        return south && north ? static_cast<float>((1 - fy) * *south + fy * *north) : kNoHeight;
    }
    if (cy) {
        const auto west = at(r + *cy, g), east = at(r + *cy, g + 1);
        return west && east ? static_cast<float>((1 - fx) * *west + fx * *east) : kNoHeight;
    }
    const auto sw = at(r, g), nw = at(r + 1, g), se = at(r, g + 1), ne = at(r + 1, g + 1);
    if (!sw || !nw || !se || !ne) return kNoHeight;
    return static_cast<float>((1 - fx) * (1 - fy) * *sw + (1 - fx) * fy * *nw + fx * (1 - fy) * *se + fx * fy * *ne);
}

}  // namespace plotmere
