#include "notebook/ReductionTable.h"

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
    row.sijunten = t.name;
    row.hang = DmsOrBlank(t.direction);
    row.vang = DmsOrBlank(t.zenith);
    row.hang2 = DmsOrBlank(t.circleReading);
    row.sokudis = Metres(t.slope ? Maybe(std::fabs(*t.slope)) : std::nullopt, 5, 9);
    row.fh = Metres(t.targetHeight, 6, 10);
    row.memo = platform::cp932::CutToBytes(t.memo, 16);
    if (t.zenith && t.slope) {
        const Heights h = HeightsOf(*t.zenith, *t.slope, ih, t.targetHeight);
        row.culcdis = FormatDigits(h.horizontal, 5, 3, 9);
        row.dh = FormatDigits(h.difference, 6, 3, 10);
        if (point.elevation != kNoElevation) row.culch = FormatDigits(point.elevation + h.difference, 6, 3, 10);
    }
    pages.Output().Reduction(row);

    if (!t.slope) return;
    CorrectionInputRow c;
    c.fld1 = stationName;
    c.fld2 = t.name;
    c.fld3 = t.zenith ? DmsOrBlank(kQuarterCircle - *t.zenith) : kUnformed;
    c.fld6 = MetresOrUnformed(std::fabs(*t.slope));
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
    face(t.directZenith, t.directSlope, c.fld4, c.fld5, c.fld7);
    face(t.reverseZenith, t.reverseSlope, c.fldMinus4, c.fldMinus5, c.fldMinus7);
    c.fldPlus7 = t.zenith ? MetresOrUnformed(HorizontalDistance(*t.zenith / 3600, *t.slope)) : kUnformed;
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
    row.kikaiten = stationName;
    if (station.HasInstrumentHeight()) row.ih = FormatDigits(InstrumentHeight(station), 6, 3, 10);
    row.readh = station.HasInstrumentHeight() ? point.code : kPointNotFound;
    if (point.elevation != kNoElevation) row.kikaih = FormatDigits(point.elevation, 6, 3, 10);
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
