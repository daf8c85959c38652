#include "traverse/DistrictPoints.h"

namespace traverse {

DistrictMatch MatchOf(const notebook::SameNamePoint& point) {
    return {point.id, point.x, point.y, point.located, point.z};
}

PointResolver UniqueDistrictPoints(platform::Database& district,
                                   std::function<void(const QString& name, int count)> ambiguous) {
    return [&district, ambiguous = std::move(ambiguous)](const QString& name) {
        const std::vector<notebook::SameNamePoint> points = notebook::SameNamePoints(district, name);
        if (points.size() == 1) return MatchOf(points.front());
        if (points.size() > 1 && ambiguous) ambiguous(name, static_cast<int>(points.size()));
        return DistrictMatch{};
    };
}

}  // namespace traverse
