#pragma once
// Text views of a district's calculations for the command line.

#include <QString>

namespace trevanto_host {

// The calculation tree: folders and calculations that are present, indented under their
// folders, each with its ID.
QString CalcTreeText(const QString& databasePath);

// One stored calculation: entry, points, parameters and element table. Throws
// platform::DbError when there is no such calculation.
QString CalcText(const QString& databasePath, qint32 calcId);

}  // namespace trevanto_host
