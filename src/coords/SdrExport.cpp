#include "comm/protocol/Checks.h"
#include "coords/CoordFormat.h"
#include "coords/ExportWriters.h"
#include "platform/CodePage.h"

// An SDR transfer is one record per line: STX on a line of its own, the records, and the end
// record ETX with the five-digit sum of the records' bytes (every byte but STX, ETX, CR and
// LF), which the recorder checks on input. The 3G file carries that sum; the comma format
// keeps "00000" (do not check), with the same line ends.

namespace coords {
namespace {

// The last ten characters of the coordinate field; a value whose integer part needs all
// eleven stops the export.
QString Last10(qint64 mm, const ExportPoint& p, const char* axis) {
    const QString field = FormatCoord(MetreText(mm));
    if (field.size() > 11 || field[0] != u' ')
        throw ExportError(PointLabel(p) + QStringLiteral(": ") + QString::fromLatin1(axis) + u' ' +
                          MetreText(mm) + QStringLiteral(" は SDR の 10 桁に入りません。"));
    return field.right(10);
}

QByteArray Encoded(const QString& text) { return platform::cp932::Encode(text); }

}  // namespace

QString SdrJobName(const QString& answer) { return FitName(answer, 16); }

QList<QByteArray> SdrLines(const QList<ExportPoint>& points, const QString& job) {
    QList<QByteArray> records{"00NM" + QByteArray(36, ' ') + "113111", Encoded(QStringLiteral("10NM") + SdrJobName(job) + u'1'),
                              "06NM1.0000000000"};
    for (const ExportPoint& p : points) {
        QString record = QStringLiteral("08NM") + FitName(NormalizeName(p.name), 8) + Last10(p.x, p, "X") +
                         Last10(p.y, p, "Y");
        record += p.hasZ ? Last10(p.z, p, "Z") + QString(16, u' ') : QString(26, u' ');
        records.append(Encoded(record));
    }
    int sum = 0;
    for (const QByteArray& r : records) sum = (sum + comm::protocol::Sum5Value(r)) % 65536;
    return QList<QByteArray>{QByteArray(1, kStx)} + records + QList<QByteArray>{kEtx + comm::protocol::Sum5(sum)};
}

QList<QByteArray> SdfLines(const QList<ExportPoint>& points, const QString& job) {
    QList<QByteArray> lines{QByteArray(1, kStx), Encoded(QStringLiteral("B00NM,") + SdrJobName(job) + QStringLiteral(",3,2111,0,000"))};
    for (const ExportPoint& p : points)
        lines.append(Encoded(QStringLiteral("E30TP,") + NormalizeName(p.name).trimmed() + u',' + FormatCoord(MetreText(p.x)) +
                             u',' + FormatCoord(MetreText(p.y)) + u',' +
                             (p.hasZ ? FormatCoord(MetreText(p.z)) : QStringLiteral(" ")) + u','));
    lines.append(kEtx + QByteArray("00000"));
    return lines;
}

}  // namespace coords
