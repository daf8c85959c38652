#pragma once
// A traverse while it is assembled from the notebook's reduction table: a table of the
// points it uses, one entry per distinct name, and its stations in observation order.
// Indices of the point table and of the stations count from 1; outside their range the
// accessors throw std::out_of_range.

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "traverse/clsHou.h"
#include "traverse/clsKan.h"

namespace traverse {

class clsTrb {
  public:
    clsTrb() = default;
    // The point references point back at the traverse: it neither copies nor moves.
    clsTrb(const clsTrb&) = delete;
    clsTrb& operator=(const clsTrb&) = delete;
    ~clsTrb();

    // Index of the first point named exactly `name` (case-sensitive); a new name is added at
    // the end of the table, its ID and coordinates 0 and its texts empty.
    int SarchTenName(const QString& name);

    QString TenName(int index) const { return Ten(index).name; }
    // District calculation-database ID; 0 until set.
    qint32 TenID(int index) const { return Ten(index).id; }
    void SetTenID(int index, qint32 id) { Ten(index).id = id; }
    // Plane coordinates and height in metres (X north, Y east); 0 until set.
    double TenX(int index) const { return Ten(index).x; }
    void SetTenX(int index, double x) { Ten(index).x = x; }
    double TenY(int index) const { return Ten(index).y; }
    void SetTenY(int index, double y) { Ten(index).y = y; }
    double TenZ(int index) const { return Ten(index).z; }
    void SetTenZ(int index, double z) { Ten(index).z = z; }
    // The station elevation as the reduction table writes it.
    QString StHyoukou(int index) const { return Ten(index).hyoukou; }
    void SetStHyoukou(int index, const QString& hyoukou) { Ten(index).hyoukou = hyoukou; }
    QString Memo(int index) const { return Ten(index).memo; }
    void SetMemo(int index, const QString& memo) { Ten(index).memo = memo; }
    // Number of points, the last valid point index.
    int TenCount() const { return static_cast<int>(tens_.size()); }

    // Number of stations.
    int Count() const { return static_cast<int>(stations_.size()); }
    // The i-th station, i from 1 to Count().
    clsHou& Item(int i) const { return *stations_.at(static_cast<std::size_t>(i - 1)); }
    // The stations in order; the pointers live until Clear().
    std::vector<clsHou*> NewEnum() const;

    // Starts a station at the point `name` and makes it the current one.
    clsHou& AddMcTen(const QString& name);
    // Sets the current station's backsight (replacing any earlier one). Throws
    // std::logic_error before the first AddMcTen().
    clsKan& AddBackTen(const QString& name);
    // Appends a sight to the current station. Throws std::logic_error before the first
    // AddMcTen().
    clsKan& AddSijyunTen(const QString& name);

    // Clears and drops every station, from the last to the first; the point table stays.
    void Clear();
    // Empties every tag of every station.
    void TagClear();

    // The classifications: each empties the tags, then marks every sight kTagForesight
    // (on the route) or kTagRadial (side shot). A sight of a station before the last is on
    // the route when it names the next station's instrument point. At the last station:
    // connecting and open traverses take its last sight; a closed traverse the sight back
    // to the first station (its first sight when there is one station only); radial
    // observation marks every sight of every station a side shot.
    void SetKetugou();
    void SetHeigou();
    void SetKaihou();
    void SetHousya();

    // A readable listing of the point table and the stations, for diagnostics.
    QString DebugLog() const;

  private:
    struct Point {
        QString name;
        qint32 id = 0;
        double x = 0;
        double y = 0;
        double z = 0;
        QString hyoukou;
        QString memo;
    };
    enum class LastStation { LastSight, BackToFirst };

    Point& Ten(int index) { return tens_.at(static_cast<std::size_t>(index - 1)); }
    const Point& Ten(int index) const { return tens_.at(static_cast<std::size_t>(index - 1)); }
    std::unique_ptr<clsKan> Reference(const QString& name);
    clsHou& Current() const;
    void ClassifyRoute(LastStation rule);

    std::vector<Point> tens_;
    std::vector<std::unique_ptr<clsHou>> stations_;
    clsHou* current_ = nullptr;
};

}  // namespace traverse
