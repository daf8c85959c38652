#include "apa/ObservationCode.h"

#include "apa/ApaLine.h"
#include "platform/TextFile.h"

namespace apa {

void ObservationCodeTally::Add(QStringView number, bool secondDistance) {
    const QStringView trimmed = number.trimmed();
    const QStringView setChar = trimmed.mid(1, 1);
    highestSet_ = std::max(highestSet_, static_cast<int>(LenientNumber(setChar)));
    highestDirection_ = std::max(highestDirection_, static_cast<int>(LenientNumber(trimmed.right(3))));
    if (!trimmed.startsWith(u"r1")) allR1_ = false;
    if ((setChar == u"1" || setChar == u"9") && secondDistance) distanceKind_ = 2;
}

QString ObservationCodeTally::Code() const {
    const int highestSet = allR1_ ? 9 : highestSet_;
    const QString sets = highestSet == 0 || highestSet == 9
                             ? QStringLiteral("991")
                             : QString::number(highestSet) + QStringLiteral("12");
    return sets + QString::number(distanceKind_) +
           (QStringLiteral("00") + QString::number(highestDirection_)).right(3);
}

QString ObservationCode(const QStringList& lines, qsizetype dIndex) {
    ObservationCodeTally tally;
    for (qsizetype i = dIndex + 1; i < lines.size(); ++i) {
        const Record record = RecordOf(lines[i]);
        if (record == Record::B || record == Record::C || record == Record::D ||
            record == Record::Z)
            break;
        if (record == Record::F)
            tally.Add(Field(lines[i], 4), LenientNumber(Field(lines[i], 8)) > 0);
    }
    return tally.Code();
}

namespace {

void WriteCode(QStringList& lines, qsizetype dIndex) {
    lines[dIndex] = ReplaceField(lines[dIndex], 5, ObservationCode(lines, dIndex));
}

bool EndsRun(Record r) {
    return r == Record::B || r == Record::C || r == Record::D || r == Record::Z;
}

// The first line after the run of the station at dIndex.
qsizetype RunEnd(const QStringList& lines, qsizetype dIndex) {
    qsizetype end = dIndex + 1;
    while (end < lines.size() && !EndsRun(RecordOf(lines[end]))) ++end;
    return end;
}

// A placeholder station whose run holds only its "E,0," and empty sightings: nobody
// entered anything there.
bool IsUnusedPlaceholder(const QStringList& lines, qsizetype dIndex, qsizetype end) {
    if (!IsPlaceholderStation(lines[dIndex])) return false;
    for (qsizetype i = dIndex + 1; i < end; ++i)
        if (lines[i] != kRunStart && !(RecordOf(lines[i]) == Record::F && IsBlankRecord(lines[i])))
            return false;
    return true;
}

bool IsBlankHeader(const QString& line) {
    const Record r = RecordOf(line);
    return (r == Record::B || r == Record::C) && IsBlankRecord(line);
}

}  // namespace

QStringList PrepareForSave(const QStringList& lines) {
    QStringList out;
    out.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (RecordOf(lines[i]) == Record::D) {
            const qsizetype end = RunEnd(lines, i);
            if (IsUnusedPlaceholder(lines, i, end)) {
                // Blank headers right before it serve no station once it is gone, unless
                // the next station takes them over.
                if (end >= lines.size() || RecordOf(lines[end]) != Record::D)
                    while (!out.isEmpty() && IsBlankHeader(out.constLast())) out.removeLast();
                i = end - 1;
                continue;
            }
        }
        out.append(lines[i]);
    }
    // A placeholder kept for its sightings is a station of its own, with its own code.
    for (qsizetype i = 0; i < out.size(); ++i)
        if (RecordOf(out[i]) == Record::D) WriteCode(out, i);
    return out;
}

void WriteApaFile(const QString& path, const QStringList& lines) {
    platform::WriteTextLines(path, lines);
}

}  // namespace apa
