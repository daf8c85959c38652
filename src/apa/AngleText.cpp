#include "apa/AngleText.h"

#include <cmath>

#include "apa/ApaLine.h"

namespace apa {

QString FormatDms(double seconds) {
    const bool negative = seconds < 0;
    const double rounded = std::nearbyint(std::fabs(seconds));  // half to even, as every rounding of the notebook
    if (!(rounded / 3600 < 10000)) return QString();  // NaN lands here as well
    const auto whole = static_cast<qint64>(rounded);
    const auto degrees = static_cast<int>(whole / 3600);
    const auto minutes = static_cast<int>(whole / 60 % 60);
    const auto secs = static_cast<int>(whole % 60);
    // Built in place: notebooks print millions of angles.
    char16_t text[12];
    int n = 0;
    char16_t digits[5];
    int d = 0;
    for (int v = degrees; d == 0 || v > 0; v /= 10) digits[d++] = static_cast<char16_t>(u'0' + v % 10);
    if (negative) digits[d++] = u'-';
    for (int i = std::min(d, 4) - 1; i >= 0; --i) text[n++] = digits[i];  // the four rightmost characters
    for (const int part : {minutes, secs}) {
        text[n++] = u'-';
        text[n++] = static_cast<char16_t>(u'0' + part / 10);
        text[n++] = static_cast<char16_t>(u'0' + part % 10);
    }
    return QString(reinterpret_cast<const QChar*>(text), n);
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
