#pragma once
// The notebook's pages as SHUBO1.DAT shows them, one fixed-column line each in CP932: the
// header block of a station, the horizontal and the vertical/distance table of a station
// observed in sets, the plain list of a station without sets. Columns count CP932 bytes
// (a full-width character takes two), so that the file lines up in any viewer.
// Each table line goes with its DATA row.

#include <QString>

#include "notebook/FieldBookStations.h"
#include "notebook/NotebookPages.h"
#include "notebook/SetReduction.h"

namespace notebook {

// DATA row types.
inline const QString kHorizontalRow = QStringLiteral("0");
inline const QString kVerticalRow = QStringLiteral("1");
inline const QString kPlainRow = QStringLiteral("2");

// The header block (8 lines) and the station's HEDDER row. stationName is the looked-up
// name; pageNumber the report's page-number setting (may be empty).
void WriteHeaderBlock(NotebookPages& pages, const StationRecord& station,
                      const QString& stationName, const QString& pageNumber);

// The horizontal table; its target names are looked up already (TargetReduction::name).
void WriteHorizontalTable(NotebookPages& pages, const SetReduction& reduction,
                          const std::vector<Sighting>& remeasured);
void WriteVerticalTable(NotebookPages& pages, const SetReduction& reduction,
                        const std::vector<Sighting>& remeasured);
// The plain list of the sightings (names looked up already).
void WritePlainList(NotebookPages& pages, const std::vector<Sighting>& sightings,
                    const std::vector<Sighting>& remeasured);

// The line and DATA row before a station's re-measured sightings, in a table of the row
// type; the vertical table's row names its table in FLD11.
void WriteRemeasureSeparator(NotebookPages& pages, const QString& rowType);

// Text helpers of the layouts.
QString PadToBytes(const QString& text, int bytes);  // blanks up to that many CP932 bytes
QString DmsOrBlank(const Maybe& seconds);
QString Metres(const Maybe& metres, int n, int maxLength);  // "0.000", blank when absent

}  // namespace notebook
