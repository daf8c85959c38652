#include "traverse/TraverseAssembly.h"

#include <algorithm>
#include <set>

#include "calcstore/clsCoord.h"

namespace traverse {
namespace {

void KeepFirst(clsTrb& traverse, int index, const QString& elevation, const QString& memo) {
    if (traverse.StHyoukou(index).isEmpty() && !elevation.isEmpty()) traverse.SetStHyoukou(index, elevation);
    if (traverse.Memo(index).isEmpty() && !memo.trimmed().isEmpty()) traverse.SetMemo(index, memo.trimmed());
}

void AddTarget(clsTrb& traverse, clsKan& kan, const TraverseRow& row) {
    KeepFirst(traverse, kan.Index(), row.targetElevation, row.memo);
}

// Indices of the points a station or a backsight uses.
std::set<int> FixedPoints(const clsTrb& traverse) {
    std::set<int> fixed;
    for (const clsHou* station : traverse.NewEnum()) {
        fixed.insert(station->McTen()->Index());
        if (station->BackTen()) fixed.insert(station->BackTen()->Index());
    }
    return fixed;
}

}  // namespace

std::vector<StationRows> AssembleTraverse(clsTrb& traverse, const std::vector<TraverseRow>& rows,
                                          std::vector<int> checked) {
    std::sort(checked.begin(), checked.end());
    checked.erase(std::unique(checked.begin(), checked.end()), checked.end());
    std::vector<StationRows> stations;
    int group = -1;
    for (int index : checked) {
        const TraverseRow& row = rows.at(static_cast<size_t>(index));
        if (row.group != group) {
            group = row.group;
            clsHou& station = traverse.AddMcTen(row.station);
            KeepFirst(traverse, station.McTen()->Index(), row.stationElevation, QString());
            const int first = GroupFirstRow(rows, index);
            AddTarget(traverse, traverse.AddBackTen(rows[static_cast<size_t>(first)].target),
                      rows[static_cast<size_t>(first)]);
            stations.push_back({first, {}});
        }
        AddTarget(traverse, traverse.AddSijyunTen(row.target), row);
        stations.back().sights.push_back(index);
    }
    return stations;
}

void ResolvePoints(clsTrb& traverse, const PointResolver& resolve, bool resolveSighted) {
    const std::set<int> fixed = FixedPoints(traverse);
    qint32 provisional = 0;
    for (int i = 1; i <= traverse.TenCount(); ++i) {
        DistrictMatch match;
        if (resolveSighted || fixed.contains(i)) match = resolve(traverse.TenName(i));
        traverse.SetTenID(i, match.id > 0 ? match.id : --provisional);
        const bool located = match.id > 0 && match.located;
        traverse.SetTenX(i, located ? match.x : kNoCoordinate);
        traverse.SetTenY(i, located ? match.y : kNoCoordinate);
        traverse.SetTenZ(i, match.id > 0 && match.z ? *match.z : calcstore::clsCoord::NoHeight());
    }
}

}  // namespace traverse
