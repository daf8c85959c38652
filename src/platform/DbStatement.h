#pragma once
// A prepared SQLite statement with bound parameters; internal to the database seam. It is
// taken from the database's statement cache and given back, reset, when it goes.

#include <sqlite3.h>

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

#include "platform/StoredKind.h"

namespace platform {

class Database;
class StatementCache;

class DbStatement {
  public:
    enum class Compile {
        Reuse,  // a statement of the same text kept from before, when there is one
        Anew,   // compiled now, so that its columns describe the schema as it is now
    };
    DbStatement(Database& db, const QString& sql,
                Compile compile = Compile::Reuse);  // throws DbError
    ~DbStatement();
    DbStatement(const DbStatement&) = delete;
    DbStatement& operator=(const DbStatement&) = delete;

    // Binds every parameter; throws DbError when the count differs.
    void Bind(const QVariantList& params);
    void Bind(int parameter, const QVariant& value);  // 1-based
    bool Step();                                      // true while a row is there; throws DbError
    // Makes the statement ready to run again; the parameters stay bound until bound anew.
    void Reset();

    int ColumnCount() const;
    QString ColumnName(int column) const;
    QString DeclaredType(int column) const;
    // Where a result column comes from: the database ("main"), table and column; empty for
    // an expression.
    QString ColumnSchema(int column) const;
    QString ColumnTable(int column) const;
    QString ColumnOrigin(int column) const;
    QVariant Value(int column) const;  // converted by the declared type
    QVariant Value(int column, StoredKind kind) const;
    qint64 Int64(int column) const;

  private:
    void BindText(int parameter, QStringView text);

    sqlite3* db_;
    StatementCache* cache_;
    QString sql_;
    sqlite3_stmt* stmt_;
    std::vector<QByteArray> texts_;  // bound texts in UTF-8, by parameter
};

// Throws the database's last error as a DbError.
[[noreturn]] void ThrowDbError(sqlite3* db, const QString& context = {});
// What an engine error code means to the user; the engine's message for the codes that only
// a programmer can act on.
QString EngineErrorText(int code, const char* engineMessage);

}  // namespace platform
