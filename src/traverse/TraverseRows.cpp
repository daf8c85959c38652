#include "traverse/TraverseRows.h"

#include <QHash>
#include <optional>

namespace traverse {
namespace {

const QString kLevel = QStringLiteral("90-00-00");

// The reduction writes a look-up code on every station row and none on a target row, so a
// station row is known even when the field book left its name blank.
bool IsStationRow(const notebook::ReductionRow& row) {
    return row.lookUpCode.has_value() || !row.station.isEmpty();
}

// Sheet distances by station and target name; the first row of a pair wins.
class SheetDistances {
  public:
    explicit SheetDistances(const std::vector<notebook::CorrectionSheetRow>& sheet) {
        for (const notebook::CorrectionSheetRow& row : sheet)
            if (!row.planeDistance.trimmed().isEmpty() && !distances_.contains(Key(row.station, row.target)))
                distances_.insert(Key(row.station, row.target), row.planeDistance.trimmed());
    }
    std::optional<QString> Find(const QString& station, const QString& target) const {
        const auto it = distances_.constFind(Key(station, target));
        if (it == distances_.cend()) return std::nullopt;
        return *it;
    }

  private:
    static QString Key(const QString& station, const QString& target) { return station + u'\n' + target; }
    QHash<QString, QString> distances_;
};

TraverseRow TargetRow(const notebook::ReductionRow& r, const notebook::ReductionRow& station, int group) {
    TraverseRow row;
    row.group = group;
    row.station = station.station;
    row.stationElevation = station.stationElevation.trimmed();
    row.target = r.target;
    row.distance = r.slopeDistance.trimmed();
    row.direction = r.direction.trimmed();
    row.verticalAngle = r.verticalAngle.trimmed();
    row.horizontalDistance = r.horizontalDistance.trimmed();
    row.heightDifference = r.heightDifference.trimmed();
    row.targetElevation = r.elevation.trimmed().isEmpty() ? r.computedElevation.trimmed() : r.elevation.trimmed();
    row.memo = r.memo;
    return row;
}

}  // namespace

std::vector<TraverseRow> TraverseRows(const notebook::TraverseSource& source) {
    const SheetDistances sheet(source.sheet);
    std::vector<TraverseRow> rows;
    const notebook::ReductionRow* station = nullptr;
    int group = -1;
    for (const notebook::ReductionRow& r : source.reduction) {
        if (IsStationRow(r)) {
            station = &r;
            ++group;
            continue;
        }
        if (!station) continue;
        TraverseRow row = TargetRow(r, *station, group);
        if (row.distance.isEmpty()) {
            if (const auto distance = sheet.Find(row.station, row.target)) {
                row.distance = *distance;
                row.horizontalDistance = *distance;
                row.verticalAngle = kLevel;
                row.heightDifference.clear();
                row.corrected = true;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

int GroupFirstRow(const std::vector<TraverseRow>& rows, int row) {
    int first = row;
    while (first > 0 && rows[static_cast<size_t>(first - 1)].group == rows[static_cast<size_t>(row)].group) --first;
    return first;
}

}  // namespace traverse
