#include "notebook/ReductionTable.h"

#include <QStringView>

#include "notebook/NotebookDatabase.h"
#include "notebook/NotebookTransaction.h"
#include "platform/CodePage.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

namespace notebook {
namespace {

const QString kTable = QStringLiteral("テーブル4");

constexpr TextColumn<ReductionRow> kTextColumns[] = {
    {u"KIKAITEN", &ReductionRow::station},
    {u"IH", &ReductionRow::instrumentHeight},
    {u"KIKAIH", &ReductionRow::stationElevation},
    {u"H", &ReductionRow::elevation},
    {u"SIJUNTEN", &ReductionRow::target},
    {u"VANG", &ReductionRow::verticalAngle},
    {u"SOKUDIS", &ReductionRow::slopeDistance},
    {u"CULCDIS", &ReductionRow::horizontalDistance},
    {u"FH", &ReductionRow::targetHeight},
    {u"DH", &ReductionRow::heightDifference},
    {u"CULCH", &ReductionRow::computedElevation},
    {u"HANG", &ReductionRow::direction},
    {u"メモ", &ReductionRow::memo},
    {u"HANG2", &ReductionRow::direction2},
};

std::optional<qint32> OptionalLong(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    return value.toInt();
}

ReductionRow CurrentRow(platform::Recordset& rows) {
    ReductionRow row;
    row.id = rows.Field(QStringLiteral("ID")).toInt();
    row.type = OptionalLong(rows.Field(QStringLiteral("TYPE")));
    row.lookUpCode = OptionalLong(rows.Field(QStringLiteral("READH")));
    for (const TextColumn<ReductionRow>& column : kTextColumns)
        row.*column.member = rows.Field(column.name.toString()).toString();
    return row;
}

// Empty text is Null: the field was cleared and stays so.
QVariant TextOrNull(const QString& text, const QString& field) {
    if (text.isEmpty()) return QVariant();
    return platform::cp932::CutToBytes(text, NotebookTextSize(kTable, field));
}

// READH is a whole number; other text is refused rather than stored as text in it.
QVariant CodeOrNull(const QString& text) {
    if (text.isEmpty()) return QVariant();
    bool ok = false;
    const qint32 code = text.toInt(&ok);
    if (!ok)
        throw platform::DbError(
            QStringLiteral("READH に整数でない値 '%1' は書けません。").arg(text));
    return code;
}

}  // namespace

std::span<const TextColumn<ReductionRow>> ReductionTextColumns() { return kTextColumns; }

std::vector<ReductionRow> ReadReductionTable(platform::Database& db) {
    auto rows = db.OpenRecordset(
        QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(platform::QuoteIdentifier(kTable)));
    std::vector<ReductionRow> read;
    read.reserve(rows->RecordCount());
    for (; !rows->Eof(); rows->MoveNext()) read.push_back(CurrentRow(*rows));
    return read;
}

std::vector<ReductionRow> ReadReductionTable(const QString& path) {
    std::vector<ReductionRow> rows;
    if (!InNotebookTransaction(path,
                               [&](platform::Database& db) { rows = ReadReductionTable(db); }))
        return {};
    return rows;
}

TraverseSource ReadTraverseSource(const QString& path) {
    TraverseSource source;
    if (!InNotebookTransaction(path, [&](platform::Database& db) {
            source.reduction = ReadReductionTable(db);
            source.sheet = ReadCorrectionSheet(db);
        }))
        return {};
    return source;
}

bool WriteHeights(const QString& path, const std::vector<HeightEdit>& edits) {
    const QString sql =
        QStringLiteral(
            "UPDATE %1 SET KIKAIH = ?, H = ?, CULCH = ?, READH = COALESCE(?, READH) "
            "WHERE ID = ?")
            .arg(platform::QuoteIdentifier(kTable));
    return InNotebookTransaction(path, [&](platform::Database& db) {
        for (const HeightEdit& edit : edits)
            db.Execute(sql, {TextOrNull(edit.stationElevation, QStringLiteral("KIKAIH")),
                             TextOrNull(edit.elevation, QStringLiteral("H")),
                             TextOrNull(edit.computedElevation, QStringLiteral("CULCH")),
                             CodeOrNull(edit.lookUpCode), edit.id});
    });
}

}  // namespace notebook
