#include "notebook/ui/CheckGrid.h"

namespace notebook_ui {

QTableWidgetItem* GridCell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

}  // namespace notebook_ui
