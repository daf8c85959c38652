#pragma once
// Structural checks of an APA field book, for "trevanto apa check".
//
// Number fields are those of IsNumberField (ApaLine.h). An empty number field is no
// problem; a field that does not read completely as a number (such as "1.5m" or "12,3"
// split) is, since readers take it as its leading number or 0.

#include <QList>
#include <QString>
#include <QStringList>

namespace apa {

struct ApaProblem {
    int line;  // 1-based line of the file; 0: the file as a whole could not be checked
    QString message;
};

// Checks field-book lines as read (NormalizeApaLines); line numbers count from the file's
// first line.
QList<ApaProblem> CheckApaLines(const QStringList& lines);

// Reads and checks a file. A file that cannot be read (missing, no regular file, too
// large) or is no field book (an empty file included) gives exactly one problem, at line
// 0, and nothing else is checked: the caller reports trouble, not problems found.
QList<ApaProblem> CheckApaFile(const QString& path);

// A rewritten observation code: the D line (1-based) and its codes before and after.
struct CodeChange {
    int line;
    QString from;
    QString to;
};

// Rewrites the observation codes of the file in place. A file whose codes are all right is
// left untouched; otherwise only the D lines whose code changes are rewritten (as the
// reader reads them, with the new code) and every other byte, line ends included, stays.
// Lists the rewritten codes in `changes` when given. False with a reason when the file
// cannot be rewritten (unreadable, not APA, or written with check characters).
bool FixObservationCodes(const QString& path, QString& reason,
                         QList<CodeChange>* changes = nullptr);

}  // namespace apa
