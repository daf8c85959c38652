#include "notebook/CorrectionTables.h"

#include <QStringList>
#include <QStringView>

#include "notebook/NotebookDatabase.h"
#include "notebook/NotebookTransaction.h"
#include "platform/CodePage.h"
#include "platform/Database.h"
#include "platform/DbSchema.h"
#include "platform/Recordset.h"

namespace notebook {
namespace {

const QString kInputTable = QStringLiteral("KYORIHOSEI_");
const QString kSheetTable = QStringLiteral("KYORIHOSEI");

constexpr TextColumn<CorrectionInputRow> kInputColumns[] = {
    {u"FLD1", &CorrectionInputRow::station},
    {u"FLD2", &CorrectionInputRow::target},
    {u"FLD3", &CorrectionInputRow::verticalAngle},
    {u"FLD4", &CorrectionInputRow::verticalComponent},
    {u"FLD5", &CorrectionInputRow::heightDifference},
    {u"FLD6", &CorrectionInputRow::slopeDistance},
    {u"FLD7", &CorrectionInputRow::horizontalDistance},
    {u"FLD-4", &CorrectionInputRow::verticalComponent2},
    {u"FLD-5", &CorrectionInputRow::heightDifference2},
    {u"FLD-7", &CorrectionInputRow::horizontalDistance2},
    {u"FLD+7", &CorrectionInputRow::horizontalDistanceBoth},
};

// In column order, FLD1 to FLD13.
constexpr QString CorrectionSheetRow::*kSheetColumns[] = {
    &CorrectionSheetRow::station,
    &CorrectionSheetRow::target,
    &CorrectionSheetRow::verticalAngle,
    &CorrectionSheetRow::verticalComponent,
    &CorrectionSheetRow::heightDifference,
    &CorrectionSheetRow::slopeDistance,
    &CorrectionSheetRow::horizontalDistance,
    &CorrectionSheetRow::elevation,
    &CorrectionSheetRow::seaLevel,
    &CorrectionSheetRow::reducedDistance,
    &CorrectionSheetRow::scale,
    &CorrectionSheetRow::scaleFactor,
    &CorrectionSheetRow::planeDistance,
};

}  // namespace

std::span<const TextColumn<CorrectionInputRow>> CorrectionInputColumns() { return kInputColumns; }

std::vector<CorrectionInputRow> ReadCorrectionInput(platform::Database& db) {
    auto rows = db.OpenRecordset(
        QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(platform::QuoteIdentifier(kInputTable)));
    std::vector<CorrectionInputRow> read;
    for (; !rows->Eof(); rows->MoveNext()) {
        CorrectionInputRow& row = read.emplace_back();
        for (const TextColumn<CorrectionInputRow>& column : kInputColumns)
            row.*column.member = rows->Field(column.name.toString()).toString();
    }
    return read;
}

std::vector<CorrectionInputRow> ReadCorrectionInput(const QString& path) {
    std::vector<CorrectionInputRow> rows;
    if (!InNotebookTransaction(path,
                               [&](platform::Database& db) { rows = ReadCorrectionInput(db); }))
        return {};
    return rows;
}

std::vector<CorrectionSheetRow> ReadCorrectionSheet(platform::Database& db) {
    auto rows = db.OpenRecordset(
        QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(platform::QuoteIdentifier(kSheetTable)));
    std::vector<CorrectionSheetRow> read;
    for (; !rows->Eof(); rows->MoveNext()) {
        CorrectionSheetRow& row = read.emplace_back();
        for (size_t i = 0; i < std::size(kSheetColumns); ++i)
            row.*kSheetColumns[i] = rows->Field(QStringLiteral("FLD%1").arg(i + 1)).toString();
    }
    return read;
}

std::vector<CorrectionSheetRow> ReadCorrectionSheet(const QString& path) {
    std::vector<CorrectionSheetRow> rows;
    if (!InNotebookTransaction(path,
                               [&](platform::Database& db) { rows = ReadCorrectionSheet(db); }))
        return {};
    return rows;
}

void WriteCorrectionSheet(platform::Database& db, const std::vector<CorrectionSheetRow>& rows) {
    constexpr int kColumns = static_cast<int>(std::size(kSheetColumns));
    QStringList names;
    std::vector<int> sizes;
    for (int i = 0; i < kColumns; ++i) {
        names.append(QStringLiteral("FLD%1").arg(i + 1));
        sizes.push_back(NotebookTextSize(kSheetTable, names.back()));
    }
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (?%3)")
                            .arg(platform::QuoteIdentifier(kSheetTable), names.join(u','),
                                 QStringLiteral(",?").repeated(kColumns - 1));
    for (const CorrectionSheetRow& row : rows) {
        QVariantList values;
        for (int i = 0; i < kColumns; ++i)
            values.append(platform::cp932::CutToBytes(row.*kSheetColumns[i], sizes[i]));
        db.Execute(sql, values);
    }
}

bool WriteCorrectionSheet(const QString& path, const std::vector<CorrectionSheetRow>& rows) {
    return InNotebookTransaction(path,
                                 [&](platform::Database& db) { WriteCorrectionSheet(db, rows); });
}

void ClearTable(platform::Database& db, const QString& table) {
    db.Execute(QStringLiteral("DELETE FROM %1").arg(platform::QuoteIdentifier(table)));
}

bool ClearTable(const QString& path, const QString& table) {
    return InNotebookTransaction(path, [&](platform::Database& db) { ClearTable(db, table); });
}

}  // namespace notebook
