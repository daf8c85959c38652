#include "platform/Recordset.h"

#include <sqlite3.h>

#include <QRegularExpression>

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/DbSchema.h"
#include "platform/DbStatement.h"

namespace platform {
namespace {

const QString kRowid = QStringLiteral("__trv_rowid__");

DbError NoCurrentRecord() {
    return DbError(QStringLiteral("カレント レコードがありません。"), 3021);
}

// A SELECT whose rows can be written back: one table, no joins, no grouping, plain columns.
const QRegularExpression& SingleTableSelect() {
    static const QRegularExpression re(
        QString::fromLatin1(
            R"re(^\s*SELECT\s+(?!DISTINCT\b)([^()]+?)\s+FROM\s+("[^"]+"|\[[^\]]+\]|[^\s,()"\[\];]+)(\s+(WHERE|ORDER\s+BY)\b.*?)?\s*;?\s*$)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re;
}

// Renamed columns cannot be written back under their new names.
bool HasAlias(const QString& selectList) {
    static const QRegularExpression re(QStringLiteral("\\bAS\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(selectList).hasMatch();
}

QString Unquote(const QString& name) {
    if (name.size() >= 2 && ((name.front() == u'"' && name.back() == u'"') ||
                             (name.front() == u'[' && name.back() == u']')))
        return name.mid(1, name.size() - 2);
    return name;
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Database> db, const QString& source,
                     const QVariantList& params)
    : db_(std::move(db)), params_(params) {
    const QString trimmed = source.trimmed();
    if (!trimmed.startsWith(QStringLiteral("SELECT"), Qt::CaseInsensitive)) {
        isTable_ = true;
        table_ = Unquote(trimmed);
        selectList_ = QStringLiteral("*");
        sql_ = QStringLiteral("SELECT rowid AS %1, * FROM %2").arg(kRowid, QuoteIdentifier(table_));
        if (!db_->HasTable(table_))
            throw DbError(QStringLiteral("テーブル '%1' が見つかりません。").arg(table_), 3078);
    } else if (const auto m = SingleTableSelect().match(trimmed);
               m.hasMatch() && !HasAlias(m.captured(1))) {
        table_ = Unquote(m.captured(2));
        selectList_ = m.captured(1);
        sql_ = QStringLiteral("SELECT %1.rowid AS %2, %3")
                   .arg(QuoteIdentifier(table_), kRowid, trimmed.mid(m.capturedStart(1)));
    } else {
        sql_ = trimmed;
    }
    ReadColumns();
}

Recordset::~Recordset() = default;

void Recordset::ReadColumns() {
    DbStatement statement(db_->Handle(), sql_);
    hasRowid_ = statement.ColumnCount() > 0 && statement.ColumnName(0) == kRowid;
    for (int c = hasRowid_ ? 1 : 0; c < statement.ColumnCount(); ++c) {
        names_.append(statement.ColumnName(c));
        types_.append(statement.DeclaredType(c));
    }
    if (!hasRowid_) table_.clear();
}

void Recordset::Load() {
    rows_.clear();
    DbStatement statement(db_->Handle(), sql_);
    statement.Bind(params_);
    const int first = hasRowid_ ? 1 : 0;
    while (statement.Step()) {
        Row row;
        row.rowid = hasRowid_ ? statement.Int64(0) : 0;
        for (int c = first; c < statement.ColumnCount(); ++c) row.values.append(statement.Value(c));
        rows_.push_back(std::move(row));
    }
    loaded_ = true;
    pos_ = 0;
}

void Recordset::EnsureLoaded() {
    if (!loaded_) Load();
}

Recordset::Row Recordset::ReadRow(qint64 rowid) {
    DbStatement statement(db_->Handle(), QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                             .arg(selectList_, QuoteIdentifier(table_)));
    statement.Bind({rowid});
    Row row;
    row.rowid = rowid;
    if (!statement.Step()) return row;
    for (int c = 0; c < statement.ColumnCount(); ++c) row.values.append(statement.Value(c));
    return row;
}

int Recordset::FieldIndex(const QString& name) const {
    for (int i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
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
    if (index < 0) throw DbError(QStringLiteral("フィールド '%1' はありません。").arg(name), 3265);
    if (mode_ != Mode::None) return buffer_[index];
    return Current().values[index];
}

void Recordset::SetField(const QString& name, const QVariant& value) {
    const int index = FieldIndex(name);
    if (index < 0) throw DbError(QStringLiteral("フィールド '%1' はありません。").arg(name), 3265);
    if (mode_ == Mode::None)
        throw DbError(QStringLiteral("AddNew または Edit を実行していません。"), 3020);
    buffer_[index] = value;
    dirty_[index] = true;
}

void Recordset::RequireUpdatable() const {
    if (!Updatable()) throw DbError(QStringLiteral("このレコードセットは更新できません。"), 3027);
}

void Recordset::AddNew() {
    RequireUpdatable();
    EnsureLoaded();
    buffer_ = QVariantList(names_.size());
    dirty_.assign(names_.size(), false);
    mode_ = Mode::Add;
}

void Recordset::Edit() {
    RequireUpdatable();
    buffer_ = Current().values;
    dirty_.assign(names_.size(), false);
    mode_ = Mode::Edit;
}

void Recordset::CancelUpdate() {
    mode_ = Mode::None;
    buffer_.clear();
    dirty_.clear();
}

void Recordset::Update() {
    if (mode_ == Mode::None)
        throw DbError(QStringLiteral("AddNew または Edit を実行していません。"), 3020);
    QStringList columns;
    QVariantList values;
    for (int i = 0; i < names_.size(); ++i) {
        if (!dirty_[i]) continue;
        columns.append(QuoteIdentifier(names_[i]));
        values.append(buffer_[i]);
    }
    const QString table = QuoteIdentifier(table_);
    if (mode_ == Mode::Add) {
        QString sql = columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, columns.join(QStringLiteral(", ")),
                                                   QStringList(columns.size(), QStringLiteral("?"))
                                                       .join(QStringLiteral(", ")));
        db_->Execute(sql, values);
        rows_.push_back(ReadRow(db_->LastInsertId()));
        lastModified_ = static_cast<int>(rows_.size()) - 1;
    } else {
        Row& row = Current();
        if (!columns.isEmpty()) {
            QStringList assignments;
            for (const QString& column : columns)
                assignments.append(column + QStringLiteral(" = ?"));
            values.append(row.rowid);
            db_->Execute(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                             .arg(table, assignments.join(QStringLiteral(", "))),
                         values);
        }
        row.values = ReadRow(row.rowid).values;
        lastModified_ = pos_;
    }
    CancelUpdate();
}

void Recordset::Delete() {
    RequireUpdatable();
    Row& row = Current();
    db_->Execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(QuoteIdentifier(table_)),
                 {row.rowid});
    row.deleted = true;
}

void Recordset::MoveToLastModified() {
    if (lastModified_ < 0 || rows_[lastModified_].deleted) throw NoCurrentRecord();
    pos_ = lastModified_;
}

void Recordset::SetIndex(const QString& name) {
    if (!isTable_)
        throw DbError(QStringLiteral("インデックスはテーブルのレコードセットでのみ使えます。"),
                      3251);
    DbStatement list(db_->Handle(), QStringLiteral("SELECT name FROM pragma_index_list(?)"));
    list.Bind({table_});
    while (list.Step()) {
        const QString indexName = list.Value(0).toString();
        if (indexName.compare(table_ + u'.' + name, Qt::CaseInsensitive) != 0 &&
            indexName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        DbStatement info(db_->Handle(), QStringLiteral("SELECT name FROM pragma_index_info(?)"));
        info.Bind({indexName});
        if (info.Step()) {
            indexColumn_ = info.Value(0).toString();
            return;
        }
    }
    throw DbError(QStringLiteral("インデックス '%1' はありません。").arg(name), 3800);
}

void Recordset::Seek(const QVariant& key) {
    if (indexColumn_.isEmpty())
        throw DbError(QStringLiteral("インデックスが選ばれていません。"), 3019);
    DbStatement statement(db_->Handle(),
                          QStringLiteral("SELECT rowid, * FROM %1 WHERE %2 = ? LIMIT 1")
                              .arg(QuoteIdentifier(table_), QuoteIdentifier(indexColumn_)));
    statement.Bind({key});
    rows_.clear();
    loaded_ = true;
    pos_ = 0;
    noMatch_ = !statement.Step();
    if (noMatch_) return;
    Row row;
    row.rowid = statement.Int64(0);
    for (int c = 1; c < statement.ColumnCount(); ++c) row.values.append(statement.Value(c));
    rows_.push_back(std::move(row));
}

void Recordset::Close() {
    CancelUpdate();
    rows_.clear();
    loaded_ = true;
    pos_ = 0;
}

}  // namespace platform
