#include "platform/DecimalText.h"

#include <algorithm>

namespace platform {
namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsZero(QStringView digits) {
    return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
}

// Adds one unit in the last place of the number written from `from` on ("9.99" becomes
// "10.00"), stepping over the point.
void Increment(QString& number, qsizetype from) {
    for (qsizetype i = number.size() - 1; i >= from; --i) {
        if (number[i] == u'.') continue;
        if (number[i] != u'9') {
            number[i] = QChar(number[i].unicode() + 1);
            return;
        }
        number[i] = u'0';
    }
    number.insert(from, u'1');
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
    QStringView whole = QStringView(text).mid(wholeStart, i - wholeStart);
    QStringView fraction;
    if (i < n && text[i] == u'.') {
        const qsizetype fractionStart = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        fraction = QStringView(text).mid(fractionStart, i - fractionStart);
    }
    while (whole.size() > 1 && whole.front() == u'0') whole = whole.mid(1);
    const QStringView kept = fraction.left(decimals);
    const bool roundUp = fraction.size() > decimals && fraction[decimals] >= u'5';
    const bool zero = !roundUp && IsZero(whole) && IsZero(kept);  // never "-0.000"

    QString out;
    out.reserve(whole.size() + decimals + 4);
    if (negative && !zero) out += u'-';
    const qsizetype digitsFrom = out.size();
    if (whole.isEmpty())
        out += u'0';  // ".5": no digit was typed before the point
    else
        out += whole;
    if (decimals > 0) {
        out += u'.';
        out += kept;
        out.resize(out.size() + decimals - kept.size(), u'0');
    }
    if (roundUp) Increment(out, digitsFrom);
    return out;
}

}  // namespace platform
