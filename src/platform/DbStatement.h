#pragma once
// A prepared SQLite statement with bound parameters; internal to the database seam.

#include <sqlite3.h>

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace platform {

class DbStatement {
  public:
    DbStatement(sqlite3* db, const QString& sql);  // throws DbError
    ~DbStatement();
    DbStatement(const DbStatement&) = delete;
    DbStatement& operator=(const DbStatement&) = delete;

    void Bind(const QVariantList& params);
    bool Step();  // true while a row is there; throws DbError
    int ColumnCount() const;
    QString ColumnName(int column) const;
    QString DeclaredType(int column) const;
    QVariant Value(int column) const;  // converted by the declared type
    qint64 Int64(int column) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Throws the database's last error as a DbError.
[[noreturn]] void ThrowDbError(sqlite3* db, const QString& context = {});

// A stored value read back as the kind its declared type names.
QVariant FromStored(sqlite3_stmt* stmt, int column, const QString& declaredType);

}  // namespace platform
