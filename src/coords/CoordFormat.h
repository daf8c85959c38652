#pragma once
// The small formatters of the coordinate export: fixed decimals, the 11-character coordinate
// field of the SOKKIA formats, and point names cut to the instruments' byte widths.

#include <QString>

namespace coords {

// The value with exactly `decimals` places (a whole number for 0), halves away from zero,
// rounded on its nine-decimal text so that 2.675 rounds as written.
QString FormatFixed(double value, int decimals);

// The 11-character coordinate field: the integer part right-aligned to 7 characters, ".",
// the fraction padded with zeros to 3 digits ("1234.5" gives "   1234.500", "-12.25"
// "    -12.250"). A text without "." gets ".000", one starting with "." a "0" in front.
// Longer parts stay whole.
QString FormatCoord(const QString& number);

// The name cut to at most `bytes` CP932 bytes without splitting a double-byte character,
// and padded with spaces on the right to exactly `bytes` bytes.
QString FitName(const QString& name, int bytes);

// The 10-byte point name of FC5, SDR and the card formats: a to z in upper case, then
// fitted to 10 bytes.
QString NormalizeName(const QString& name);

}  // namespace coords
