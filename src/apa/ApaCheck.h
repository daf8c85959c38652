#pragma once
// Structural checks of an APA field book, for "trevanto apa check".
//
// Number fields: C 1 to 6 (weather, wind, temperature, pressure, ppm, pressure unit),
// D 3 and 4 (instrument height, eccentricity), F 3 and 5 to 8 (target height, angles,
// distances). An empty number field is no problem; a field that does not read completely
// as a number (such as "1.5m" or "12,3" split) is, since readers take it as its leading
// number or 0.

#include <QList>
#include <QString>
#include <QStringList>

namespace apa {

struct ApaProblem {
    int line;  // 1-based line of the file
    QString message;
};

// Checks field-book lines as read (NormalizeApaLines); line numbers count from the file's
// first line.
QList<ApaProblem> CheckApaLines(const QStringList& lines);

// Reads and checks a file; a file that cannot be read or is no APA file is one problem.
QList<ApaProblem> CheckApaFile(const QString& path);

// Rewrites the observation codes of the file in place; false with a reason when the file
// cannot be rewritten (unreadable, not APA, or written with check characters).
bool FixObservationCodes(const QString& path, QString& reason);

}  // namespace apa
