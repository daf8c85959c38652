#include "platform/StatementCache.h"

#include "platform/DbError.h"
#include "platform/DbStatement.h"

namespace platform {

StatementCache::StatementCache(sqlite3* db, int capacity) : db_(db), capacity_(capacity) {}

StatementCache::~StatementCache() {
    for (const Entry& entry : std::as_const(kept_)) sqlite3_finalize(entry.stmt);
}

sqlite3_stmt* StatementCache::Take(const QString& sql) {
    const auto it = kept_.find(sql);
    if (it == kept_.end()) return Prepare(sql);
    sqlite3_stmt* stmt = it->stmt;
    kept_.erase(it);
    return stmt;
}

sqlite3_stmt* StatementCache::Prepare(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db_, text.constData(), static_cast<int>(text.size()),
                           SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK)
        ThrowDbError(db_);
    if (!stmt) throw DbError(QStringLiteral("空の SQL 文です。"));
    return stmt;
}

void StatementCache::Give(const QString& sql, sqlite3_stmt* stmt) {
    // The result of reset repeats the last step's error, which was reported then.
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    Entry& entry = kept_[sql];
    sqlite3_finalize(entry.stmt);
    entry = {stmt, ++clock_};
    if (Kept() > capacity_) DropOldest();
}

void StatementCache::DropOldest() {
    auto oldest = kept_.begin();
    for (auto it = kept_.begin(); it != kept_.end(); ++it)
        if (it->lastUse < oldest->lastUse) oldest = it;
    sqlite3_finalize(oldest->stmt);
    kept_.erase(oldest);
}

}  // namespace platform
