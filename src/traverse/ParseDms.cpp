#include "traverse/ParseDms.h"

namespace traverse {

namespace {

bool AllDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

}  // namespace

int ParseDms(const QString& text) {
    // Right-justified in ten characters the separators fall at fixed columns, so the
    // fields are cut by position, as the reduction table writes them.
    const QString trimmed = text.trimmed();
    if (trimmed.size() > 10) return 0;
    const QString field = trimmed.rightJustified(10, u' ');
    if (field[4] != u'-' || field[7] != u'-') return 0;

    const QStringView degreeField = QStringView(field).left(4).trimmed();
    const QStringView minutes = QStringView(field).mid(5, 2);
    const QStringView seconds = QStringView(field).right(2);
    // The sign is read from the text, not from the degree value: "-0" is negative too.
    const bool negative = degreeField.startsWith(u'-');
    const QStringView degrees = negative ? degreeField.mid(1) : degreeField;
    if (!AllDigits(degrees) || !AllDigits(minutes) || !AllDigits(seconds)) return 0;

    const int whole = degrees.toInt() * 3600;
    const int part = minutes.toInt() * 60 + seconds.toInt();
    return negative ? -whole - part : whole + part;
}

}  // namespace traverse
