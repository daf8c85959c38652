#pragma once
// What the outer level of a SELECT statement is made of, read from its tokens (text in
// quotes, comments and anything in parentheses is passed over): enough to tell a SELECT whose
// rows are rows of one table from one that merges, groups, joins or numbers them. Aggregates
// need no look here: SQLite refuses them outside the column list without GROUP BY or
// HAVING, and a column that is an aggregate has no table column behind it.

#include <QString>

namespace platform {

struct SelectShape {
    // The text is a query (SELECT, WITH or VALUES), not a table name.
    bool isQuery = false;
    // One SELECT over one table of the FROM clause: no DISTINCT, GROUP BY, HAVING, window,
    // join, compound or second statement.
    bool overOneTable = false;
    // Where the column list begins, just past SELECT (or SELECT ALL).
    qsizetype columnsAt = 0;
};

SelectShape ReadSelectShape(const QString& sql);

}  // namespace platform
