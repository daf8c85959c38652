#include "apa/ApaLine.h"
#include "coords/ExportWriters.h"
#include "platform/CodePage.h"

namespace coords {

QList<QByteArray> ApaLines(const QList<ExportPoint>& points) {
    QList<QByteArray> lines{"A,01,Z,"};
    for (const ExportPoint& p : points) {
        const QString z = p.hasZ ? MetreText(p.z) : QStringLiteral(" ");
        const QString record = QStringLiteral("G,") + p.name + u',' + MetreText(p.x) + u',' + MetreText(p.y) + u',' + z + u',';
        lines.append(platform::cp932::Encode(record + apa::CheckCharacter(record) + u','));
    }
    lines.append("Z,&,");
    return lines;
}

}  // namespace coords
