#include "platform/RecordSource.h"

#include <sqlite3.h>

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/DbSchema.h"
#include "platform/DbStatement.h"
#include "platform/SelectShape.h"

namespace platform {
namespace {

const QString kRowid = QStringLiteral("__trv_rowid__");

QString Unquote(const QString& name) {
    if (name.size() >= 2 && ((name.front() == u'"' && name.back() == u'"') ||
                             (name.front() == u'[' && name.back() == u']')))
        return name.mid(1, name.size() - 2);
    return name;
}

// "rowid" names the table's own row id, not an ordinary column that took the name.
bool HasOwnRowid(sqlite3* db, const QString& schema, const QString& table) {
    const QByteArray schemaName = schema.toUtf8();
    const QByteArray tableName = table.toUtf8();
    const char* type = nullptr;
    int primaryKey = 0;
    if (sqlite3_table_column_metadata(db, schemaName.constData(), tableName.constData(), "rowid",
                                      &type, nullptr, nullptr, &primaryKey, nullptr) != SQLITE_OK)
        return false;
    return primaryKey != 0 && type && qstricmp(type, "INTEGER") == 0;
}

// The row id first, then every field a column of the same table under its own name.
bool WritesBack(const DbStatement& statement, sqlite3* db, RecordSource& out) {
    if (statement.ColumnCount() == 0 || statement.ColumnName(0) != kRowid) return false;
    const QString schema = statement.ColumnSchema(0);
    const QString table = statement.ColumnTable(0);
    if (table.isEmpty()) return false;
    QStringList origins;
    for (int c = 1; c < statement.ColumnCount(); ++c) {
        const QString origin = statement.ColumnOrigin(c);
        if (statement.ColumnTable(c) != table || statement.ColumnSchema(c) != schema ||
            origin.compare(statement.ColumnName(c), Qt::CaseInsensitive) != 0)
            return false;
        origins.append(origin);
    }
    if (!HasOwnRowid(db, schema, table)) return false;
    out.schema = schema;
    out.table = table;
    out.origins = origins;
    return true;
}

void ReadFields(const DbStatement& statement, RecordSource& out) {
    for (int c = out.FirstField(); c < statement.ColumnCount(); ++c) {
        out.names.append(statement.ColumnName(c));
        out.kinds.push_back(KindOfDeclaredType(statement.DeclaredType(c)));
    }
}

bool DescribeWritable(Database& db, const QString& sql, RecordSource& out) {
    try {
        DbStatement statement(db, sql, DbStatement::Compile::Anew);
        if (!WritesBack(statement, db.Handle(), out)) return false;
        out.sql = sql;
        ReadFields(statement, out);
        return true;
    } catch (const DbError&) {
        return false;  // no row id to select (a view, a table without one): read-only
    }
}

RecordSource DescribeReadOnly(Database& db, const QString& sql) {
    DbStatement statement(db, sql, DbStatement::Compile::Anew);
    RecordSource out;
    out.sql = sql;
    ReadFields(statement, out);
    return out;
}

RecordSource DescribeTable(Database& db, const QString& table) {
    if (!db.HasTable(table))
        throw DbError(QStringLiteral("テーブル '%1' が見つかりません。").arg(table), 3078);
    const QString quoted = QuoteIdentifier(table);
    RecordSource out;
    if (!DescribeWritable(db, QStringLiteral("SELECT rowid AS %1, * FROM %2").arg(kRowid, quoted),
                          out))
        out = DescribeReadOnly(db, QStringLiteral("SELECT * FROM %1").arg(quoted));
    out.namedTable = table;
    return out;
}

}  // namespace

QString RecordSource::QualifiedTable() const {
    return QuoteIdentifier(schema) + u'.' + QuoteIdentifier(table);
}

RecordSource DescribeSource(Database& db, const QString& source) {
    const QString text = source.trimmed();
    const SelectShape shape = ReadSelectShape(text);
    if (!shape.isQuery) return DescribeTable(db, Unquote(text));
    RecordSource out;
    if (shape.overOneTable &&
        DescribeWritable(db,
                         text.left(shape.columnsAt) + QStringLiteral(" rowid AS ") + kRowid + u',' +
                             text.mid(shape.columnsAt),
                         out))
        return out;
    return DescribeReadOnly(db, text);
}

}  // namespace platform
