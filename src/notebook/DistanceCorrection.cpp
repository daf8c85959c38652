#include "notebook/DistanceCorrection.h"

#include <cmath>
#include <optional>

#include "notebook/NotebookFormat.h"
#include "notebook/NotebookTransaction.h"
#include "platform/Database.h"

namespace notebook {
namespace {

// A target row of the reduction table with what the correction needs of it and its station.
struct Sight {
    QString station;
    QString target;
    std::optional<double> stationElevation;
    std::optional<double> targetElevation;
};

// The reduction wrote every number as decimal text; "*" and "" are no number.
std::optional<double> Number(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::vector<Sight> Sights(const std::vector<ReductionRow>& reduction) {
    std::vector<Sight> sights;
    QString station;
    std::optional<double> stationElevation;
    for (const ReductionRow& row : reduction) {
        if (!row.station.isEmpty()) {
            station = row.station;
            stationElevation = Number(row.stationElevation);
        } else if (!row.target.isEmpty()) {
            std::optional<double> entered = Number(row.elevation);
            sights.push_back({station, row.target, stationElevation,
                              entered ? entered : Number(row.computedElevation)});
        }
    }
    return sights;
}

// Finds the sight of each input row in turn, searching on from the last one found.
class SightFinder {
  public:
    explicit SightFinder(std::vector<Sight> sights) : sights_(std::move(sights)) {}

    const Sight* Find(const QString& station, const QString& target) {
        const size_t count = sights_.size();
        for (size_t step = 0; step < count; ++step) {
            const size_t i = (next_ + step) % count;
            if (sights_[i].station == station && sights_[i].target == target) {
                next_ = i + 1;
                return &sights_[i];
            }
        }
        return nullptr;
    }

  private:
    std::vector<Sight> sights_;
    size_t next_ = 0;
};

std::optional<double> Elevation(const Sight& sight, const CorrectionConditions& conditions) {
    if (conditions.elevationSource == ElevationSource::Registered)
        return sight.stationElevation ? sight.stationElevation : conditions.elevationWhenUnknown;
    if (!sight.targetElevation) return sight.stationElevation;
    if (!sight.stationElevation) return sight.targetElevation;
    return (*sight.stationElevation + *sight.targetElevation) / 2.0;
}

struct Distance {
    QString text;
    double value;
};

std::optional<Distance> DistanceToCorrect(const CorrectionInputRow& row) {
    for (const QString* text :
         {&row.horizontalDistanceBoth, &row.horizontalDistance, &row.horizontalDistance2})
        if (const auto value = Number(*text)) return Distance{*text, *value};
    return std::nullopt;
}

double Millimetres(double value) {
    return FormatDigits(value, 1, 3, 0).toDouble();
}

QString Metres(double value) {
    return FormatDigits(value, 5, 3, 9);
}

CorrectionSheetRow PassedThrough(const CorrectionInputRow& in) {
    CorrectionSheetRow row;
    row.station = in.station;
    row.target = in.target;
    row.verticalAngle = in.verticalAngle;
    row.verticalComponent = in.verticalComponent;
    row.heightDifference = in.heightDifference;
    row.slopeDistance = in.slopeDistance;
    row.horizontalDistance = in.horizontalDistance;
    return row;
}

CorrectionSheetRow Corrected(const CorrectionInputRow& in, double elevation, const Distance& s,
                             double scaleFactor) {
    const double seaLevel = Millimetres(elevation * s.value / kEarthRadius);
    const double reduced = s.value - seaLevel;
    const double scale = Millimetres((1.0 - scaleFactor) * reduced);
    CorrectionSheetRow row = PassedThrough(in);
    row.horizontalDistance = s.text;
    row.elevation = Metres(elevation);
    row.seaLevel = Metres(-seaLevel);
    row.reducedDistance = Metres(reduced);
    row.scale = Metres(-scale);
    row.scaleFactor = FormatDigits(scaleFactor, 1, 6, 8);
    row.planeDistance = Metres(reduced - scale);
    return row;
}

}  // namespace

std::vector<CorrectionSheetRow> ComputeCorrectionSheet(const std::vector<CorrectionInputRow>& input,
                                                       const std::vector<ReductionRow>& reduction,
                                                       const CorrectionConditions& conditions) {
    SightFinder finder(Sights(reduction));
    std::vector<CorrectionSheetRow> sheet;
    sheet.reserve(input.size());
    for (const CorrectionInputRow& in : input) {
        const Sight* sight = finder.Find(in.station, in.target);
        const auto elevation = sight ? Elevation(*sight, conditions) : std::nullopt;
        const auto distance = DistanceToCorrect(in);
        const double k = conditions.scaleCorrection ? conditions.scaleFactor : 1.0;
        sheet.push_back(elevation && distance ? Corrected(in, *elevation, *distance, k) : PassedThrough(in));
    }
    return sheet;
}

bool RunDistanceCorrection(const QString& path, const CorrectionConditions& conditions) {
    return InNotebookTransaction(path, [&](platform::Database& db) {
        const auto sheet =
            ComputeCorrectionSheet(ReadCorrectionInput(db), ReadReductionTable(db), conditions);
        ClearTable(db, QStringLiteral("KYORIHOSEI"));
        WriteCorrectionSheet(db, sheet);
    });
}

}  // namespace notebook
