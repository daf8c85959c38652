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

// A computed value written the same way: its nine-decimal text rounded as above, so that a
// value such as 2.675, held as 2.67499999…, rounds as the 2.675 it stands for. A value that
// is not finite gives the text of 0.
QString RoundDecimalValue(double value, int decimals);

}  // namespace platform
