#include "notebook/ObservationNotebook.h"

#include <algorithm>

#include "notebook/NotebookFiles.h"
#include "notebook/NotebookLayout.h"
#include "notebook/StationTables.h"

namespace notebook {
namespace {

// Before a vertical table, a page with more than this many lines taken is finished first.
constexpr int kVerticalTableRoom = 61;

void LookUpNames(StationRecord& station, PointNames& names) {
    station.name = names(station.name);
    for (auto* run : {&station.sightings, &station.remeasured})
        for (Sighting& s : *run) s.name = names(s.name);
}

DistrictPoint StationPoint(const StationRecord& station, const NotebookSources& sources) {
    if (!sources.district) return {kPointNotFound, kNoElevation};
    return LookUpDistrictPoint(*sources.district, station.name);
}

// The sightings the set tables cannot hold, and a run without its reference direction,
// told rather than lost without a word.
void NoteProblems(const StationRecord& station, const SetReduction& reduction, QStringList& problems) {
    for (const Sighting* s : reduction.unplaced)
        problems << station.name + QStringLiteral(": 番号 \"") + s->number + QStringLiteral("\" の視準 ") + s->name +
                        QStringLiteral(" は方向番号がないため整約していません。");
    if (!reduction.hasReference && !reduction.targets.empty())
        problems << station.name + QStringLiteral(": 基準方向 001 の視準がないため、水平角を整約できません。");
}

void ReduceStation(const StationRecord& station, const NotebookSources& sources, NotebookPages& pages,
                   NotebookSummary& summary) {
    std::vector<Measure>& measures = summary.measures;
    WriteHeaderBlock(pages, station, station.name, sources.pageNumber);
    const DistrictPoint point = StationPoint(station, sources);
    if (station.Sets() == 0) {
        if (!station.sightings.empty() || !station.remeasured.empty())
            WritePlainList(pages, station.sightings, station.remeasured);
        WriteStationRow(pages, station, station.name, point);
        WritePlainTargets(pages, station, station.name, point);
        const std::vector<Measure> found = MeasuresOf(station.name, station.sightings);
        measures.insert(measures.end(), found.begin(), found.end());
    } else {
        const SetReduction reduction = ReduceSets(station);
        NoteProblems(station, reduction, summary.problems);
        if (!reduction.targets.empty() || !station.remeasured.empty())
            WriteHorizontalTable(pages, reduction, station.remeasured);
        const bool remeasuredVertical = std::any_of(station.remeasured.begin(), station.remeasured.end(),
                                                    [](const Sighting& s) { return s.HasVertical(); });
        if (reduction.hasVertical || remeasuredVertical) {
            pages.FinishPageIfBeyond(kVerticalTableRoom);
            WriteVerticalTable(pages, reduction, station.remeasured);
        }
        WriteStationRow(pages, station, station.name, point);
        WriteSetTargets(pages, station, station.name, reduction, point);
        const std::vector<Measure> found = MeasuresOf(station.name, reduction);
        measures.insert(measures.end(), found.begin(), found.end());
    }
    pages.FinishPage();
}

}  // namespace

NotebookSummary ReduceFieldBook(const QStringList& lines, const NotebookSources& sources,
                                NotebookOutput& output) {
    NotebookSummary summary;
    NotebookPages pages(output);
    PointNames names(sources.pointName);
    for (StationRecord& station : ReadStations(lines)) {
        LookUpNames(station, names);
        ReduceStation(station, sources, pages, summary);
        ++summary.stations;
    }
    summary.lines = pages.LinesWritten();
    return summary;
}

std::optional<NotebookSummary> BuildObservationNotebook(const QStringList& lines,
                                                        const NotebookSources& sources,
                                                        const QString& folder) {
    if (lines.isEmpty()) return std::nullopt;
    NotebookFiles files(folder);
    NotebookSummary summary = ReduceFieldBook(lines, sources, files);
    files.Commit();
    return summary;
}

}  // namespace notebook
