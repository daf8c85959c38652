#pragma once
// What a recordset reads, and where its rows are written back when they can be; internal to
// the database seam.
//
// Rows can be written back when every field is a column of one table under its own name,
// as SQLite reports the compiled statement's columns, and the rows are that table's rows
// one for one: a single SELECT over that table with no grouping, DISTINCT, aggregate,
// window, join or compound, on a table with a row id of its own.

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/StoredKind.h"

namespace platform {

class Database;

struct RecordSource {
    QString sql;          // what the recordset runs; when writable, the row id comes first
    QString schema;       // the database ("main") and table rows are written back to
    QString table;        // empty when the rows cannot be written back
    QString namedTable;   // the table a recordset was opened on by name; empty for a query
    QStringList names;    // the fields as the recordset shows them
    QStringList origins;  // the table column behind each field, when writable
    std::vector<StoredKind> kinds;

    bool Writable() const { return !table.isEmpty(); }
    int FirstField() const { return Writable() ? 1 : 0; }  // the column of the first field
    QString QualifiedTable() const;
};

// A table name or a query. Throws DbError for a table that does not exist or a query that
// does not compile.
RecordSource DescribeSource(Database& db, const QString& source);

}  // namespace platform
