#pragma once
// The distance-correction conditions as the user keeps them (setting PrintHsub of section
// Trevanto): four choice digits d1 d2 d3 d4, a comma, a first value, a comma, the scale
// factor, e.g. "1111,,1.000000".
//   d1  1 = the registered elevations, 2 = those of the radial calculation
//   d2  with the registered elevations, a station without one: 1 = left without the
//       sea-level correction, 2 = given the first value (metres) as its elevation
//   d3  1 = the calculation limited to set observations, 2 = all observations
//   d4  1 = the scale-factor correction made with the scale factor, 2 = not made
// d3 is kept as the user chose it: the sheet corrects every distance the reduction formed.

#include <QString>

#include "notebook/DistanceCorrection.h"

namespace notebook {

inline const QString kPrintHsubKey = QStringLiteral("PrintHsub");
inline const QString kDefaultPrintHsub = QStringLiteral("1111,,1.000000");

// The stored text, or the default for a text that holds no comma from its sixth character
// on (a text cut short, "1111", written by hand); the caller saves a repaired text back.
QString RepairedPrintHsub(const QString& stored);

// The parts of a text as RepairedPrintHsub leaves it. A choice digit is 1 to 9, counted from
// n = 1; ChoiceOf gives 0 where the text holds no digit. Rewriting a digit beyond the
// text's digits first fills those it lacks with 1, the default choice. A value is written
// without commas, which would shift the parts after it.
enum class ConditionValue { First = 1, ScaleFactor = 2 };  // by the commas before it
int ChoiceOf(const QString& printHsub, int n);
QString WithChoice(const QString& printHsub, int n, int choice);
QString ValueOf(const QString& printHsub, ConditionValue part);
QString WithValue(const QString& printHsub, ConditionValue part, const QString& value);

// The conditions the text stands for; a scale factor that is no positive number is 1.
CorrectionConditions ConditionsOf(const QString& printHsub);

}  // namespace notebook
