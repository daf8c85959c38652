#include "convert/CardLine.h"

namespace convert::card {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The value of two hex digits, or -1.
int HexPair(QByteArrayView text) {
    if (text.size() != 2) return -1;
    const int high = HexDigit(text[0]);
    const int low = HexDigit(text[1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

}  // namespace

Check CheckOf(QByteArrayView line) {
    const qsizetype comma = line.lastIndexOf(',');
    const int check = comma < 0 ? -1 : HexPair(line.sliced(comma + 1));
    if (check < 0) return Check::Missing;
    unsigned sum = static_cast<unsigned>(check);
    for (const char c : line.first(comma + 1)) sum += static_cast<unsigned char>(c);
    return sum % 256 == 0 ? Check::Passed : Check::Failed;
}

int CheckFor(QByteArrayView line) {
    unsigned sum = 0;
    for (const char c : line) sum += static_cast<unsigned char>(c);
    return static_cast<int>((256 - sum % 256) % 256);
}

Line Split(QByteArrayView line, bool withCheck) {
    Line result;
    for (qsizetype from = 0;;) {
        const qsizetype comma = line.indexOf(',', from);
        if (comma < 0) {
            if (from < line.size()) result.fields.append(line.sliced(from));
            break;
        }
        result.fields.append(line.sliced(from, comma - from));
        from = comma + 1;
    }
    if (withCheck) {
        result.check = CheckOf(line);
        if (result.check != Check::Missing) result.fields.removeLast();
    }
    return result;
}

}  // namespace convert::card
