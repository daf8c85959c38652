#pragma once
// Builds GSI lines for the converter's tests: words of GSI-8 (16 characters) or GSI-16 (24
// characters, the line led by "*"), data right-aligned and filled with "0".

#include <QByteArray>
#include <QList>

namespace test {

struct GsiWord {
    QByteArray index;  // "41", "11", "21"…
    QByteArray value;  // the data before the zero fill
    char unit = '.';
    char sign = '+';
};

inline QByteArray GsiLine(bool wide, const QList<GsiWord>& words) {
    const qsizetype dataSize = wide ? 16 : 8;
    QByteArray line = wide ? "*" : "";
    for (const GsiWord& w : words) {
        const bool block = w.index == "41" || w.index == "11";
        line += w.index + (block ? QByteArray("0001") : QByteArray("...") + w.unit) + w.sign +
                w.value.rightJustified(dataSize, '0') + ' ';
    }
    return line;
}

// A code line: WI 41 with the code, then information words 42, 43….
inline QByteArray GsiCode(bool wide, int code, const QList<QByteArray>& values = {}) {
    QList<GsiWord> words{{"41", QByteArray::number(code)}};
    int index = 42;
    for (const QByteArray& v : values) {
        const bool negative = v.startsWith('-');
        words.append({QByteArray::number(index++), negative ? v.mid(1) : v, '.', negative ? '-' : '+'});
    }
    return GsiLine(wide, words);
}

// A point line: target, horizontal and vertical angle (DDDMMSSs), distance in mm, and
// optional further words.
inline QByteArray GsiPoint(bool wide, const QByteArray& target, const QByteArray& horizontal,
                           const QByteArray& vertical, const QByteArray& distance,
                           const QList<GsiWord>& more = {}) {
    QList<GsiWord> words{{"11", target}, {"21", horizontal, '4'}, {"22", vertical, '4'},
                         {"31", distance, '0'}};
    return GsiLine(wide, words + more);
}

inline QByteArray JoinLines(const QList<QByteArray>& lines, const QByteArray& end = "\r\n") {
    QByteArray text;
    for (const QByteArray& line : lines) text += line + end;
    return text;
}

}  // namespace test
