#include "notebook/StationElevations.h"

#include <QHash>

#include "apa/ApaLine.h"
#include "notebook/DistrictPoint.h"
#include "notebook/NotebookFormat.h"
#include "platform/DecimalText.h"

namespace notebook {
namespace {

bool IsStationRow(const ReductionRow& row) { return !row.station.isEmpty(); }

std::optional<double> NumberOf(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

StationElevation FromDistrict(const ReductionRow& row, platform::Database* district) {
    const DistrictPoint point = district ? LookUpDistrictPoint(*district, row.station)
                                         : DistrictPoint{kPointNotFound, kNoElevation};
    StationElevation s{row.id, row.station, {}, point.code, {}};
    if (point.code == kPointAmbiguous) {
        s.comment = kChooseElevation;
    } else if (point.code == kPointNotFound) {
        s.comment = kNewPoint;
    } else {
        s.comment = kElevationRead;
        if (point.elevation != kNoElevation) s.elevation = FormatDigits(point.elevation, 1, 3, 0);
    }
    return s;
}

}  // namespace

std::vector<StationElevation> StationElevations(const std::vector<ReductionRow>& table,
                                                platform::Database* district) {
    std::vector<StationElevation> stations;
    QHash<QString, QString> computed;  // target name → the elevation a station gave it
    for (const ReductionRow& row : table) {
        if (!IsStationRow(row)) {
            if (!row.computedElevation.isEmpty()) computed.insert(row.target, row.computedElevation);
            continue;
        }
        StationElevation s = FromDistrict(row, district);
        if (s.comment == kNewPoint && computed.contains(row.station)) {
            s.elevation = computed.value(row.station);
            s.comment = kElevationComputed;
        }
        stations.push_back(s);
    }
    return stations;
}

StationElevation WithChosenPoint(StationElevation station, const SameNamePoint& point) {
    station.lookUpCode = -point.id;
    station.comment = kElevationRead;
    station.elevation = point.z ? FormatDigits(*point.z, 1, 3, 0) : QString();
    return station;
}

// Digits typed with the input method still on come full width ("１２．５"): they are the
// same number.
std::optional<QString> TypedElevation(const QString& typed) {
    const QString text = typed.normalized(QString::NormalizationForm_KC);
    if (text.trimmed().isEmpty()) return QString();
    if (!apa::ReadsAsNumber(text)) return std::nullopt;
    return platform::RoundDecimalText(text, 3);
}

std::vector<HeightEdit> HeightEditsOf(const std::vector<ReductionRow>& table,
                                      const std::vector<StationElevation>& confirmed) {
    QHash<qint32, const StationElevation*> byRow;
    for (const StationElevation& s : confirmed) byRow.insert(s.rowId, &s);
    std::vector<HeightEdit> edits;
    std::optional<double> stationElevation;
    for (const ReductionRow& row : table) {
        if (IsStationRow(row)) {
            const StationElevation* s = byRow.value(row.id);
            stationElevation = s ? NumberOf(s->elevation) : std::nullopt;
            edits.push_back({row.id, stationElevation ? FormatDigits(*stationElevation, 6, 3, 10) : QString(), {}, {},
                             s ? QString::number(s->lookUpCode) : QString()});
            continue;
        }
        const std::optional<double> difference = NumberOf(row.heightDifference);
        HeightEdit edit{row.id, {}, {}, {}, {}};
        if (stationElevation && difference)
            edit.computedElevation = FormatDigits(*stationElevation + *difference, 6, 3, 10);
        edits.push_back(edit);
    }
    return edits;
}

}  // namespace notebook
