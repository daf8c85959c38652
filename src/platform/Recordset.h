#pragma once
// A cursor over the rows of a table or a SELECT. Rows are read when first needed (a move, a
// field, the count), so the record count is exact at once; adding rows reads none. A
// recordset over a table, or over a SELECT whose rows are one table's rows (RecordSource.h),
// can add, edit and delete rows.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>
#include <vector>

#include "platform/RecordSource.h"

namespace platform {

class Database;
class DbStatement;

class Recordset {
  public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool Eof();
    bool Bof();
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    int RecordCount();

    // The field of the current record (or of the record being added or edited).
    QVariant Field(const QString& name);
    // Assigns a field of the record being added or edited.
    void SetField(const QString& name, const QVariant& value);

    void AddNew();
    void Edit();
    void Update();  // writes the added or edited record back
    void CancelUpdate();
    void Delete();  // deletes the current record; move off it afterwards
    // Moves to the record last added or changed (to read an auto-increment ID). Throws
    // DbError when there is none, it was deleted, or the recordset was closed since.
    void MoveToLastModified();

    bool Updatable() const { return source_.Writable(); }

    // Indexed seek on a table recordset: selects the index by its name, then finds the
    // first record whose key equals the value. After a seek the recordset holds that one
    // record, or none and NoMatch() is true.
    void SetIndex(const QString& name);
    void Seek(const QVariant& key);
    bool NoMatch() const { return noMatch_; }

    void Close();

  private:
    friend class Database;
    struct Row {
        qint64 rowid = 0;
        QVariantList values;
        bool deleted = false;
    };
    enum class Mode { None, Add, Edit };
    // A statement that writes the fields marked in its mask, kept while rows of the same
    // shape follow one another (a bulk insert binds and runs it once per row).
    struct Writer {
        std::vector<bool> mask;
        std::unique_ptr<DbStatement> statement;
    };

    Recordset(std::shared_ptr<Database> db, const QString& source, const QVariantList& params);
    void Load();
    void EnsureLoaded();
    Row ReadRow(const DbStatement& statement) const;
    std::optional<Row> ReadRow(qint64 rowid);
    int FieldIndex(const QString& name) const;
    Row& Current();
    void SkipDeleted(int direction);
    void RequireUpdatable() const;
    void Keep(Writer& writer, const QString& sql);
    QStringList DirtyColumns() const;
    int BindDirty(DbStatement& statement) const;
    void Insert();
    void Rewrite();
    int RowOf(qint64 rowid) const;

    std::shared_ptr<Database> db_;
    QVariantList params_;
    RecordSource source_;
    QHash<QString, int> fieldIndex_;  // by the name as the query gives it
    QString rowSql_;                  // one row by its row id, laid out as the source's rows
    bool loaded_ = false;
    std::vector<Row> rows_;
    int pos_ = 0;
    std::optional<qint64> lastModified_;  // the row id
    Mode mode_ = Mode::None;
    QVariantList buffer_;
    std::vector<bool> dirty_;
    Writer inserter_;
    Writer updater_;
    QString seekSql_;
    bool noMatch_ = false;
};

}  // namespace platform
