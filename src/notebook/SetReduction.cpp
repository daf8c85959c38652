#include "notebook/SetReduction.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "notebook/NotebookFormat.h"

namespace notebook {
namespace {

constexpr double kHalfCircle = 648000;
constexpr double kQuarterCircle = 324000;

// A difference of directions brought into −648 000 … 648 000.
double IntoHalfCircle(double seconds) {
    if (seconds > kHalfCircle) return seconds - kFullCircle;
    if (seconds < -kHalfCircle) return seconds + kFullCircle;
    return seconds;
}

int SetOfRow(int rowKind) { return (rowKind + 1) / 2; }

// The largest absolute difference between any two of the values there are.
Maybe Spread(const std::array<Maybe, 4>& values, bool circular) {
    Maybe widest;
    for (size_t a = 1; a < values.size(); ++a)
        for (size_t b = a + 1; b < values.size(); ++b) {
            if (!values[a] || !values[b]) continue;
            double difference = *values[a] - *values[b];
            if (circular) difference = IntoHalfCircle(std::fmod(difference, kFullCircle));
            widest = std::max(widest.value_or(0), std::fabs(difference));
        }
    return widest;
}

Maybe Average(const std::vector<double>& values) {
    if (values.empty()) return std::nullopt;
    double sum = 0;
    for (const double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

// The double angle of a set: the two faces' reduced directions less twice the whole
// degrees and minutes of the target's smallest one, into the half circle, and then
// whole 120″ steps up from below zero.
double DoubleAngle(double direct, double reverse, double smallest) {
    double w = RoundHalfEven(direct + reverse - std::floor(smallest / 60) * 120, 0);
    if (w > kHalfCircle) w -= kFullCircle;
    if (w < 0) w += std::ceil(-w / 120) * 120;
    return w;
}

void ReduceHorizontal(TargetReduction& target, int sets) {
    Maybe smallest;
    for (int k = 1; k <= 2 * sets; ++k)
        if (target.reduced[k]) smallest = std::min(smallest.value_or(*target.reduced[k]), *target.reduced[k]);
    std::array<Maybe, 4> sums;
    for (int set = 1; set <= sets; ++set) {
        const Maybe& r = target.reduced[DirectRow(set)];
        const Maybe& l = target.reduced[ReverseRow(set)];
        if (!r || !l) continue;
        target.doubleAngle[set] = DoubleAngle(*r, *l, *smallest);
        target.difference[set] = IntoHalfCircle(*r - *l);
        sums[set] = *r + *l;
    }
    if (sets > 1) {
        target.doubleAngleSpread = Spread(sums, true);
        target.differenceSpread = Spread(target.difference, false);
    }
}

// The mean of the directions from each row's reference, taken as angles: each offset is
// brought within a half circle of the first before averaging, so that offsets either side
// of 0° do not average to 180°.
Maybe MeanDirection(const TargetReduction& target, const TargetReduction& reference, int sets) {
    std::vector<double> offsets;
    for (int k = 1; k <= 2 * sets; ++k) {
        const Maybe o = target.Observed(k);
        const Maybe base = reference.Observed(k);
        if (!o || !base) continue;
        double offset = NormalizeSeconds(*o - *base);
        if (!offsets.empty()) offset = offsets.front() + IntoHalfCircle(offset - offsets.front());
        offsets.push_back(offset);
    }
    const Maybe mean = Average(offsets);
    return mean ? Maybe(NormalizeSeconds(*mean)) : std::nullopt;
}

void ReduceVerticalSet(VerticalSet& v) {
    if (v.direct && v.reverse) {
        v.rMinusL = NormalizeSeconds(*v.direct - *v.reverse);
        v.zenith = *v.rMinusL / 2;
        v.sum = *v.direct + *v.reverse;
        v.indexConstant = *v.sum - kFullCircle;
    } else if (v.direct) {
        v.zenith = *v.direct;
    } else if (v.reverse) {
        v.zenith = kFullCircle - *v.reverse;
    }
    if (v.zenith) v.alpha = kQuarterCircle - *v.zenith;
    v.mean = MeanDistance(v.directDistance.mean, v.reverseDistance.mean);
}

FaceDistance DistanceOf(const Sighting* cell) {
    return cell ? ReduceReadings(cell->distance1, cell->distance2) : FaceDistance{};
}

void ReduceVertical(TargetReduction& target, int sets) {
    std::vector<double> zeniths, setMeans, directZeniths, reverseZeniths, directSlopes, reverseSlopes;
    for (int set = 1; set <= sets; ++set) {
        VerticalSet& v = target.vertical[set];
        const Sighting* r = target.cells[DirectRow(set)];
        const Sighting* l = target.cells[ReverseRow(set)];
        v.direct = r ? r->vertical : std::nullopt;
        v.reverse = l ? l->vertical : std::nullopt;
        v.directDistance = DistanceOf(r);
        v.reverseDistance = DistanceOf(l);
        ReduceVerticalSet(v);
        if (v.zenith) zeniths.push_back(*v.zenith);
        if (v.mean) setMeans.push_back(*v.mean);
        if (v.direct) directZeniths.push_back(*v.direct);
        if (v.reverse) reverseZeniths.push_back(kFullCircle - *v.reverse);
        if (v.directDistance.mean) directSlopes.push_back(*v.directDistance.mean);
        if (v.reverseDistance.mean) reverseSlopes.push_back(*v.reverseDistance.mean);
    }
    target.meanZenith = Average(zeniths);
    const auto distanceMean = [](const std::vector<double>& values) {
        const Maybe mean = Average(values);
        return mean ? Maybe(RoundHalfEven(*mean + 0.0001, 3)) : std::nullopt;
    };
    target.meanDistance = distanceMean(setMeans);
    if (setMeans.size() > 1) {
        const auto [low, high] = std::minmax_element(setMeans.begin(), setMeans.end());
        target.setSpreadMm = (*high - *low) * 1000;
    }
    target.directZenith = Average(directZeniths);
    target.reverseZenith = Average(reverseZeniths);
    target.directSlope = distanceMean(directSlopes);
    target.reverseSlope = distanceMean(reverseSlopes);
}

// The targets of the run by direction number, each cell the last sighting of its row; the
// sightings without a direction number apart.
std::vector<TargetReduction> CollectTargets(const StationRecord& station, std::vector<const Sighting*>& unplaced) {
    std::map<int, TargetReduction> byDirection;
    for (const Sighting& s : station.sightings) {
        if (s.direction == 0) {
            unplaced.push_back(&s);
            continue;
        }
        TargetReduction& target = byDirection[s.direction];
        target.direction = s.direction;
        target.cells[s.rowKind] = &s;
    }
    std::vector<TargetReduction> targets;
    for (auto& [direction, target] : byDirection) {
        const Sighting* first = target.First();
        target.name = first->name;
        target.memo = first->memo;
        for (const Sighting* cell : target.cells)
            if (cell && cell->targetHeight) {
                target.targetHeight = cell->targetHeight;
                break;
            }
        targets.push_back(std::move(target));
    }
    return targets;
}

int SetsOf(const StationRecord& station) {
    int sets = std::max(station.Sets(), 1);
    for (const Sighting& s : station.sightings)
        if (s.direction > 0) sets = std::max(sets, SetOfRow(s.rowKind));
    return sets;
}

void ReduceIndexSpread(SetReduction& reduction) {
    for (int set = 1; set <= reduction.sets; ++set) {
        std::vector<double> constants;
        for (const TargetReduction& target : reduction.targets)
            if (target.vertical[set].indexConstant) constants.push_back(*target.vertical[set].indexConstant);
        if (constants.size() < 2) continue;
        const auto [low, high] = std::minmax_element(constants.begin(), constants.end());
        reduction.indexSpread[set] = *high - *low;
    }
}

}  // namespace

int DirectRow(int set) { return set == 2 ? 4 : 2 * set - 1; }
int ReverseRow(int set) { return set == 2 ? 3 : 2 * set; }

FaceDistance ReduceReadings(double d1, double d2) {
    FaceDistance face{d1, d2, std::nullopt, std::nullopt};
    if (d1 > 0 && d2 > 0) {
        if (std::fabs(d1 - d2) < 1) {
            face.differenceMm = std::fabs(d1 - d2) * 1000;
            face.mean = RoundHalfEven((d1 + d2) * 0.5 + 0.0001, 3);
        }
    } else if (d1 > 0 || d2 > 0) {
        face.mean = d1 > 0 ? d1 : d2;
    }
    return face;
}

Maybe MeanDistance(Maybe a, Maybe b) {
    if (a && b) return RoundHalfEven((*a + *b) * 0.5 + 0.0001, 3);
    return a ? a : b;
}

const Sighting* TargetReduction::First() const {
    for (const Sighting* cell : cells)
        if (cell) return cell;
    return nullptr;
}

Maybe TargetReduction::Observed(int rowKind) const {
    const Sighting* cell = cells[static_cast<size_t>(rowKind)];
    return cell ? cell->horizontal : std::nullopt;
}

SetReduction ReduceSets(const StationRecord& station) {
    SetReduction reduction;
    reduction.sets = SetsOf(station);
    reduction.targets = CollectTargets(station, reduction.unplaced);
    const auto referenceIt = std::find_if(reduction.targets.begin(), reduction.targets.end(),
                                          [](const TargetReduction& t) { return t.direction == 1; });
    const TargetReduction* reference = referenceIt == reduction.targets.end() ? nullptr : &*referenceIt;
    reduction.hasReference = reference != nullptr;
    for (TargetReduction& target : reduction.targets) {
        for (int k = 1; k <= 2 * reduction.sets && reference; ++k) {
            const Maybe o = target.Observed(k);
            const Maybe base = reference->Observed(k);
            if (o && base) target.reduced[k] = NormalizeSeconds(*o - *base);
        }
        ReduceHorizontal(target, reduction.sets);
        if (reference) target.meanDirection = MeanDirection(target, *reference, reduction.sets);
        ReduceVertical(target, reduction.sets);
        for (const Sighting* cell : target.cells)
            if (cell && cell->HasVertical()) reduction.hasVertical = true;
    }
    ReduceIndexSpread(reduction);
    return reduction;
}

}  // namespace notebook
