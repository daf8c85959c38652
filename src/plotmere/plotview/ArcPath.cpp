#include "plotmere/plotview/ArcPath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plotmere {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTurn = 1296000;
constexpr double kToSeconds = 648000 / kPi;
constexpr double kToRadians = kPi / 648000;
// A screen has fewer pixels than this along any arc; more chords would draw nothing new
// and a huge radius would otherwise stall the redraw.
constexpr double kMaxChords = 100000;
// Beyond this ratio of half chord to radius the arc's points would be worse than its chord.
constexpr double kStraight = 1e-9;

double Normalised(double radians) {
    const double r = std::fmod(radians, 2 * kPi);
    return r < 0 ? r + 2 * kPi : r;
}

}  // namespace

double AzimuthSeconds(double dx, double dy) {
    if (dx == 0) return dy > 0 ? kTurn / 4 : kTurn * 3 / 4;
    const double a = std::atan(dy / dx) * kToSeconds;
    if (dx > 0) return a > 0 ? a : a + kTurn;
    return a + kTurn / 2;
}

std::vector<GridPoint> ArcPolyline(const GridPoint& a, const GridPoint& b, double r, double shortest) {
    const double radius = std::fabs(r);
    if (!(radius > 0) || !std::isfinite(radius)) return {};
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double k = std::hypot(dx, dy) / (2 * radius);
    if (!(k <= 1)) return {};
    if (k < kStraight) return {a, b};
    const double beta = (kPi / 2 - std::atan(k / std::sqrt(1 - k * k))) * kToSeconds;
    const double side = r > 0 ? 1 : -1;
    const double toCentre = (AzimuthSeconds(dx, dy) - side * beta) * kToRadians;
    const GridPoint centre{a.x + radius * std::cos(toCentre), a.y + radius * std::sin(toCentre)};
    const double start = AzimuthSeconds(a.x - centre.x, a.y - centre.y);
    double end = AzimuthSeconds(b.x - centre.x, b.y - centre.y);
    if (r > 0 && start < end) end -= kTurn;
    if (r < 0 && start > end) end += kTurn;
    double step = radius < 10 ? (end - start) / 10 : -side * 2 * std::asin(0.5 / radius) * kToSeconds;
    const double pixelStep = 2 * std::asin(std::min(1.0, 0.5 * shortest / radius)) * kToSeconds;
    if (std::fabs(step) < pixelStep) step = step < 0 ? -pixelStep : pixelStep;
    if (std::fabs(end - start) > kMaxChords * std::fabs(step)) step = (end - start) / kMaxChords;
    const auto at = [&](double seconds) {
        const double phi = Normalised(seconds * kToRadians);
        return GridPoint{centre.x + radius * std::cos(phi), centre.y + radius * std::sin(phi)};
    };
    if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(step) || !std::isfinite(centre.x) ||
        !std::isfinite(centre.y))
        return {};
    std::vector<GridPoint> path{at(start)};
    if (step != 0) {
        for (double i = 1;; ++i) {
            const double phi = start + i * step;
            if (step < 0 ? phi <= end : phi >= end) break;
            path.push_back(at(phi));
        }
    }
    path.push_back(at(end));
    return path;
}

}  // namespace plotmere
