#pragma once
// What the plot view holds: its points and the links between them, both numbered from 1,
// and the extent of the points. Survey axes: X north, Y east.

#include <QString>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace plotmere {

struct PlotPoint {
    QString TenName;  // drawn as the label
    double X = 0;     // north
    double Y = 0;     // east
    double Z = 0;     // kept, not drawn
    QString Tag;      // the host's text; "NONE" draws no marker
};

struct PlotLink {
    int32_t P1 = 0;  // start point, not checked against the table
    int32_t p2 = 0;  // end point
    double r = 0;    // 0 a straight link; else an arc, its sign choosing the side
    QString cTag;    // "COL:name," picks the colour
};

struct Extent {
    double MinX = 0, MinY = 0, MaxX = 1, MaxY = 1;

    // Widens the extent to take in a point.
    void Include(double x, double y) {
        MinX = std::min(MinX, x);
        MaxX = std::max(MaxX, x);
        MinY = std::min(MinY, y);
        MaxY = std::max(MaxY, y);
    }
};

class PlotTables {
  public:
    static constexpr int32_t kBlock = 1000;  // the tables grow by this many records

    PlotTables();
    void Clear();
    // Appends a point and returns the new point count.
    int32_t AddPoint(const QString& TenName, double X, double Y, double Z, const QString& Tag);
    void AddLink(int32_t P1, int32_t p2, double r, const QString& cTag);

    int32_t PointCount() const { return static_cast<int32_t>(points_.size()); }
    int32_t LinkCount() const { return static_cast<int32_t>(links_.size()); }
    // Point or link No (1-based); HostError 9 outside the table.
    const PlotPoint& Point(int32_t No) const;
    const PlotLink& Link(int32_t No) const;
    // The point a link names, or null for a number outside the table.
    const PlotPoint* FindPoint(int32_t No) const;
    const std::vector<PlotPoint>& Points() const { return points_; }
    const std::vector<PlotLink>& Links() const { return links_; }
    // The records the tables have room for before they grow again.
    size_t PointRoom() const { return points_.capacity(); }

    Extent& extent() { return extent_; }
    const Extent& extent() const { return extent_; }

  private:
    std::vector<PlotPoint> points_;
    std::vector<PlotLink> links_;
    Extent extent_;
};

// The first point, in table order, inside the square window of half-width range around the
// drawing position (east, north); 0 when none, or when range is not positive.
int32_t PickPoint(const PlotTables& tables, double east, double north, double range);

}  // namespace plotmere
