#pragma once
// The tables of a district's calculation database that the program reads and writes:
// the calculation tree CALC, the points COORD and the numbering rules TENBAN.

#include "platform/Database.h"

namespace trevanto_host {

platform::TableDef CalcTable();
platform::TableDef CoordTable();
platform::TableDef TenbanTable();

// Creates the three tables in a new database.
void CreateDistrictTables(platform::Database& db);

// Throws platform::DbError when the database lacks one of the three tables: it is then no
// district's calculation database.
void RequireDistrictTables(platform::Database& db);

}  // namespace trevanto_host
