#include "platform/DecimalText.h"

#include <algorithm>

namespace platform {
namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Adds one unit in the last place of a string of digits; "99" becomes "100".
void Increment(QString& digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

}  // namespace

QString RoundDecimalText(const QString& text, int decimals) {
    decimals = std::max(decimals, 0);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const qsizetype wholeStart = i;
    while (i < n && IsDigit(text[i])) ++i;
    const QStringView whole = QStringView(text).mid(wholeStart, i - wholeStart);
    QStringView fraction;
    if (i < n && text[i] == u'.') {
        const qsizetype fractionStart = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        fraction = QStringView(text).mid(fractionStart, i - fractionStart);
    }
    if (whole.isEmpty() && fraction.isEmpty()) negative = false;  // no number: 0

    // The kept digits as one integer, at least one before the point, rounded on the first
    // dropped digit.
    QString digits;
    digits.reserve(whole.size() + decimals + 2);
    digits.append(whole).append(fraction.left(decimals));
    digits.resize(whole.size() + decimals, u'0');
    if (fraction.size() > decimals && fraction[decimals] >= u'5') Increment(digits);
    qsizetype first = 0;
    while (first < digits.size() - decimals - 1 && digits[first] == u'0') ++first;
    const QStringView kept = QStringView(digits).mid(first);
    const bool zero = std::all_of(kept.begin(), kept.end(), [](QChar c) { return c == u'0'; });

    QString out;
    out.reserve(kept.size() + 3);
    if (negative && !zero) out += u'-';
    if (kept.size() > decimals)
        out.append(kept.left(kept.size() - decimals));
    else
        out += u'0';  // ".5": no digit was typed before the point
    if (decimals > 0) out.append(u'.').append(kept.right(decimals));
    return out;
}

}  // namespace platform
