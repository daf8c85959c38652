#include "platform/Database.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <exception>

#include "platform/DbStatement.h"
#include "platform/Recordset.h"
#include "platform/StatementCache.h"

namespace platform {
namespace {

constexpr int kBusyTimeoutMs = 5000;
QString g_systemDatabase;

}  // namespace

Database::Database(QString path, sqlite3* db)
    : path_(std::move(path)), db_(db), statements_(std::make_unique<StatementCache>(db)) {}

Database::~Database() {
    statements_.reset();
    if (depth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
}

// Opens the file with the given flags, waiting a while for a lock held by another writer.
static sqlite3* Connect(const QString& path, int flags) {
    sqlite3* db = nullptr;
    const QByteArray name = QFileInfo(path).absoluteFilePath().toUtf8();
    if (const int rc = sqlite3_open_v2(name.constData(), &db, flags, nullptr); rc != SQLITE_OK) {
        const QString message = EngineErrorText(rc, sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        throw DbError(path + QStringLiteral(": ") + message, rc);
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    return db;
}

std::shared_ptr<Database> Database::Open(const QString& path) {
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("ファイル '%1' が見つかりません。").arg(path), 53);
    std::shared_ptr<Database> database(new Database(path, Connect(path, SQLITE_OPEN_READWRITE)));
    // A file that is not a database fails here rather than at the first query.
    try {
        database->Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const DbError& e) {
        throw DbError(path + QStringLiteral(": ") + e.Description(), e.Code());
    }
    return database;
}

std::shared_ptr<Database> Database::Create(const QString& path) {
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("ファイル '%1' は既に存在します。").arg(path), 3204);
    return std::shared_ptr<Database>(
        new Database(path, Connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)));
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& source,
                                                   const QVariantList& params) {
    return std::unique_ptr<Recordset>(new Recordset(shared_from_this(), source, params));
}

void Database::Execute(const QString& sql, const QVariantList& params) {
    DbStatement statement(*this, sql);
    statement.Bind(params);
    while (statement.Step()) {
    }
}

void Database::CreateTable(const TableDef& table) {
    BeginTrans();
    try {
        for (const QString& sql : CreateTableStatements(table)) Execute(sql);
        CommitTrans();
    } catch (...) {
        Rollback();
        throw;
    }
}

bool Database::HasTable(const QString& name) {
    DbStatement statement(
        *this, QStringLiteral(
                   "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    statement.Bind({name});
    return statement.Step();
}

qint64 Database::LastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

// Savepoints give nested transactions; the outermost release commits.
void Database::BeginTrans() {
    Execute(QStringLiteral("SAVEPOINT trv_%1").arg(depth_ + 1));
    ++depth_;
}

// The engine ends the whole transaction by itself on some errors (a trigger that raises
// ROLLBACK, a full disk), and every savepoint goes with it.
bool Database::TransactionVanished() const {
    return depth_ > 0 && sqlite3_get_autocommit(db_);
}

void Database::CommitTrans() {
    if (depth_ == 0) throw DbError(QStringLiteral("トランザクションが開始されていません。"), 3034);
    if (TransactionVanished()) {
        depth_ = 0;
        throw DbError(QStringLiteral("トランザクションは既に取り消されています。"), 3034);
    }
    Execute(QStringLiteral("RELEASE trv_%1").arg(depth_));
    --depth_;
}

void Database::Rollback() {
    if (depth_ == 0) throw DbError(QStringLiteral("トランザクションが開始されていません。"), 3034);
    if (TransactionVanished()) {
        depth_ = 0;
        return;
    }
    Execute(QStringLiteral("ROLLBACK TO trv_%1").arg(depth_));
    Execute(QStringLiteral("RELEASE trv_%1").arg(depth_));
    --depth_;
}

Workspace::Workspace(QString name, QString user, QString password)
    : name_(std::move(name)), user_(std::move(user)), password_(std::move(password)) {}

Workspace::~Workspace() {
    Close();
}

Workspace& Workspace::Default() {
    static Workspace workspace(QStringLiteral("#Default Workspace#"));
    return workspace;
}

std::vector<std::shared_ptr<Database>> Workspace::Alive() {
    std::vector<std::shared_ptr<Database>> alive;
    std::vector<std::weak_ptr<Database>> kept;
    for (auto& weak : databases_) {
        if (auto db = weak.lock()) {
            alive.push_back(db);
            kept.push_back(weak);
        }
    }
    databases_ = std::move(kept);
    return alive;
}

std::shared_ptr<Database> Workspace::Join(std::shared_ptr<Database> db) {
    for (int level = 0; level < depth_; ++level) db->BeginTrans();
    databases_.push_back(db);
    return db;
}

std::shared_ptr<Database> Workspace::OpenDatabase(const QString& path) {
    return Join(Database::Open(path));
}

std::shared_ptr<Database> Workspace::CreateDatabase(const QString& path) {
    return Join(Database::Create(path));
}

void Workspace::BeginTrans() {
    for (auto& db : Alive()) db->BeginTrans();
    ++depth_;
}

void Workspace::CommitTrans() {
    if (depth_ == 0) throw DbError(QStringLiteral("トランザクションが開始されていません。"), 3034);
    for (auto& db : Alive())
        if (db->TransactionDepth() > 0) db->CommitTrans();
    --depth_;
}

void Workspace::Rollback() {
    if (depth_ == 0) throw DbError(QStringLiteral("トランザクションが開始されていません。"), 3034);
    --depth_;
    std::exception_ptr first;
    for (auto& db : Alive()) {
        if (db->TransactionDepth() == 0) continue;
        try {
            db->Rollback();
        } catch (const DbError&) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

void Workspace::Close() {
    while (depth_ > 0) Rollback();
    databases_.clear();
}

void SetSystemDatabase(const QString& name) {
    g_systemDatabase = name;
}

QString SystemDatabase() {
    return g_systemDatabase;
}

}  // namespace platform
