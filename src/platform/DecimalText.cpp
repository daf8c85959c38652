#include "platform/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace platform {
namespace {

template <typename Char>
bool IsDigit(Char c) {
    return c >= '0' && c <= '9';
}

template <typename Char>
bool IsZero(const Char* digits, qsizetype n) {
    return std::all_of(digits, digits + n, [](Char c) { return c == '0'; });
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

// The rounding of RoundDecimalText over the characters of a text or of a number's digits.
template <typename Char>
QString RoundDigits(const Char* text, qsizetype n, int decimals) {
    decimals = std::max(decimals, 0);
    qsizetype i = 0;
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    qsizetype wholeStart = i;
    while (i < n && IsDigit(text[i])) ++i;
    const qsizetype wholeEnd = i;
    qsizetype fractionStart = i, fractionEnd = i;
    if (i < n && text[i] == '.') {
        fractionStart = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        fractionEnd = i;
    }
    while (wholeEnd - wholeStart > 1 && text[wholeStart] == '0') ++wholeStart;
    const qsizetype fractionSize = fractionEnd - fractionStart;
    const qsizetype kept = std::min<qsizetype>(fractionSize, decimals);
    const bool roundUp = fractionSize > decimals && text[fractionStart + decimals] >= '5';
    const bool zero = !roundUp && IsZero(text + wholeStart, wholeEnd - wholeStart) &&
                      IsZero(text + fractionStart, kept);  // never "-0.000"

    QString out;
    out.reserve(wholeEnd - wholeStart + decimals + 4);
    if (negative && !zero) out += u'-';
    const qsizetype digitsFrom = out.size();
    if (wholeEnd == wholeStart) out += u'0';  // ".5": no digit was typed before the point
    for (qsizetype k = wholeStart; k < wholeEnd; ++k) out += QChar(static_cast<char16_t>(text[k]));
    if (decimals > 0) {
        out += u'.';
        for (qsizetype k = 0; k < kept; ++k) out += QChar(static_cast<char16_t>(text[fractionStart + k]));
        out.resize(out.size() + decimals - kept, u'0');
    }
    if (roundUp) Increment(out, digitsFrom);
    return out;
}

}  // namespace

QString RoundDecimalText(const QString& text, int decimals) {
    return RoundDigits(text.utf16(), text.size(), decimals);
}

QString RoundDecimalValue(double value, int decimals) {
    if (!std::isfinite(value)) return RoundDecimalText(QString(), decimals);
    // Nine decimals carry a value's decimal digits past the binary error (2.675 is
    // 2.67499999… as a double, and is rounded as 2.675).
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 9);
    return RoundDigits(digits, written.ptr - digits, decimals);
}

}  // namespace platform
