#pragma once
#include <QString>

namespace platform {

// Removes leading and trailing blanks (U+0020 only; tabs and ideographic spaces stay),
// the trimming the file formats were written with.
QString TrimBlanks(const QString& text);

}  // namespace platform
