#pragma once
// The small formatting rules of the observation notebook (観測手簿): how its numbers, angles
// and row labels are printed. Angles are in seconds of arc, 1 296 000 to the full circle.
// Degree text is apa::FormatDms (AngleText.h); text cut to a byte count is
// platform::cp932::CutToBytes.

#include <QString>

namespace notebook {

inline constexpr double kFullCircle = 1296000.0;

// The value with the pattern of n−1 "#" then "0" (one "0" when n ≤ 1), and "." with m "0"
// when m > 0: at least one digit before the point, m after, rounded half away from zero
// on the decimal digits. When maxLength > 0 and the text is longer, it is n "*" (one when
// n ≤ 0) and "." with m "*" when m > 0.
QString FormatDigits(double value, int n, int m, int maxLength);

// Brings a direction into the circle: 1 296 000 is added while it is negative, then taken
// away while it is greater than 1 296 000 (exactly 1 296 000 stays).
double NormalizeSeconds(double seconds);

// The row kind of a sighting number by its face and set: "l1" 2, "l2" 3, "r2" 4, "r3" 5,
// "l3" 6, anything else ("r1", numbers without sets) 1. Set 1 is observed r then l, set 2 l
// then r, set 3 r then l.
int RowKind(const QString& number);

// The graduation label of a row kind for the first line of its row ("  0ﾟ r", " 90ﾟ l" or
// " 60ﾟ l" with three sets, "120ﾟ r", "     l"…); six blanks for its later lines.
// lineInRow counts from 1.
QString FaceRowLabel(int rowKind, int lineInRow, int sets);

// x rounded to k decimals half to even, on its binary value.
double RoundHalfEven(double x, int k);

// |sin(zenith) × slope|, the zenith angle in degrees, rounded to millimetres (half to even).
double HorizontalDistance(double zenithDegrees, double slopeDistance);

}  // namespace notebook
