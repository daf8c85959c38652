#include "platform/ui/GridHeads.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

namespace platform {

void SetGridHeads(QTableWidget* grid, const QString& heads) {
    QStringList titles = heads.split(u'|');
    for (QString& title : titles)
        if (title.startsWith(u'^') || title.startsWith(u'<') || title.startsWith(u'>'))
            title.remove(0, 1);
    grid->setColumnCount(static_cast<int>(titles.size()));
    grid->setHorizontalHeaderLabels(titles);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

}  // namespace platform
