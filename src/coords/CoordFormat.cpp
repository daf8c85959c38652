#include "coords/CoordFormat.h"

#include "platform/CodePage.h"
#include "platform/DecimalText.h"

namespace coords {

QString FormatFixed(double value, int decimals) { return platform::RoundDecimalValue(value, decimals); }

QString FormatCoord(const QString& number) {
    QString text = number.trimmed();
    if (!text.contains(u'.')) text += QStringLiteral(".000");
    if (text.startsWith(u'.')) text.prepend(u'0');
    if (text.startsWith(QStringLiteral("-."))) text.insert(1, u'0');
    const qsizetype point = text.indexOf(u'.');
    return text.left(point).rightJustified(7, u' ') + u'.' + text.mid(point + 1).leftJustified(3, u'0');
}

QString FitName(const QString& name, int bytes) {
    const QString cut = platform::cp932::CutToBytes(name, bytes);
    return cut + QString(bytes - platform::cp932::ByteLength(cut), u' ');
}

QString NormalizeName(const QString& name) {
    QString upper = name;
    for (QChar& c : upper)
        if (c >= u'a' && c <= u'z') c = c.toUpper();
    return FitName(upper, 10);
}

}  // namespace coords
