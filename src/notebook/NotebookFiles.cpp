#include "notebook/NotebookFiles.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstdio>

#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "platform/CodePage.h"
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

// A text field with its size, for cutting texts to fit.
template <typename Row>
struct SizedColumn {
    QString name;
    QString Row::*member;
    int size = 0;
};

template <typename Row>
std::vector<SizedColumn<Row>> Sized(const QString& table, std::span<const TextColumn<Row>> columns) {
    std::vector<SizedColumn<Row>> sized;
    for (const TextColumn<Row>& c : columns)
        sized.push_back({c.name.toString(), c.member, NotebookTextSize(table, c.name.toString())});
    return sized;
}

// Every text cut to its field's CP932 bytes: a name longer than its field is stored cut at a
// character boundary, as the notebook's other tables hold it.
template <typename Row>
void SetTexts(platform::Recordset& rs, const std::vector<SizedColumn<Row>>& columns, const Row& row) {
    for (const SizedColumn<Row>& column : columns) {
        const QString& text = row.*column.member;
        rs.SetField(column.name, TextOrNull(text.size() * 2 > column.size
                                                ? platform::cp932::CutToBytes(text, column.size)
                                                : text));
    }
}

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
    const QFileInfo older(QDir(folder).filePath(kNotebookFileName));
    if (older.exists() && !older.isFile())
        throw platform::FileError(older.filePath(), {}, platform::FileFault::NotAFile);
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
    static const auto columns = Sized(QStringLiteral("テーブル4"), ReductionTextColumns());
    platform::Recordset& rs = *reduction_;
    rs.AddNew();
    rs.SetField(QStringLiteral("TYPE"), row.type ? QVariant(*row.type) : QVariant());
    rs.SetField(QStringLiteral("READH"), row.lookUpCode ? QVariant(*row.lookUpCode) : QVariant());
    SetTexts(rs, columns, row);
    rs.Update();
}

void NotebookFiles::CorrectionInput(const CorrectionInputRow& row) {
    static const auto columns = Sized(QStringLiteral("KYORIHOSEI_"), CorrectionInputColumns());
    correction_->AddNew();
    SetTexts(*correction_, columns, row);
    correction_->Update();
}

namespace {

// rename() replaces a file in one step; QFile::rename would refuse to.
bool Replace(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

void NotebookFiles::Commit() {
    db_->CommitTrans();
    const QString fresh = db_->Path();
    data_.reset();
    headers_.reset();
    reduction_.reset();
    correction_.reset();
    db_.reset();
    text_->Flush();
    // The older database waits in the scratch folder until the text is in place too, so
    // that a failure at the last step can still give the folder its older pair back.
    const QString target = QDir(folder_).filePath(kNotebookFileName);
    const QString older = scratch_->filePath(QStringLiteral("older.mdb"));
    const bool hadOlder = QFileInfo::exists(target);
    if (hadOlder && !Replace(target, older))
        throw platform::FileError(target, QStringLiteral("観測手簿のデータベースを置き換えられません。"),
                                  platform::FaultOfErrno(errno));
    if (!Replace(fresh, target)) {
        const int error = errno;
        if (hadOlder) Replace(older, target);
        throw platform::FileError(target, QStringLiteral("観測手簿のデータベースを置き換えられません。"),
                                  platform::FaultOfErrno(error));
    }
    try {
        text_->Commit();
    } catch (const platform::FileError&) {
        QFile::remove(target);
        if (hadOlder) Replace(older, target);
        throw;
    }
}

}  // namespace notebook
