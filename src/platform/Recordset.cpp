#include "platform/Recordset.h"

#include <algorithm>

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/DbSchema.h"
#include "platform/DbStatement.h"

namespace platform {
namespace {

DbError NoCurrentRecord() {
    return DbError(QStringLiteral("カレント レコードがありません。"), 3021);
}

DbError NoSuchField(const QString& name) {
    return DbError(QStringLiteral("フィールド '%1' はありません。").arg(name), 3265);
}

DbError NotAddingOrEditing() {
    return DbError(QStringLiteral("AddNew または Edit を実行していません。"), 3020);
}

QString Placeholders(qsizetype count) {
    return QStringList(count, QStringLiteral("?")).join(QStringLiteral(", "));
}

QStringList Quoted(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names) quoted.append(QuoteIdentifier(name));
    return quoted;
}

// Runs a statement that returns no rows and makes it ready for the next row.
void Run(DbStatement& statement) {
    try {
        statement.Step();
    } catch (const DbError&) {
        statement.Reset();
        throw;
    }
    statement.Reset();
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Database> db, const QString& source,
                     const QVariantList& params)
    : db_(std::move(db)), params_(params), source_(DescribeSource(*db_, source)) {
    // The first of two fields with one name is the one found.
    for (auto i = source_.names.size() - 1; i >= 0; --i)
        fieldIndex_.insert(source_.names[i], static_cast<int>(i));
    if (source_.Writable())
        rowSql_ =
            QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid = ?")
                .arg(Quoted(source_.origins).join(QStringLiteral(", ")), source_.QualifiedTable());
}

Recordset::~Recordset() = default;

Recordset::Row Recordset::ReadRow(const DbStatement& statement) const {
    Row row;
    const int first = source_.FirstField();
    if (source_.Writable()) row.rowid = statement.Int64(0);
    row.values.reserve(source_.names.size());
    for (int f = 0; f < source_.names.size(); ++f)
        row.values.append(statement.Value(first + f, source_.kinds[f]));
    return row;
}

std::optional<Recordset::Row> Recordset::ReadRow(qint64 rowid) {
    DbStatement statement(*db_, rowSql_);
    statement.Bind(1, rowid);
    if (!statement.Step()) return std::nullopt;
    return ReadRow(statement);
}

void Recordset::Load() {
    rows_.clear();
    DbStatement statement(*db_, source_.sql);
    statement.Bind(params_);
    const int columns = source_.FirstField() + static_cast<int>(source_.names.size());
    while (statement.Step()) {
        // Another connection may have changed the table since the recordset was opened.
        if (statement.ColumnCount() != columns)
            throw DbError(QStringLiteral("テーブルの定義が変更されました。"), 3211);
        rows_.push_back(ReadRow(statement));
    }
    loaded_ = true;
    pos_ = 0;
}

void Recordset::EnsureLoaded() {
    if (!loaded_) Load();
}

int Recordset::FieldIndex(const QString& name) const {
    const auto exact = fieldIndex_.constFind(name);
    if (exact != fieldIndex_.constEnd()) return *exact;
    for (int i = 0; i < source_.names.size(); ++i)
        if (source_.names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    throw NoSuchField(name);
}

bool Recordset::Eof() {
    EnsureLoaded();
    return pos_ >= static_cast<int>(rows_.size());
}

bool Recordset::Bof() {
    EnsureLoaded();
    return pos_ < 0 || rows_.empty();
}

void Recordset::SkipDeleted(int direction) {
    while (pos_ >= 0 && pos_ < static_cast<int>(rows_.size()) && rows_[pos_].deleted)
        pos_ += direction;
}

void Recordset::MoveFirst() {
    EnsureLoaded();
    pos_ = 0;
    SkipDeleted(+1);
}

void Recordset::MoveNext() {
    EnsureLoaded();
    if (pos_ >= static_cast<int>(rows_.size())) throw NoCurrentRecord();
    ++pos_;
    SkipDeleted(+1);
}

void Recordset::MoveLast() {
    EnsureLoaded();
    pos_ = static_cast<int>(rows_.size()) - 1;
    SkipDeleted(-1);
    if (pos_ < 0) pos_ = static_cast<int>(rows_.size());
}

int Recordset::RecordCount() {
    EnsureLoaded();
    int count = 0;
    for (const Row& row : rows_) count += row.deleted ? 0 : 1;
    return count;
}

Recordset::Row& Recordset::Current() {
    EnsureLoaded();
    if (pos_ < 0 || pos_ >= static_cast<int>(rows_.size()) || rows_[pos_].deleted)
        throw NoCurrentRecord();
    return rows_[pos_];
}

QVariant Recordset::Field(const QString& name) {
    const int index = FieldIndex(name);
    if (mode_ != Mode::None) return buffer_[index];
    return Current().values[index];
}

void Recordset::SetField(const QString& name, const QVariant& value) {
    const int index = FieldIndex(name);
    if (mode_ == Mode::None) throw NotAddingOrEditing();
    buffer_[index] = value;
    dirty_[index] = true;
}

void Recordset::RequireUpdatable() const {
    if (!Updatable()) throw DbError(QStringLiteral("このレコードセットは更新できません。"), 3027);
}

void Recordset::AddNew() {
    RequireUpdatable();
    const auto fields = source_.names.size();
    if (buffer_.size() == fields)
        buffer_.fill(QVariant());
    else
        buffer_ = QVariantList(fields);
    dirty_.assign(fields, false);
    mode_ = Mode::Add;
}

void Recordset::Edit() {
    RequireUpdatable();
    buffer_ = Current().values;
    dirty_.assign(source_.names.size(), false);
    mode_ = Mode::Edit;
}

void Recordset::CancelUpdate() {
    mode_ = Mode::None;
}

void Recordset::Update() {
    if (mode_ == Mode::None) throw NotAddingOrEditing();
    if (mode_ == Mode::Add)
        Insert();
    else
        Rewrite();
    mode_ = Mode::None;
}

QStringList Recordset::DirtyColumns() const {
    QStringList columns;
    for (int i = 0; i < source_.origins.size(); ++i)
        if (dirty_[i]) columns.append(QuoteIdentifier(source_.origins[i]));
    return columns;
}

int Recordset::BindDirty(DbStatement& statement) const {
    int parameter = 1;
    for (int i = 0; i < buffer_.size(); ++i)
        if (dirty_[i]) statement.Bind(parameter++, buffer_[i]);
    return parameter;
}

void Recordset::Keep(Writer& writer, const QString& sql) {
    writer.statement = std::make_unique<DbStatement>(*db_, sql);
    writer.mask = dirty_;
}

void Recordset::Insert() {
    if (!inserter_.statement || inserter_.mask != dirty_) {
        const QStringList columns = DirtyColumns();
        Keep(inserter_,
             columns.isEmpty()
                 ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(source_.QualifiedTable())
                 : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(source_.QualifiedTable(), columns.join(QStringLiteral(", ")),
                            Placeholders(columns.size())));
    }
    BindDirty(*inserter_.statement);
    Run(*inserter_.statement);
    lastModified_ = db_->LastInsertId();
    // Rows read already are joined by the new one, as a later read would show it.
    if (!loaded_) return;
    if (auto row = ReadRow(*lastModified_)) rows_.push_back(std::move(*row));
}

void Recordset::Rewrite() {
    Row& row = Current();
    if (std::find(dirty_.begin(), dirty_.end(), true) != dirty_.end()) {
        if (!updater_.statement || updater_.mask != dirty_) {
            QStringList assignments = DirtyColumns();
            for (QString& column : assignments) column += QStringLiteral(" = ?");
            Keep(updater_,
                 QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                     .arg(source_.QualifiedTable(), assignments.join(QStringLiteral(", "))));
        }
        updater_.statement->Bind(BindDirty(*updater_.statement), row.rowid);
        Run(*updater_.statement);
    }
    lastModified_ = row.rowid;
    if (auto fresh = ReadRow(row.rowid))
        row.values = std::move(fresh->values);
    else
        row.deleted = true;  // a trigger or another program took it away
}

void Recordset::Delete() {
    RequireUpdatable();
    Row& row = Current();
    db_->Execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(source_.QualifiedTable()),
                 {row.rowid});
    row.deleted = true;
}

int Recordset::RowOf(qint64 rowid) const {
    for (int i = static_cast<int>(rows_.size()) - 1; i >= 0; --i)
        if (rows_[i].rowid == rowid && !rows_[i].deleted) return i;
    return -1;
}

void Recordset::MoveToLastModified() {
    if (!lastModified_) throw NoCurrentRecord();
    EnsureLoaded();
    int index = RowOf(*lastModified_);
    if (index < 0) {
        // Not among the rows read (a seek left one row, or the query does not select it).
        auto row = ReadRow(*lastModified_);
        if (!row) throw NoCurrentRecord();
        rows_.push_back(std::move(*row));
        index = static_cast<int>(rows_.size()) - 1;
    }
    pos_ = index;
}

void Recordset::SetIndex(const QString& name) {
    if (source_.namedTable.isEmpty())
        throw DbError(QStringLiteral("インデックスはテーブルのレコードセットでのみ使えます。"),
                      3251);
    DbStatement list(*db_, QStringLiteral("SELECT name FROM pragma_index_list(?)"));
    list.Bind({source_.namedTable});
    while (list.Step()) {
        const QString indexName = list.Value(0).toString();
        if (indexName.compare(source_.namedTable + u'.' + name, Qt::CaseInsensitive) != 0 &&
            indexName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        DbStatement info(*db_, QStringLiteral("SELECT name FROM pragma_index_info(?)"));
        info.Bind({indexName});
        if (info.Step()) {
            seekSql_ = source_.sql + QStringLiteral(" WHERE %1 = ? LIMIT 1")
                                         .arg(QuoteIdentifier(info.Value(0).toString()));
            return;
        }
    }
    throw DbError(QStringLiteral("インデックス '%1' はありません。").arg(name), 3800);
}

void Recordset::Seek(const QVariant& key) {
    if (seekSql_.isEmpty()) throw DbError(QStringLiteral("インデックスが選ばれていません。"), 3019);
    DbStatement statement(*db_, seekSql_);
    statement.Bind(1, key);
    rows_.clear();
    loaded_ = true;
    pos_ = 0;
    noMatch_ = !statement.Step();
    if (!noMatch_) rows_.push_back(ReadRow(statement));
}

void Recordset::Close() {
    CancelUpdate();
    rows_.clear();
    loaded_ = true;
    pos_ = 0;
    lastModified_.reset();
    inserter_ = {};
    updater_ = {};
}

}  // namespace platform
