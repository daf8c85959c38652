#include "convert/TopconMeasurement.h"

#include <cmath>

#include "convert/ConvertText.h"
#include "convert/TopconStream.h"

namespace convert::topcon {
namespace {

constexpr qsizetype kSlopeSize = 48;
constexpr qsizetype kAngleSize = 25;
constexpr double kSecondsPerGon = 3240.0;
constexpr double kFullCircle = 360.0 * 3600.0;

std::optional<qint64> Digits(QByteArrayView text) {
    if (text.isEmpty()) return std::nullopt;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// An angle of seven digits in the unit of `unit`, as ddd.mmss.
std::optional<QByteArray> Angle(QByteArrayView digits, char unit) {
    const std::optional<qint64> value = Digits(digits);
    if (!value) return std::nullopt;
    double seconds = 0;
    if (unit == 'd') {
        const qint64 minutes = *value / 100 % 100;
        const qint64 secs = *value % 100;
        if (minutes >= 60 || secs >= 60) return std::nullopt;
        seconds = static_cast<double>(*value / 10000 * 3600 + minutes * 60 + secs);
    } else if (unit == 'g') {
        seconds = static_cast<double>(*value) / 10000.0 * kSecondsPerGon;
    } else {
        return std::nullopt;
    }
    seconds = std::round(seconds);
    if (seconds >= kFullCircle) seconds -= kFullCircle;  // a gon reading just under 400
    // "ddd-mm-ss" text cut to ddd.mmss, as every converter writes angles.
    const QString text = SecondsToDegreeText(seconds);
    return (text.mid(1, 3) + u'.' + text.mid(5, 2) + text.mid(8, 2)).toLatin1();
}

// "+" and eight digits of millimetres, as metres.
std::optional<QByteArray> Distance(QByteArrayView text) {
    const std::optional<qint64> mm = text.startsWith('+') ? Digits(text.sliced(1)) : std::nullopt;
    if (!mm) return std::nullopt;
    QByteArray metres = QByteArray::number(*mm / 1000) + '.' +
                        QByteArray::number(*mm % 1000).rightJustified(3, '0');
    return PadNumber(metres);
}

std::optional<Measurement> Slope(QByteArrayView v, QString& why) {
    if (v[10] != 'm') {
        why = QStringLiteral("メートル以外の距離は読めません");
        return std::nullopt;
    }
    const std::optional<QByteArray> distance = Distance(v.sliced(1, 9));
    const std::optional<QByteArray> zenith = Angle(v.sliced(11, 7), v[26]);
    const std::optional<QByteArray> horizontal =
        v[18] == '+' ? Angle(v.sliced(19, 7), v[26]) : std::nullopt;
    if (!distance || !zenith || !horizontal) {
        why = QStringLiteral("測定値の距離か角度が読めません");
        return std::nullopt;
    }
    return Measurement{*horizontal, *zenith, *distance, Check(v.first(45)) == v.sliced(45)};
}

std::optional<Measurement> AnglesOnly(QByteArrayView v, QString& why) {
    const std::optional<QByteArray> zenith = Angle(v.sliced(1, 7), v[21]);
    const std::optional<QByteArray> horizontal =
        v[8] == '+' ? Angle(v.sliced(9, 7), v[21]) : std::nullopt;
    if (!zenith || !horizontal) {
        why = QStringLiteral("測定値の角度が読めません");
        return std::nullopt;
    }
    return Measurement{*horizontal, *zenith, QByteArray(), Check(v.first(22)) == v.sliced(22)};
}

}  // namespace

std::optional<Measurement> ReadMeasurement(QByteArrayView value, QString& why) {
    if (value.startsWith('?') && value.size() == kSlopeSize) return Slope(value, why);
    if (value.startsWith('<') && value.size() == kAngleSize) return AnglesOnly(value, why);
    why = QStringLiteral("測定値の形が読めません（距離・角度の形式でないか、長さが違います）");
    return std::nullopt;
}

}  // namespace convert::topcon
