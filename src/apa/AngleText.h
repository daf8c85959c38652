#pragma once
// Angles as degree text, the form the field books and notebooks print them in.

#include <QString>

namespace apa {

// An angle in seconds of arc as "d-mm-ss", rounded to whole seconds (half to even): the
// degrees as a signed number without padding (a negative angle under one degree keeps its
// sign as "-0"), cut to their four rightmost characters; minutes and seconds two digits each. Empty when the
// degrees exceed 9999 either way. 3723 gives "1-02-03", -1800 gives "-0-30-00".
QString FormatDms(double seconds);

// An angle of a field book, ddd.mmss (degrees, a point, two digits of minutes, two of
// seconds, further digits tenths, hundredths… of a second), in seconds of arc; read
// leniently like every number of a field book, so text without a number gives 0. The
// digits are taken as written: 90.3000 is 90°30′00″ exactly, not 90.2999… × 3600.
double PackedDmsSeconds(const QString& text);

}  // namespace apa
