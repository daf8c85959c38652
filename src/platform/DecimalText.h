#pragma once
// Numbers the user typed, normalised on their decimal digits. A surveyor types a decimal
// number and a pattern such as "#0.000" means its digits rounded half away from zero:
// going through a binary double would round 1.0005 down (it is stored as 1.000499...)
// and 2.0005 up.

#include <QString>

namespace platform {

// The leading number of the text, read leniently (blanks before it ignored, an optional
// sign, digits with at most one point; no exponent; anything else reads as 0), rounded half
// away from zero to `decimals` digits after the point and written with at least one digit
// before it: "12.34565" with 4 decimals gives "12.3457", " -.5x" with 3 gives "-0.500".
// A result of zero carries no sign. `decimals` below 0 counts as 0.
QString RoundDecimalText(const QString& text, int decimals);

}  // namespace platform
