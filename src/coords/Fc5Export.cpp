#include "coords/CoordFormat.h"
#include "coords/ExportWriters.h"
#include "platform/CodePage.h"

// FC5 records run on through fixed 128-byte blocks: a record may continue in the next block,
// as the instrument joins the blocks' data again. Each coordinate fills nine digit places in
// millimetres; a value of a million metres or more stops the export instead of running
// into the field's sign and letter.

namespace coords {
namespace {

constexpr qsizetype kBlock = 128;

QByteArray Field(char letter, qint64 mm, const ExportPoint& p) {
    const QByteArray digits = QByteArray::number(mm < 0 ? -mm : mm);
    if (digits.size() > 9)
        throw ExportError(PointLabel(p) + QStringLiteral(": ") + QChar::fromLatin1(letter).toUpper() +
                          u' ' + MetreText(mm) + QStringLiteral(" は FC5 の 9 桁に入りません。"));
    return QByteArray("_ ") + letter + (mm < 0 ? '-' : '+') + digits.rightJustified(9, '0');
}

QByteArray Record(const ExportPoint& p, bool threeD) {
    QByteArray record = "_0." + platform::cp932::Encode(NormalizeName(p.name)) + Field('x', p.x, p) + Field('y', p.y, p);
    if (threeD) record += Field('z', p.hasZ ? p.z : 0, p);
    return record;
}

}  // namespace

QList<QByteArray> Fc5Lines(const QList<ExportPoint>& points, bool threeD) {
    QList<QByteArray> lines{"*F00F000",
                            "*SURVEY-DAT+00001.000000100000-" + QByteArray::number(points.size()).rightJustified(6, '0') + 'S'};
    QByteArray buffer;
    int counter = 0;
    const auto flush = [&] {
        lines.append('*' + buffer.left(kBlock) + char('0' + counter % 10));
        buffer.remove(0, kBlock);
        ++counter;
    };
    for (const ExportPoint& p : points) {
        buffer += Record(p, threeD);
        while (buffer.size() > kBlock) flush();
    }
    buffer += '_';
    while (buffer.size() > kBlock) flush();
    buffer = buffer.leftJustified(kBlock, ' ');
    flush();
    lines.append(QByteArray("*") + kEot);
    return lines;
}

}  // namespace coords
