#pragma once
// The rows a station gives the per-target reduction table テーブル4 and the distance-
// correction input KYORIHOSEI_: what the traverse creation and the distance reports read.
//
// Heights: with zenith angle Z, slope distance D, instrument height i and target height f,
// V = Round(|cos Z · D|, 3), H = Round(|sin Z · D|, 3); s = −1 when Z < 90° or Z > 270°,
// else +1; the height difference is i − s·V − f, f left out when it is over 99.999 m (not
// given), i taken as 0 when not given.

#include <QString>

#include "notebook/DistrictPoint.h"
#include "notebook/FieldBookStations.h"
#include "notebook/NotebookPages.h"
#include "notebook/SetReduction.h"

namespace notebook {

struct Heights {
    double vertical = 0, horizontal = 0, difference = 0;
};
Heights HeightsOf(double zenithSeconds, double slope, double instrumentHeight, Maybe targetHeight);

// The station row. point is the district's answer for the station's name; the look-up
// code of a station without instrument height is "not found", its elevation is kept.
void WriteStationRow(NotebookPages& pages, const StationRecord& station, const QString& stationName,
                     const DistrictPoint& point);

// The target rows of a station observed in sets (one per target) and its correction input.
void WriteSetTargets(NotebookPages& pages, const StationRecord& station, const QString& stationName,
                     const SetReduction& reduction, const DistrictPoint& point);

// The target rows of a station listed plainly (one per sighting) and its correction input.
void WritePlainTargets(NotebookPages& pages, const StationRecord& station, const QString& stationName,
                       const DistrictPoint& point);

}  // namespace notebook
