#include "coords/CoordFormat.h"
#include "coords/ExportWriters.h"
#include "platform/CodePage.h"

// GSI words hold their digits left-padded with zeros to the word width. A value with more
// digits than the word (GSI-8 holds 99,999.999 m) stops the export: cutting digits would
// put the point somewhere else.

namespace coords {
namespace {

QString Digits(qint64 mm, int width, const ExportPoint& p, const char* axis) {
    const QString digits = QString::number(mm < 0 ? -mm : mm);
    if (digits.size() > width)
        throw ExportError(PointLabel(p) + QStringLiteral(": ") + QString::fromLatin1(axis) + u' ' +
                          MetreText(mm) + QStringLiteral(" は GSI_") + QString::number(width) +
                          QStringLiteral(" の桁に入りません。"));
    return digits.rightJustified(width, u'0');
}

QString Word(const char* code, qint64 mm, int width, const ExportPoint& p, const char* axis) {
    return QString::fromLatin1(code) + (mm < 0 ? u'-' : u'+') + Digits(mm, width, p, axis);
}

// The identifier: the name left-padded with "0" to the word width, or cut to it, in bytes.
QString Identifier(const QString& name, int width) {
    const QString cut = platform::cp932::CutToBytes(name, width);
    return QString(width - platform::cp932::ByteLength(cut), u'0') + cut;
}

}  // namespace

QList<QByteArray> GsiLines(const QList<ExportPoint>& points, bool words16) {
    const int width = words16 ? 16 : 8;
    QList<QByteArray> lines;
    int n = 0;
    for (const ExportPoint& p : points) {
        ++n;
        QString line = (words16 ? QStringLiteral("*11") : QStringLiteral("11")) +
                       QString::number(n).rightJustified(4, u'0').left(4) + u'+' + Identifier(p.name, width) +
                       Word(" 81..10", p.y, width, p, "Y") + Word(" 82..10", p.x, width, p, "X") +
                       Word(" 83..10", p.hasZ ? p.z : 0, width, p, "Z") + u' ';
        lines.append(platform::cp932::Encode(line));
    }
    lines.append(" ! ----+");
    return lines;
}

}  // namespace coords
