#include "notebook/NotebookFormat.h"

#include <cmath>
#include <numbers>

#include "platform/DecimalText.h"

namespace notebook {

QString FormatDigits(double value, int n, int m, int maxLength) {
    const QString text = platform::RoundDecimalValue(value, m);
    if (maxLength <= 0 || text.size() <= maxLength) return text;
    QString stars(std::max(n, 1), u'*');
    if (m > 0) stars += u'.' + QString(m, u'*');
    return stars;
}

double NormalizeSeconds(double seconds) {
    if (!std::isfinite(seconds)) return seconds;
    if (seconds < 0) seconds += std::ceil(-seconds / kFullCircle) * kFullCircle;
    if (seconds > kFullCircle) seconds -= std::ceil((seconds - kFullCircle) / kFullCircle) * kFullCircle;
    return seconds;
}

int RowKind(const QString& number) {
    const QStringView faceAndSet = QStringView(number).left(2);
    if (faceAndSet == u"l1") return 2;
    if (faceAndSet == u"l2") return 3;
    if (faceAndSet == u"r2") return 4;
    if (faceAndSet == u"r3") return 5;
    if (faceAndSet == u"l3") return 6;
    return 1;
}

QString FaceRowLabel(int rowKind, int lineInRow, int sets) {
    if (lineInRow > 1) return QString(6, u' ');
    switch (rowKind) {
        case 2:
        case 6:
            return QStringLiteral("     l");
        case 3:
            return sets == 3 ? QStringLiteral(" 60ﾟ l") : QStringLiteral(" 90ﾟ l");
        case 4:
            return QStringLiteral("     r");
        case 5:
            return QStringLiteral("120ﾟ r");
        default:
            return QStringLiteral("  0ﾟ r");
    }
}

double RoundHalfEven(double x, int k) {
    const double scale = std::pow(10.0, k);
    return std::nearbyint(x * scale) / scale;  // the default rounding mode: half to even
}

double HorizontalDistance(double zenithDegrees, double slopeDistance) {
    return RoundHalfEven(std::fabs(std::sin(zenithDegrees * std::numbers::pi / 180.0) * slopeDistance), 3);
}

}  // namespace notebook
