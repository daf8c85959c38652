#pragma once
// A cursor over the rows of a table or a SELECT. Rows are read when first needed, so the
// record count is exact at once. A recordset over a table, or over a SELECT on a single
// table, can add, edit and delete rows.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <vector>

namespace platform {

class Database;

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
    // Moves to the record last added or changed (to read an auto-increment ID).
    void MoveToLastModified();

    bool Updatable() const { return !table_.isEmpty(); }

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

    Recordset(std::shared_ptr<Database> db, const QString& source, const QVariantList& params);
    void Load();
    void EnsureLoaded();
    void ReadColumns();
    Row ReadRow(qint64 rowid);
    int FieldIndex(const QString& name) const;
    Row& Current();
    void SkipDeleted(int direction);
    void RequireUpdatable() const;

    std::shared_ptr<Database> db_;
    QString sql_;
    QVariantList params_;
    QString table_;       // base table when updatable
    QString selectList_;  // the SELECT's column list, for reading one row back
    bool isTable_ = false;
    bool loaded_ = false;
    bool hasRowid_ = false;
    QStringList names_;
    QStringList types_;
    std::vector<Row> rows_;
    int pos_ = 0;
    int lastModified_ = -1;
    Mode mode_ = Mode::None;
    QVariantList buffer_;
    std::vector<bool> dirty_;
    QString indexColumn_;
    bool noMatch_ = false;
};

}  // namespace platform
