#pragma once
// One line of an APA field book: a record letter, a comma, then fields each followed by a
// comma ("D,ST1,,1.500,0,9911001,09:00,09:40,"). Fields are read with a cursor: field n is
// the text after the n-th comma up to the next comma, or to the end of the line; fields
// past the end read as empty.

#include <QString>
#include <QStringList>

namespace apa {

enum class Record { A, B, C, D, E, F, Z, Other };

// The record of a line, by its first two characters ("F," is a sighting).
Record RecordOf(const QString& line);

QString Field(const QString& line, int n);
// The line with field n replaced; a short line first gets the empty fields it lacks.
QString ReplaceField(const QString& line, int n, const QString& value);

// True when every field of the line is blank: a record nobody filled. A blank D line is a
// placeholder station ("D,,,,,,,,", or the same with a padded empty name).
bool IsBlankRecord(const QString& line);
bool IsPlaceholderStation(const QString& line);

// The fields that hold numbers: C 1 to 6 (weather, wind, temperature, pressure, ppm,
// pressure unit), D 3 and 4 (instrument height, eccentricity), F 3 and 5 to 8 (target
// height, angles, distances).
bool IsNumberField(Record record, int field);
// A sighting number (F field 4): face r or l, set 1, 2, 3 or 9, direction 001 to 999.
bool IsSightingNumber(const QString& number);

// A number read leniently: blanks ignored, the leading number taken, anything else 0.
double LenientNumber(QStringView text);
// The text of that leading number ("-12.5" of "  -12.5m"); empty when there is none.
QStringView LeadingNumber(QStringView text);
// A number that reads completely (optional blanks, sign, digits, one point); false for
// empty text or anything more.
bool ReadsAsNumber(const QString& text);

// The check character of a line: (sum of its CP932 bytes, modulo 64) + 32, over the line up
// to and including its last comma: the bytes the instrument receives and checks.
QChar CheckCharacter(const QString& line);

// Empty templates of the records, and the empty data set of a new field book.
inline const QString kHeaderLine = QStringLiteral("A,01,");
inline const QString kEmptyB = QStringLiteral("B,,,,,,");
inline const QString kEmptyC = QStringLiteral("C,,,,,,,");
inline const QString kEmptyD = QStringLiteral("D,,,,,,,,");
inline const QString kRunStart = QStringLiteral("E,0,");
inline const QString kRemeasure = QStringLiteral("E,1,");
inline const QString kEmptyF = QStringLiteral("F,,,,,,,,,,,,");
inline const QString kEndLine = QStringLiteral("Z,");
inline const QString kDefaultObservationCode = QStringLiteral("9911001");
QStringList EmptyDataSet();

}  // namespace apa
