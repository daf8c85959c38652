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
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    QString whole;
    QString fraction;
    while (i < n && IsDigit(text[i])) whole += text[i++];
    if (i < n && text[i] == u'.')
        while (++i < n && IsDigit(text[i])) fraction += text[i];
    if (whole.isEmpty() && fraction.isEmpty()) negative = false;  // no number: 0

    // The kept digits as one integer, rounded on the first dropped digit.
    const bool roundUp = fraction.size() > decimals && fraction[decimals] >= u'5';
    QString digits = whole + fraction.left(decimals).leftJustified(decimals, u'0');
    if (roundUp) Increment(digits);
    digits = digits.rightJustified(decimals + 1, u'0');
    qsizetype firstDigit = 0;
    while (firstDigit < digits.size() - decimals - 1 && digits[firstDigit] == u'0') ++firstDigit;
    digits = digits.mid(firstDigit);

    const bool zero = digits.count(u'0') == digits.size();
    QString out = negative && !zero ? QStringLiteral("-") : QString();
    out += digits.left(digits.size() - decimals);
    if (decimals > 0) out += u'.' + digits.right(decimals);
    return out;
}

}  // namespace platform
