#pragma once
// The measurement item of TOPCON underscore data, in its two modes:
//   slope distance  ?+SSSSSSSSmZZZZZZZ+HHHHHHHu+DDDDDDDDtxx+pp+ccKKK   (48 characters)
//   angles only     <ZZZZZZZ+HHHHHHH+****uKKK                        (25 characters)
// S slope and D horizontal distance in mm, Z zenith and H horizontal angle (u: "d"
// DDDMMSS or "g" gon with four decimals), KKK the XOR check of everything before it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace convert::topcon {

struct Measurement {
    QByteArray horizontal;  // ddd.mmss, blank-padded to 8
    QByteArray vertical;
    QByteArray distance;    // metres, blank-padded to 8; empty in angle-only mode
    bool checked = true;    // false: the record check does not match
};

// The measurement, or nothing with the reason in `why` when it cannot be read.
std::optional<Measurement> ReadMeasurement(QByteArrayView value, QString& why);

}  // namespace convert::topcon
