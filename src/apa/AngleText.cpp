#include "apa/AngleText.h"

#include <cmath>

namespace apa {

QString FormatDms(double seconds) {
    const bool negative = seconds < 0;
    const double rounded = std::floor(std::fabs(seconds) + 0.5);
    if (!(rounded / 3600 < 10000)) return QString();  // NaN lands here as well
    const auto whole = static_cast<qint64>(rounded);
    const qint64 degrees = whole / 3600;
    const qint64 minutes = whole / 60 % 60;
    const qint64 secs = whole % 60;
    const QString degreeText = (negative ? QStringLiteral("-") : QString()) + QString::number(degrees);
    return degreeText.right(4) + u'-' + QStringLiteral("%1").arg(minutes, 2, 10, QChar(u'0')) + u'-' +
           QStringLiteral("%1").arg(secs, 2, 10, QChar(u'0'));
}

}  // namespace apa
