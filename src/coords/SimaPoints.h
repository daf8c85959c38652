#pragma once
// The point records of a SIMA file ("A01,number,name,X,Y,Z,"), as the editor reads and writes
// them: a line is a point line exactly when it starts "A01,", its fields are trimmed on
// reading, and written padded (number right-aligned to 5, name left-aligned to 8, X and Y
// right-aligned to 11, Z as typed). Values longer than their width stay whole.

#include <QString>
#include <QStringList>

namespace coords {

inline const QString kEmptyPointLine = QStringLiteral("A01,,,,,,");

// The fields of a point line after its tag, 1 number to 5 Z.
enum class PointField { Number = 1, Name, X, Y, Z };

struct SimaPoint {
    QString number, name, x, y, z;
};

bool IsPointLine(const QString& line);

// Fields 1 to 5, trimmed; missing fields are empty.
SimaPoint ReadPointLine(const QString& line);

// True when the text can stand in a field: no comma, no line break.
bool FitsPointField(const QString& text);

// The text as the field is written.
QString PadPointField(PointField field, const QString& text);

// The line with the field's text (between the commas that bound it) replaced by the padded
// text; the rest of the line, its trailing comma and any fields after Z, stays as it was.
QString WithPointField(const QString& line, PointField field, const QString& text);

}  // namespace coords
