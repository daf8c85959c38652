#pragma once
// The distance-correction conditions as the user keeps them (setting PrintHsub of section
// Trevanto): four choice digits d1 d2 d3 d4, a comma, a first value, a comma, the scale
// factor, e.g. "1111,,1.000000".
//   d1  1 = the registered elevations, 2 = those of the radial calculation
//   d2, d4 and the first value are kept for the conditions dialog as they are;
//   d3  1 = the calculation limited to set observations

#include <QString>

#include "notebook/DistanceCorrection.h"

namespace notebook {

inline const QString kPrintHsubKey = QStringLiteral("PrintHsub");
inline const QString kDefaultPrintHsub = QStringLiteral("1111,,1.000000");

// The stored text, or the default for a text that holds no comma from its sixth character
// on (a text cut short, "1111", written by hand); the caller saves a repaired text back.
QString RepairedPrintHsub(const QString& stored);

// The conditions the text stands for; a scale factor that is no positive number is 1.
CorrectionConditions ConditionsOf(const QString& printHsub);

}  // namespace notebook
