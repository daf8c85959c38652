#pragma once
// The notebook database SHUBO.MDB: what the reduction produces, in the form the reports and
// the traverse creation read. A scratch database in the work folder, made anew for every
// reduction:
//   DATA         one row per notebook text line
//   HEDDER       one row per station (the notebook's header block), primary index KEY
//   テーブル4    the per-target reduction table, ID auto-numbered, primary index KEY
//   KYORIHOSEI   the distance-correction sheet, ID auto-numbered
//   KYORIHOSEI_  the distance-correction input, ID auto-numbered
// Every text field allows "", none is required; field names match without regard to case.

#include <QString>
#include <vector>

#include "platform/DbSchema.h"

namespace notebook {

inline const QString kNotebookFileName = QStringLiteral("SHUBO.MDB");

// The five tables, in the order they are created.
std::vector<platform::TableDef> NotebookTables();

// The size of a text field of the notebook tables (names in any case); 0 for a field that is
// not text or not there.
int NotebookTextSize(const QString& table, const QString& field);

// Removes an older notebook database in the folder and creates the new one with its five
// tables; its path, or empty text when it cannot be made (an older file that cannot be
// removed, a folder that cannot be written). A failure leaves no half-made file.
QString CreateNotebookDatabase(const QString& folder);

}  // namespace notebook
