#include "notebook/StationTables.h"

#include <cmath>
#include <numbers>

#include "notebook/NotebookFormat.h"
#include "notebook/NotebookLayout.h"
#include "platform/CodePage.h"

namespace notebook {
namespace {

constexpr double kLargestTargetHeight = 99.999;
constexpr double kQuarterCircle = 324000;
const QString kUnformed = QStringLiteral("*");

// One target as the reduction table sees it: the values reduced from all its sightings.
struct TargetValues {
    QString name, memo;
    Maybe direction, zenith, circleReading, slope, targetHeight;
    // Zenith (brought to the direct face) and distance of each face apart.
    Maybe directZenith, reverseZenith, directSlope, reverseSlope;
};

double InstrumentHeight(const StationRecord& station) {
    bool ok = false;
    const double height = station.instrumentHeight.toDouble(&ok);
    return ok && std::isfinite(height) ? height : 0;
}

QString MetresOrUnformed(const Maybe& metres) {
    return metres ? FormatDigits(*metres, 5, 3, 9) : kUnformed;
}

void WriteTarget(NotebookPages& pages, const StationRecord& station, const QString& stationName,
                 const TargetValues& t, const DistrictPoint& point) {
    const double ih = InstrumentHeight(station);
    ReductionRow row;
    row.type = pages.NextRowNumber();
    row.target = t.name;
    row.direction = DmsOrBlank(t.direction);
    row.verticalAngle = DmsOrBlank(t.zenith);
    row.direction2 = DmsOrBlank(t.circleReading);
    row.slopeDistance = Metres(t.slope ? Maybe(std::fabs(*t.slope)) : std::nullopt, 5, 9);
    row.targetHeight = Metres(t.targetHeight, 6, 10);
    row.memo = platform::cp932::CutToBytes(t.memo, 16);
    if (t.zenith && t.slope) {
        const Heights h = HeightsOf(*t.zenith, *t.slope, ih, t.targetHeight);
        row.horizontalDistance = FormatDigits(h.horizontal, 5, 3, 9);
        row.heightDifference = FormatDigits(h.difference, 6, 3, 10);
        if (point.elevation != kNoElevation) row.computedElevation = FormatDigits(point.elevation + h.difference, 6, 3, 10);
    }
    pages.Output().Reduction(row);

    if (!t.slope) return;
    CorrectionInputRow c;
    c.station = stationName;
    c.target = t.name;
    c.verticalAngle = t.zenith ? DmsOrBlank(kQuarterCircle - *t.zenith) : kUnformed;
    c.slopeDistance = MetresOrUnformed(std::fabs(*t.slope));
    const auto face = [&](const Maybe& zenith, const Maybe& slope, QString& v, QString& dh, QString& horizontal) {
        Maybe vertical, difference, across;
        if (zenith && slope) {
            const Heights h = HeightsOf(*zenith, *slope, ih, t.targetHeight);
            vertical = h.vertical;
            difference = h.difference;
            across = h.horizontal;
        }
        v = MetresOrUnformed(vertical);
        dh = MetresOrUnformed(difference);
        horizontal = MetresOrUnformed(across);
    };
    face(t.directZenith, t.directSlope, c.verticalComponent, c.heightDifference, c.horizontalDistance);
    face(t.reverseZenith, t.reverseSlope, c.verticalComponent2, c.heightDifference2, c.horizontalDistance2);
    c.horizontalDistanceBoth = t.zenith ? MetresOrUnformed(HorizontalDistance(*t.zenith / 3600, *t.slope)) : kUnformed;
    pages.Output().CorrectionInput(c);
}

}  // namespace

Heights HeightsOf(double zenithSeconds, double slope, double instrumentHeight, Maybe targetHeight) {
    const double z = zenithSeconds / 3600;
    const double radians = z * std::numbers::pi / 180;
    Heights h;
    h.vertical = RoundHalfEven(std::fabs(std::cos(radians) * slope), 3);
    h.horizontal = RoundHalfEven(std::fabs(std::sin(radians) * slope), 3);
    const double s = z < 90 || z > 270 ? -1 : 1;
    h.difference = instrumentHeight - s * h.vertical;
    if (targetHeight && *targetHeight <= kLargestTargetHeight) h.difference -= *targetHeight;
    return h;
}

void WriteStationRow(NotebookPages& pages, const StationRecord& station, const QString& stationName,
                     const DistrictPoint& point) {
    ReductionRow row;
    row.type = pages.NextRowNumber();
    row.station = stationName;
    if (station.HasInstrumentHeight()) row.instrumentHeight = FormatDigits(InstrumentHeight(station), 6, 3, 10);
    row.lookUpCode = station.HasInstrumentHeight() ? point.code : kPointNotFound;
    if (point.elevation != kNoElevation) row.stationElevation = FormatDigits(point.elevation, 6, 3, 10);
    pages.Output().Reduction(row);
}

void WriteSetTargets(NotebookPages& pages, const StationRecord& station, const QString& stationName,
                     const SetReduction& reduction, const DistrictPoint& point) {
    for (const TargetReduction& target : reduction.targets) {
        TargetValues t{target.name, target.memo, target.meanDirection, target.meanZenith,
                       target.First()->horizontal, target.meanDistance, target.targetHeight,
                       target.directZenith, target.reverseZenith, target.directSlope, target.reverseSlope};
        WriteTarget(pages, station, stationName, t, point);
    }
}

void WritePlainTargets(NotebookPages& pages, const StationRecord& station, const QString& stationName,
                       const DistrictPoint& point) {
    for (const Sighting& s : station.sightings) {
        // A reverse-face reading is brought to the direct face: 280° is a zenith of 80°.
        const bool reverse = s.face() == u'l';
        const Maybe zenith = s.vertical && reverse ? Maybe(1296000 - *s.vertical) : s.vertical;
        const Maybe slope = ReduceReadings(s.distance1, s.distance2).mean;
        TargetValues t{s.name, s.memo, s.horizontal, s.vertical, s.horizontal, slope, s.targetHeight,
                       {}, {}, {}, {}};
        (reverse ? t.reverseZenith : t.directZenith) = zenith;
        (reverse ? t.reverseSlope : t.directSlope) = slope;
        t.zenith = zenith;
        WriteTarget(pages, station, stationName, t, point);
    }
}

}  // namespace notebook
