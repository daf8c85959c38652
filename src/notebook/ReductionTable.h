#pragma once
// The per-target reduction table テーブル4 of the notebook database: one station row (its
// station name set) followed by one row per target (its target name set), in ID order. The
// report form reads it and writes the confirmed station elevations back; the traverse input
// is made from it. `path` is the full path of the notebook database file.

#include <QString>
#include <optional>
#include <vector>

#include "notebook/CorrectionTables.h"
#include "notebook/TextColumn.h"

namespace platform {
class Database;
}

namespace notebook {

// One row with every field; a Null text reads as "". Lengths in metres, angles d-mm-ss.
struct ReductionRow {
    qint32 id = 0;                     // ID
    std::optional<qint32> type;        // TYPE: the notebook run's row number
    QString station;                   // KIKAITEN
    QString instrumentHeight;          // IH
    QString stationElevation;          // KIKAIH
    QString elevation;                 // H: the target's, entered or computed
    QString target;                    // SIJUNTEN
    QString verticalAngle;             // VANG
    QString slopeDistance;             // SOKUDIS
    QString horizontalDistance;        // CULCDIS
    QString targetHeight;              // FH
    QString heightDifference;          // DH: station to target
    QString computedElevation;         // CULCH: the station's elevation plus DH
    std::optional<qint32> lookUpCode;  // READH: the district look-up code (DistrictPoint.h)
    QString direction;                 // HANG
    QString memo;                      // メモ
    QString direction2;                // HANG2
};

// The text fields of テーブル4 (all but ID, TYPE and READH), by name and member.
std::span<const TextColumn<ReductionRow>> ReductionTextColumns();

// Every row in ID order; empty when the file or the table cannot be read.
std::vector<ReductionRow> ReadReductionTable(const QString& path);
// The same, inside a transaction the caller holds. Throws platform::DbError.
std::vector<ReductionRow> ReadReductionTable(platform::Database& db);

// What the traverse input is made from: the whole reduction table, as ReadReductionTable
// gives it, and the distance-correction sheet KYORIHOSEI. Both empty when the file cannot be
// read; the sheet alone is empty when it was never made.
struct TraverseSource {
    std::vector<ReductionRow> reduction;
    std::vector<CorrectionSheetRow> sheet;
};
TraverseSource ReadTraverseSource(const QString& path);

// Station elevations confirmed in the editor, for the row with the ID.
struct HeightEdit {
    qint32 id = 0;
    QString stationElevation;   // KIKAIH
    QString elevation;          // H
    QString computedElevation;  // CULCH
    QString lookUpCode;         // READH, a whole number
};

// For every edit whose row still exists: KIKAIH, H and CULCH become Null unless the edit
// gives them a value, READH is kept unless the edit gives one; texts are cut to their field
// size. A row that is gone is skipped. One transaction: false, and nothing changed, when the
// file cannot be opened, a write fails, or a look-up code is not a whole number.
bool WriteHeights(const QString& path, const std::vector<HeightEdit>& edits);

}  // namespace notebook
