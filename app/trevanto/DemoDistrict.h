#pragma once
// The bundled demo district: a calculation database with a few folders, about thirty
// points and two numbering rules, created in the work folder on first start.

#include <QString>

namespace trevanto_host {

inline constexpr qint32 kDemoRegID = 1;
inline const QString kDemoRegName = QStringLiteral("デモ地区");

// The path of the demo district's database in the folder; creates it when missing.
// Throws platform::DbError when it cannot be created.
QString EnsureDemoDistrict(const QString& workFolder);

// Fills an empty district database with the demo data.
void FillDemoDistrict(const QString& databasePath);

}  // namespace trevanto_host
