#include "convert/FormatDetection.h"

namespace convert {
namespace {

bool IsFc5(QByteArrayView line) {
    return line.startsWith("_!") && line.indexOf('_', 2) >= 0;
}

// A GSI data line: a point ("11") or code ("41") word with its sign where GSI-8 and GSI-16
// put it.
bool IsGsi(QByteArrayView line) {
    const bool wide = line.startsWith('*');
    const QByteArrayView word = wide ? line.sliced(1) : line;
    const bool knownWord = word.startsWith("41") || word.startsWith("11");
    return knownWord && word.size() >= 7 && word[6] == '+';
}

}  // namespace

QString DetectFormat(QByteArrayView line) {
    // The position of the first comma, counted from 1 as the file's writers count it.
    const qsizetype p = line.indexOf(',') + 1;
    if (p <= 1) {
        if (line.startsWith("H01   ")) return QStringLiteral("3PD");
        if (line.startsWith("00NM")) return QStringLiteral("3GD");
        if (IsGsi(line)) return QStringLiteral("GSI");
        if (IsFc5(line)) return QStringLiteral("FC5");
        if (line.startsWith("SKR")) return QStringLiteral("SCR");
        return QString();
    }
    if (line.startsWith("A00NM,")) return QStringLiteral("SDF");
    if (IsFc5(line)) return QStringLiteral("FC5");
    const char last = line[p - 2];
    if (p >= 14 && (last == 'A' || last == 'B' || last == 'E')) return QStringLiteral("DR2");
    return QString();
}

bool IsApaData(QByteArrayView firstLine) {
    return firstLine.startsWith("A,") && firstLine.size() >= 5 && firstLine[4] == ',';
}

}  // namespace convert
