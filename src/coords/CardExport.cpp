#include "coords/ExportWriters.h"

namespace coords {

// Coordinates without padding; the card writer appends the line check to every record.
QList<QByteArray> CardLines(const QList<ExportPoint>& points) {
    QList<QByteArray> lines;
    for (const ExportPoint& p : points) {
        const QString z = p.hasZ ? MetreText(p.z) : QStringLiteral(" ");
        lines.append((QString::number(p.row).rightJustified(5, u'0') + QStringLiteral(",Fd,0000,,,,") + MetreText(p.x) + u',' +
                      MetreText(p.y) + u',' + z + u',')
                         .toLatin1());
    }
    return lines;
}

}  // namespace coords
