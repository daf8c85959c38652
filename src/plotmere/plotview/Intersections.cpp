#include "plotmere/plotview/Intersections.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace plotmere {
namespace {

constexpr double kTiny = 1e-7;
constexpr double kSecondsToRadians = std::numbers::pi / 648000;

bool Given(const QString& text) { return !text.trimmed().isEmpty(); }

std::optional<double> Number(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// Moves the line sideways: right of its direction for a positive offset, left for a negative.
void Offset(Element& line, double offset) {
    double azimuth = std::atan2(line.second.y - line.start.y, line.second.x - line.start.x) * 180 / std::numbers::pi;
    azimuth += offset > 0 ? 90 : -90;
    azimuth = std::fmod(azimuth + 360, 360);
    const double dx = std::fabs(offset) * std::cos(azimuth * std::numbers::pi / 180);
    const double dy = std::fabs(offset) * std::sin(azimuth * std::numbers::pi / 180);
    line.givenStart = line.start;
    line.givenSecond = line.second;
    line.start = {line.start.x + dx, line.start.y + dy};
    line.second = {line.second.x + dx, line.second.y + dy};
    line.moved = true;
}

// Element 1 from P1, P2 (index 0) or element 2 from P3, P4 (index 1). A direction or
// radius that is given but is no number builds no element, rather than falling through to
// the next kind.
Element Build(const KoutenInput& in, int index) {
    const int p = index * 2;
    Element e;
    if (Given(in.names[p + 1])) {
        e.kind = Element::Kind::Line;
        e.start = in.points[p];
        e.second = in.points[p + 1];
    } else if (Given(in.hang[index])) {
        const auto angle = Number(in.hang[index]);
        if (!angle) return e;
        const double theta = *angle * kSecondsToRadians;
        e.kind = Element::Kind::Line;
        e.start = in.points[p];
        e.second = {in.points[p].x + 100 * std::cos(theta), in.points[p].y + 100 * std::sin(theta)};
    } else if (Given(in.radius[index])) {
        const auto r = Number(in.radius[index]);
        if (!r) return e;
        e.kind = Element::Kind::Circle;
        e.centre = in.points[p];
        e.radius = *r;
        return e;
    } else {
        return e;
    }
    // Only a non-zero number moves the line; other text leaves it where it was given.
    if (const auto offset = Number(in.hanare[index]); offset && *offset != 0) Offset(e, *offset);
    return e;
}

std::vector<GridPoint> LineLine(const Element& l1, const Element& l2) {
    const auto coefficients = [](const Element& l) {
        const double a = l.second.y - l.start.y;
        const double b = -(l.second.x - l.start.x);
        return std::array<double, 3>{a, b, -l.start.x * a - l.start.y * b};
    };
    const auto [a1, b1, c1] = coefficients(l1);
    const auto [a2, b2, c2] = coefficients(l2);
    const double d = a1 * b2 - a2 * b1;
    if (std::fabs(d) < kTiny) return {};
    return {{(c2 * b1 - c1 * b2) / d, (a2 * c1 - a1 * c2) / d}};
}

// The line written as one coordinate of the other (the steeper way round), put into the
// circle's equation: a quadratic in the free coordinate.
std::vector<GridPoint> LineCircle(const Element& line, const Element& circle) {
    const double dx = line.second.x - line.start.x;
    const double dy = line.second.y - line.start.y;
    if ((std::fabs(dx) < kTiny && std::fabs(dy) < kTiny) || circle.radius < kTiny) return {};
    const bool xOfY = std::fabs(dy) >= std::fabs(dx);
    // u is the free coordinate, v = m·u + k the other; the circle is (u-cu)² + (v-cv)² = r².
    const double m = xOfY ? dx / dy : dy / dx;
    const double k = xOfY ? line.start.x - m * line.start.y : line.start.y - m * line.start.x;
    const double cu = xOfY ? circle.centre.y : circle.centre.x;
    const double cv = xOfY ? circle.centre.x : circle.centre.y;
    const double qa = 1 + m * m;
    const double qb = 2 * (m * (k - cv) - cu);
    const double qc = cu * cu + (k - cv) * (k - cv) - circle.radius * circle.radius;
    const double disc = qb * qb - 4 * qa * qc;
    // A discriminant within rounding of zero is a tangent: one answer, not none or two.
    const double tangent = kTiny * qa * circle.radius * circle.radius;
    if (!std::isfinite(disc) || !std::isfinite(tangent)) return {};  // beyond the range of doubles
    const auto point = [&](double u) {
        const double v = m * u + k;
        return xOfY ? GridPoint{v, u} : GridPoint{u, v};
    };
    if (std::fabs(disc) <= tangent) return {point(-qb / (2 * qa))};
    if (disc < 0) return {};
    const double root = std::sqrt(disc);
    return {point((-qb + root) / (2 * qa)), point((-qb - root) / (2 * qa))};
}

std::vector<GridPoint> CircleCircle(const Element& c1, const Element& c2) {
    const double dx = c2.centre.x - c1.centre.x;
    const double dy = c2.centre.y - c1.centre.y;
    const double d = std::hypot(dx, dy);
    if (d < kTiny || c1.radius < kTiny || c2.radius < kTiny) return {};
    const double a = (d * d + c1.radius * c1.radius - c2.radius * c2.radius) / (2 * d);
    const double h2 = c1.radius * c1.radius - a * a;
    const GridPoint mid{c1.centre.x + a * dx / d, c1.centre.y + a * dy / d};
    const double scale = std::max(c1.radius, c2.radius);
    // Circles that touch within rounding meet once.
    if (std::fabs(h2) <= kTiny * scale * scale) return {mid};
    if (h2 < 0) return {};
    const double h = std::sqrt(h2);
    return {{mid.x - h * dy / d, mid.y + h * dx / d}, {mid.x + h * dy / d, mid.y - h * dx / d}};
}

std::vector<GridPoint> IntersectKinds(const Element& a, const Element& b) {
    using K = Element::Kind;
    if (a.kind == K::Line && b.kind == K::Line) return LineLine(a, b);
    if (a.kind == K::Line && b.kind == K::Circle) return LineCircle(a, b);
    if (a.kind == K::Circle && b.kind == K::Line) return LineCircle(b, a);
    if (a.kind == K::Circle && b.kind == K::Circle) return CircleCircle(a, b);
    return {};
}

}  // namespace

GridPoint PerpendicularFoot(const GridPoint& point, const Element& line) {
    const double dx = line.second.x - line.start.x;
    const double dy = line.second.y - line.start.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 < kTiny * kTiny) return line.start;
    const double t = ((point.x - line.start.x) * dx + (point.y - line.start.y) * dy) / length2;
    return {line.start.x + t * dx, line.start.y + t * dy};
}

std::vector<GridPoint> Intersect(const Element& a, const Element& b) {
    // Coordinates near the range of doubles overflow on the way: such a point is no answer.
    std::vector<GridPoint> answers = IntersectKinds(a, b);
    std::erase_if(answers, [](const GridPoint& p) { return !std::isfinite(p.x) || !std::isfinite(p.y); });
    return answers;
}

KoutenFigure SolveKouten(const KoutenInput& input) {
    KoutenFigure figure;
    figure.first = Build(input, 0);
    figure.second = Build(input, 1);
    // P3 alone: no P4, and no direction or radius, not even one that is no number.
    const bool p3Alone = Given(input.names[2]) && !Given(input.names[3]) && !Given(input.hang[1]) && !Given(input.radius[1]);
    if (figure.first.kind == Element::Kind::Line && p3Alone) {
        const GridPoint foot = PerpendicularFoot(input.points[2], figure.first);
        figure.perpendicular = true;
        figure.second.kind = Element::Kind::Line;
        figure.second.start = input.points[2];
        figure.second.second = foot;
        if (std::isfinite(foot.x) && std::isfinite(foot.y)) figure.answers = {foot};
        return figure;
    }
    figure.answers = Intersect(figure.first, figure.second);
    if (figure.answers.size() > 2) figure.answers.resize(2);
    return figure;
}

}  // namespace plotmere
