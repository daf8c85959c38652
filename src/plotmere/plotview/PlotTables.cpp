#include "plotmere/plotview/PlotTables.h"

#include <limits>

#include "plotmere/plotview/HostError.h"

namespace plotmere {
namespace {

template <typename Record>
void Reset(std::vector<Record>& table) {
    std::vector<Record> fresh;
    fresh.reserve(PlotTables::kBlock);
    table.swap(fresh);
}

// Room grows by whole blocks, so that a host adding points one by one copies the table
// once per thousand records.
template <typename Record>
void Append(std::vector<Record>& table, Record record) {
    if (table.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) throw HostError::Overflow();
    if (table.size() == table.capacity()) table.reserve(table.capacity() + PlotTables::kBlock);
    table.push_back(std::move(record));
}

}  // namespace

PlotTables::PlotTables() { Clear(); }

void PlotTables::Clear() {
    Reset(points_);
    Reset(links_);
    extent_ = Extent{};
}

int32_t PlotTables::AddPoint(const QString& TenName, double X, double Y, double Z, const QString& Tag) {
    Append(points_, PlotPoint{TenName, X, Y, Z, Tag});
    if (points_.size() == 1)
        extent_ = {X, Y, X, Y};
    else
        extent_.Include(X, Y);
    return PointCount();
}

void PlotTables::AddLink(int32_t P1, int32_t p2, double r, const QString& cTag) {
    Append(links_, PlotLink{P1, p2, r, cTag});
}

const PlotPoint* PlotTables::FindPoint(int32_t No) const {
    return No >= 1 && No <= PointCount() ? &points_[static_cast<size_t>(No) - 1] : nullptr;
}

const PlotPoint& PlotTables::Point(int32_t No) const {
    if (const PlotPoint* point = FindPoint(No)) return *point;
    throw HostError::SubscriptOutOfRange();
}

const PlotLink& PlotTables::Link(int32_t No) const {
    if (No < 1 || No > LinkCount()) throw HostError::SubscriptOutOfRange();
    return links_[static_cast<size_t>(No) - 1];
}

int32_t PickPoint(const PlotTables& tables, double east, double north, double range) {
    if (!(range > 0)) return 0;
    const auto& points = tables.Points();
    for (size_t i = 0; i < points.size(); ++i) {
        const PlotPoint& p = points[i];
        if (north - range < p.X && p.X < north + range && east - range < p.Y && p.Y < east + range)
            return static_cast<int32_t>(i + 1);
    }
    return 0;
}

}  // namespace plotmere
