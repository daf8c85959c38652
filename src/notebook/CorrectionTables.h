#pragma once
// The two distance-correction tables of the notebook database: the input KYORIHOSEI_ the
// reduction writes, one row per target with a measured distance, and the sheet KYORIHOSEI
// (距離補正計算書) the report prints. Every number is text with three decimals ("0.000"); "*"
// marks a value the reduction could not form. `path` is the full path of the notebook
// database file; the overloads on an open database work inside a transaction the caller
// holds and throw platform::DbError.

#include <QString>
#include <vector>

#include "notebook/TextColumn.h"

namespace platform {
class Database;
}

namespace notebook {

// A row of KYORIHOSEI_. Lengths in metres; the vertical angle α = 90° − zenith, d-mm-ss.
struct CorrectionInputRow {
    QString station;                 // FLD1
    QString target;                  // FLD2
    QString verticalAngle;           // FLD3: α
    QString verticalComponent;       // FLD4: of the first face
    QString heightDifference;        // FLD5: of the first face
    QString slopeDistance;           // FLD6
    QString horizontalDistance;      // FLD7: of the first face
    QString verticalComponent2;      // FLD-4: of the second face
    QString heightDifference2;       // FLD-5: of the second face
    QString horizontalDistance2;     // FLD-7: of the second face
    QString horizontalDistanceBoth;  // FLD+7: from the zenith reduced from both faces
};

// A row of KYORIHOSEI. The result columns are empty on a row that could not be corrected.
struct CorrectionSheetRow {
    QString station;             // FLD1
    QString target;              // FLD2
    QString verticalAngle;       // FLD3: α
    QString verticalComponent;   // FLD4
    QString heightDifference;    // FLD5
    QString slopeDistance;       // FLD6
    QString horizontalDistance;  // FLD7: S, the distance corrected
    QString elevation;           // FLD8: H
    QString seaLevel;            // FLD9: −c, the sea-level correction
    QString reducedDistance;     // FLD10: S0 = S − c
    QString scale;               // FLD11: −d, the scale-factor correction
    QString scaleFactor;         // FLD12: k, six decimals
    QString planeDistance;       // FLD13: S0 − d
};

// The fields of KYORIHOSEI_ (all but ID), by name and member.
std::span<const TextColumn<CorrectionInputRow>> CorrectionInputColumns();

// Every row of KYORIHOSEI_ in ID order; empty when the file or the table cannot be read.
std::vector<CorrectionInputRow> ReadCorrectionInput(const QString& path);
std::vector<CorrectionInputRow> ReadCorrectionInput(platform::Database& db);

// Every row of the sheet KYORIHOSEI in ID order; empty when the file or the table cannot be read.
std::vector<CorrectionSheetRow> ReadCorrectionSheet(const QString& path);
std::vector<CorrectionSheetRow> ReadCorrectionSheet(platform::Database& db);

// Adds one KYORIHOSEI row per element, in order, each text cut to its field size; one
// transaction. False, and nothing added, on any failure.
bool WriteCorrectionSheet(const QString& path, const std::vector<CorrectionSheetRow>& rows);
void WriteCorrectionSheet(platform::Database& db, const std::vector<CorrectionSheetRow>& rows);

// Deletes every row of the table; false when the file or the table cannot be written.
bool ClearTable(const QString& path, const QString& table);
void ClearTable(platform::Database& db, const QString& table);

}  // namespace notebook
