#include "apa/AngleText.h"

#include <cmath>

#include "apa/ApaLine.h"

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

double PackedDmsSeconds(const QString& text) {
    QStringView number = LeadingNumber(text);
    if (number.contains(u'e') || number.contains(u'E')) {
        // Nobody writes angles so; read the value and give it the packed digits it stands for.
        const QString plain = QString::number(number.toDouble(), 'f', 8);
        return PackedDmsSeconds(plain);
    }
    const bool negative = number.startsWith(u'-');
    if (negative || number.startsWith(u'+')) number = number.sliced(1);
    const qsizetype point = number.indexOf(u'.');
    const QStringView degrees = point < 0 ? number : number.first(point);
    const QStringView decimals = point < 0 ? QStringView() : number.sliced(point + 1);
    const auto digit = [&decimals](qsizetype i) { return i < decimals.size() ? decimals[i].unicode() - u'0' : 0; };
    double fraction = 0;
    for (qsizetype i = decimals.size() - 1; i >= 4; --i) fraction = (fraction + digit(i)) / 10;
    const double seconds = (degrees.isEmpty() ? 0.0 : degrees.toDouble()) * 3600 +
                           (digit(0) * 10 + digit(1)) * 60 + digit(2) * 10 + digit(3) + fraction;
    return negative ? -seconds : seconds;
}

}  // namespace apa
