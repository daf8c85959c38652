#pragma once
// Prepared statements of one connection, kept by their SQL text so that a statement run
// again (an insert per row, a look-up per key) is compiled once. Internal to the database
// seam: DbStatement takes a statement from here and gives it back when it goes.

#include <sqlite3.h>

#include <QHash>
#include <QString>

namespace platform {

class StatementCache {
  public:
    explicit StatementCache(sqlite3* db, int capacity = 64);
    ~StatementCache();  // finalizes the kept statements; none may be out
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // A kept statement of that text, or a newly prepared one; throws DbError when the text
    // does not compile. A statement that is out is not handed out twice.
    sqlite3_stmt* Take(const QString& sql);
    // A newly prepared statement, whose columns describe the schema as it is now.
    sqlite3_stmt* Prepare(const QString& sql);
    // Resets the statement and keeps it for its text, in place of one kept before. Beyond
    // the capacity the statement used longest ago is finalized.
    void Give(const QString& sql, sqlite3_stmt* stmt);

    int Kept() const { return static_cast<int>(kept_.size()); }

  private:
    struct Entry {
        sqlite3_stmt* stmt = nullptr;
        quint64 lastUse = 0;
    };
    void DropOldest();

    sqlite3* db_;
    int capacity_;
    quint64 clock_ = 0;
    QHash<QString, Entry> kept_;
};

}  // namespace platform
