#pragma once
// The grids whose rows the user checks with a click: their cells and the check mark.

#include <QString>
#include <QTableWidgetItem>

namespace notebook_ui {

inline const QString kCheckMark = QStringLiteral("○");

// A read-only cell, vertically centred.
QTableWidgetItem* GridCell(const QString& text, Qt::Alignment alignment);

}  // namespace notebook_ui
