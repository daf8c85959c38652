#include "notebook/NotebookFiles.h"

#include <QDir>
#include <array>
#include <cerrno>
#include <cstdio>

#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "platform/Database.h"
#include "platform/FileError.h"
#include "platform/Recordset.h"
#include "platform/TextFile.h"

namespace notebook {
namespace {

// Field names FLD1… of DATA and HEDDER, made once.
template <size_t N>
std::array<QString, N> FieldNames() {
    std::array<QString, N> names;
    for (size_t n = 1; n < N; ++n) names[n] = QStringLiteral("FLD") + QString::number(n);
    return names;
}

// Empty text is stored as Null, as a field nobody assigned.
QVariant TextOrNull(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

// A row of a table whose fields are ID, FLD1, FLD2…
template <typename Row>
void AddNumberedRow(platform::Recordset& rs, const Row& row) {
    static const auto names = FieldNames<std::tuple_size_v<decltype(row.fields)>>();
    rs.AddNew();
    rs.SetField(QStringLiteral("ID"), row.id);
    for (size_t n = 1; n < names.size(); ++n) rs.SetField(names[n], TextOrNull(row.fields[n]));
    rs.Update();
}

}  // namespace

NotebookFiles::NotebookFiles(const QString& folder) : folder_(folder) {
    // The text writer says best why a folder cannot take files (missing, read-only).
    text_ = std::make_unique<platform::TextFileWriter>(QDir(folder).filePath(kNotebookTextName));
    scratch_ = std::make_unique<QTemporaryDir>(QDir(folder).filePath(QStringLiteral(".notebook-XXXXXX")));
    const QString path = scratch_->isValid() ? CreateNotebookDatabase(scratch_->path()) : QString();
    if (path.isEmpty())
        throw platform::FileError(QDir(folder).filePath(kNotebookFileName),
                                  QStringLiteral("観測手簿のデータベースを作れません。"));
    db_ = platform::Database::Open(path);
    db_->BeginTrans();
    headers_ = db_->OpenRecordset(QStringLiteral("HEDDER"));
    data_ = db_->OpenRecordset(QStringLiteral("DATA"));
    reduction_ = db_->OpenRecordset(QStringLiteral("テーブル4"));
    correction_ = db_->OpenRecordset(QStringLiteral("KYORIHOSEI_"));
}

NotebookFiles::~NotebookFiles() {
    // Let go of the recordsets before their database; an uncommitted run leaves nothing.
    data_.reset();
    headers_.reset();
    reduction_.reset();
    correction_.reset();
    if (db_ && db_->TransactionDepth() > 0) {
        try {
            db_->Rollback();
        } catch (const platform::DbError&) {
            // The scratch folder goes with the half-made database all the same.
        }
    }
}

void NotebookFiles::Line(const QString& text) { text_->WriteLine(text); }

void NotebookFiles::Data(const DataRow& row) { AddNumberedRow(*data_, row); }

void NotebookFiles::Header(const HeaderRow& row) { AddNumberedRow(*headers_, row); }

void NotebookFiles::Reduction(const ReductionRow& row) {
    platform::Recordset& rs = *reduction_;
    rs.AddNew();
    rs.SetField(QStringLiteral("TYPE"), row.type ? QVariant(*row.type) : QVariant());
    rs.SetField(QStringLiteral("KIKAITEN"), TextOrNull(row.station));
    rs.SetField(QStringLiteral("IH"), TextOrNull(row.instrumentHeight));
    rs.SetField(QStringLiteral("KIKAIH"), TextOrNull(row.stationElevation));
    rs.SetField(QStringLiteral("H"), TextOrNull(row.elevation));
    rs.SetField(QStringLiteral("SIJUNTEN"), TextOrNull(row.target));
    rs.SetField(QStringLiteral("VANG"), TextOrNull(row.verticalAngle));
    rs.SetField(QStringLiteral("SOKUDIS"), TextOrNull(row.slopeDistance));
    rs.SetField(QStringLiteral("CULCDIS"), TextOrNull(row.horizontalDistance));
    rs.SetField(QStringLiteral("FH"), TextOrNull(row.targetHeight));
    rs.SetField(QStringLiteral("DH"), TextOrNull(row.heightDifference));
    rs.SetField(QStringLiteral("CULCH"), TextOrNull(row.computedElevation));
    rs.SetField(QStringLiteral("READH"), row.lookUpCode ? QVariant(*row.lookUpCode) : QVariant());
    rs.SetField(QStringLiteral("HANG"), TextOrNull(row.direction));
    rs.SetField(QStringLiteral("メモ"), TextOrNull(row.memo));
    rs.SetField(QStringLiteral("HANG2"), TextOrNull(row.direction2));
    rs.Update();
}

void NotebookFiles::CorrectionInput(const CorrectionInputRow& row) {
    platform::Recordset& rs = *correction_;
    rs.AddNew();
    rs.SetField(QStringLiteral("FLD1"), TextOrNull(row.station));
    rs.SetField(QStringLiteral("FLD2"), TextOrNull(row.target));
    rs.SetField(QStringLiteral("FLD3"), TextOrNull(row.verticalAngle));
    rs.SetField(QStringLiteral("FLD4"), TextOrNull(row.verticalComponent));
    rs.SetField(QStringLiteral("FLD5"), TextOrNull(row.heightDifference));
    rs.SetField(QStringLiteral("FLD6"), TextOrNull(row.slopeDistance));
    rs.SetField(QStringLiteral("FLD7"), TextOrNull(row.horizontalDistance));
    rs.SetField(QStringLiteral("FLD-4"), TextOrNull(row.verticalComponent2));
    rs.SetField(QStringLiteral("FLD-5"), TextOrNull(row.heightDifference2));
    rs.SetField(QStringLiteral("FLD-7"), TextOrNull(row.horizontalDistance2));
    rs.SetField(QStringLiteral("FLD+7"), TextOrNull(row.horizontalDistanceBoth));
    rs.Update();
}

void NotebookFiles::Commit() {
    db_->CommitTrans();
    const QString scratchPath = db_->Path();
    data_.reset();
    headers_.reset();
    reduction_.reset();
    correction_.reset();
    db_.reset();
    const QString target = QDir(folder_).filePath(kNotebookFileName);
    // rename() replaces the older database in one step; QFile::rename would refuse to.
    if (std::rename(QFile::encodeName(scratchPath).constData(), QFile::encodeName(target).constData()) != 0)
        throw platform::FileError(target, QStringLiteral("観測手簿のデータベースを置き換えられません。"),
                                  platform::FaultOfErrno(errno));
    text_->Commit();
}

}  // namespace notebook
