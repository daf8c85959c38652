#pragma once
// The database seam: databases opened or created by path, workspaces with transactions,
// and recordsets over a table or a SELECT with bound parameters. SQLite underneath.
//
// Every value that comes from data or a user is bound as a parameter. Field names are
// matched without regard to case. Failing operations throw DbError.

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <vector>

#include "platform/DbError.h"
#include "platform/DbSchema.h"

struct sqlite3;

namespace platform {

class DbStatement;
class Recordset;
class StatementCache;

class Database : public std::enable_shared_from_this<Database> {
  public:
    // Opens an existing database file; throws DbError when it is missing or unreadable.
    static std::shared_ptr<Database> Open(const QString& path);
    // Creates a new, empty database file; throws DbError when the file exists.
    static std::shared_ptr<Database> Create(const QString& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& Path() const { return path_; }

    // A recordset from a table name or a SELECT statement ("?" for each parameter).
    std::unique_ptr<Recordset> OpenRecordset(const QString& source,
                                             const QVariantList& params = {});
    // Runs a statement that returns no rows. Statements are compiled once per text and kept,
    // so a statement run per row should keep its text and bind the values.
    void Execute(const QString& sql, const QVariantList& params = {});
    void CreateTable(const TableDef& table);
    bool HasTable(const QString& name);
    qint64 LastInsertId() const;

    // Transactions nest; the outermost commit makes the changes durable. When the engine
    // has already rolled the transaction back (a trigger that raised ROLLBACK, a full disk),
    // rolling back only forgets it.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    int TransactionDepth() const { return depth_; }

    sqlite3* Handle() const { return db_; }

  private:
    friend class DbStatement;
    Database(QString path, sqlite3* db);
    bool TransactionVanished() const;
    QString path_;
    sqlite3* db_;
    std::unique_ptr<StatementCache> statements_;
    int depth_ = 0;
};

// A workspace groups open databases under one transaction, and has a name and a user.
class Workspace {
  public:
    explicit Workspace(QString name, QString user = QStringLiteral("admin"), QString password = {});
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // The engine's first workspace, used where no own workspace exists.
    static Workspace& Default();

    const QString& Name() const { return name_; }
    const QString& User() const { return user_; }

    std::shared_ptr<Database> OpenDatabase(const QString& path);
    std::shared_ptr<Database> CreateDatabase(const QString& path);

    // Begin, commit or roll back on every database open in the workspace; a database
    // opened inside a transaction joins it. A roll back reaches every database even when
    // one of them fails, and then throws the first failure.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    int TransactionDepth() const { return depth_; }

    // Rolls back what is not committed and lets go of the databases.
    void Close();

  private:
    std::vector<std::shared_ptr<Database>> Alive();
    std::shared_ptr<Database> Join(std::shared_ptr<Database> db);

    QString name_;
    QString user_;
    QString password_;
    std::vector<std::weak_ptr<Database>> databases_;
    int depth_ = 0;
};

// The engine's system (workgroup) database name; kept for callers that set it.
void SetSystemDatabase(const QString& name);
QString SystemDatabase();

}  // namespace platform
