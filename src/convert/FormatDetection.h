#pragma once
// Which converter reads a raw file, told by its first line, and whether a file already is a
// field book.

#include <QByteArrayView>
#include <QString>

namespace convert {

// The format code whose converter reads a file beginning with this line, or empty when
// none does. Looks at the first field (the text before the first comma):
//   no comma in the first field: "H01   " SDR 3P, "00NM" SDR 3G, GSI (a "41" or "11" word,
//     sign at the seventh character; GSI-16 with "*" in front and the sign at the eighth),
//     "_!" with a later "_" FC5, "SKR" memory card;
//   a first field of two or more characters: "A00NM," SDF, "_!" with a later "_" FC5, and a
//     first field of 13 or more characters ending in "A", "B" or "E" DR-2.
QString DetectFormat(QByteArrayView firstLine);

// True when the first line begins a field book: "A," and a "," as fifth character (a
// SOKKIA SET memory dump also begins "A,", but it is no field book).
bool IsApaData(QByteArrayView firstLine);

}  // namespace convert
