#include "coords/SimaPoints.h"

namespace coords {
namespace {

QString Field(const QStringList& fields, int index) {
    return index < fields.size() ? fields[index].trimmed() : QString();
}

}  // namespace

bool IsPointLine(const QString& line) { return line.startsWith(u"A01,"); }

bool FitsPointField(const QString& text) {
    return !text.contains(u',') && !text.contains(u'\r') && !text.contains(u'\n');
}

SimaPoint ReadPointLine(const QString& line) {
    const QStringList f = line.split(u',');
    return {Field(f, 1), Field(f, 2), Field(f, 3), Field(f, 4), Field(f, 5)};
}

QString PadPointField(PointField field, const QString& text) {
    switch (field) {
        case PointField::Number: return text.rightJustified(5, u' ');
        case PointField::Name: return text.leftJustified(8, u' ');
        case PointField::X:
        case PointField::Y: return text.rightJustified(11, u' ');
        case PointField::Z: return text;
    }
    return text;
}

QString WithPointField(const QString& line, PointField field, const QString& text) {
    QStringList fields = line.split(u',');
    const int index = static_cast<int>(field);
    // A short line gets the fields up to this one, and the comma that closes it.
    while (fields.size() <= index + 1) fields.append(QString());
    fields[index] = PadPointField(field, text);
    return fields.join(u',');
}

}  // namespace coords
