#pragma once
// The numbers of a station observed in sets (対回): its horizontal directions reduced by
// sets and faces, its zenith angles reduced from the two faces, and its distances. Angles
// in seconds of arc, distances in metres; a value that cannot be formed is absent.
//
// Row kinds as RowKind gives them: set 1 is rows 1 (r) and 2 (l), set 2 rows 4 (r) and 3
// (l), set 3 rows 5 (r) and 6 (l). Re-measured sightings take no part.

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "notebook/FieldBookStations.h"

namespace notebook {

using Maybe = std::optional<double>;

// Row kinds of a set's direct (r) and reverse (l) face; sets count from 1.
int DirectRow(int set);
int ReverseRow(int set);

// The two readings of one face's distance.
struct FaceDistance {
    double d1 = 0, d2 = 0;  // 0: not observed
    Maybe differenceMm;     // |d1 − d2| in millimetres when both are within a metre
    Maybe mean;             // both within a metre: their mean; one observed: that one
};
FaceDistance ReduceReadings(double d1, double d2);

// Round((a + b) × 0.5 + 0.0001, 3) of the values there are; the one when only one is.
Maybe MeanDistance(Maybe a, Maybe b);

struct VerticalSet {
    Maybe direct, reverse;  // zenith readings of the r and l face
    Maybe rMinusL;          // NormalizeSeconds(r − l) = 2Z
    Maybe zenith;           // Z from both faces, or from the one face there is
    Maybe sum;              // r + l
    Maybe indexConstant;    // r + l − 1 296 000
    Maybe alpha;            // 324 000 − Z
    FaceDistance directDistance, reverseDistance;
    Maybe mean;             // the set's distance: the faces' means averaged
};

struct TargetReduction {
    int direction = 0;
    QString name, memo;
    Maybe targetHeight;
    std::array<const Sighting*, 7> cells{};  // by row kind; null where not observed
    std::array<Maybe, 7> reduced;            // R(k): the direction from the row's reference
    std::array<Maybe, 4> doubleAngle;        // 倍角 by set
    std::array<Maybe, 4> difference;         // 較差 by set, r − l
    Maybe doubleAngleSpread;                 // 倍角差 across the sets
    Maybe differenceSpread;                  // 観測差 across the sets
    Maybe meanDirection;                     // 平均値
    std::array<VerticalSet, 4> vertical;     // by set
    Maybe meanZenith;
    Maybe meanDistance;                      // the target's distance over the sets
    Maybe setSpreadMm;                       // セット間: largest minus smallest set mean
    // The faces apart, for the distance correction: zenith brought to the direct face, and
    // the face's distance over the sets.
    Maybe directZenith, reverseZenith, directSlope, reverseSlope;

    const Sighting* First() const;  // the first observed cell, by row kind
    Maybe Observed(int rowKind) const;
};

struct SetReduction {
    int sets = 1;
    std::vector<TargetReduction> targets;  // by direction number, observed ones only
    std::array<Maybe, 4> indexSpread;      // 定数差 by set: spread of the index constants
    bool hasVertical = false;              // a zenith angle or distance in the run
    bool hasReference = false;             // direction 001, from which directions are reduced
    std::vector<const Sighting*> unplaced;  // sightings whose number gives no direction
};

// Reduces the station's run; sets come from the observation code, raised to the highest
// set its sightings are numbered with.
SetReduction ReduceSets(const StationRecord& station);

}  // namespace notebook
