#pragma once
// Angle text of the reduction table, "dddd-mm-ss", read back as seconds of arc.

#include <QString>

namespace traverse {

// The angle written as "d-mm-ss" (degrees up to four characters with an optional leading
// "-", then two digits of minutes and two of seconds) in whole seconds of arc: degrees ×
// 3600 plus minutes × 60 plus seconds, the minutes and seconds taken with the sign of the
// degrees. Surrounding blanks are ignored. A negative angle under one degree keeps its
// sign: "-0-30-00" is -1800. Text of any other shape (a field that is not a number, a
// misplaced "-", more than ten characters) gives 0. "90-00-00" gives 324000.
int ParseDms(const QString& text);

}  // namespace traverse
