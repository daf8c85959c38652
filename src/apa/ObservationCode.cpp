#include "apa/ObservationCode.h"

#include "apa/ApaLine.h"
#include "platform/TextFile.h"

namespace apa {

QString ObservationCode(const QStringList& lines, qsizetype dIndex) {
    int highestSet = 0;
    int highestDirection = 1;
    int distanceKind = 1;
    bool allR1 = true;
    for (qsizetype i = dIndex + 1; i < lines.size(); ++i) {
        const Record record = RecordOf(lines[i]);
        if (record == Record::B || record == Record::C || record == Record::D ||
            record == Record::Z)
            break;
        if (record != Record::F) continue;
        const QString number = Field(lines[i], 4).trimmed();
        const int set = static_cast<int>(LenientNumber(number.mid(1, 1)));
        const int direction = static_cast<int>(LenientNumber(number.right(3)));
        highestSet = std::max(highestSet, set);
        highestDirection = std::max(highestDirection, direction);
        if (!number.startsWith(QStringLiteral("r1"))) allR1 = false;
        const QString setChar = number.mid(1, 1);
        if ((setChar == u'1' || setChar == u'9') && LenientNumber(Field(lines[i], 8)) > 0)
            distanceKind = 2;
    }
    if (allR1) highestSet = 9;
    const QString sets = highestSet == 0 || highestSet == 9
                             ? QStringLiteral("991")
                             : QString::number(highestSet) + QStringLiteral("12");
    return sets + QString::number(distanceKind) +
           (QStringLiteral("00") + QString::number(highestDirection)).right(3);
}

void RecomputeObservationCodes(QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (RecordOf(lines[i]) == Record::D && lines[i] != kEmptyD)
            lines[i] = ReplaceField(lines[i], 5, ObservationCode(lines, i));
}

QStringList PrepareForSave(const QStringList& lines) {
    QStringList out;
    out.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i] == kEmptyD) {
            if (i + 1 < lines.size() && lines[i + 1] == kRunStart) ++i;
            // Its empty sightings go with it, or they would join the station before.
            while (i + 1 < lines.size() && lines[i + 1] == kEmptyF) ++i;
            continue;
        }
        out.append(lines[i]);
    }
    RecomputeObservationCodes(out);
    return out;
}

void WriteApaFile(const QString& path, const QStringList& lines) {
    platform::WriteTextLines(path, lines);
}

}  // namespace apa
