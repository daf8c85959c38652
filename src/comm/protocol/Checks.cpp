#include "comm/protocol/Checks.h"

#include "comm/protocol/ControlBytes.h"

namespace comm::protocol {

namespace {

QByteArray Digits(int value, int width) {
    return QByteArray::number(value).rightJustified(width, '0');
}

}  // namespace

QByteArray Xor3(QByteArrayView bytes) {
    unsigned char x = 0;
    for (char c : bytes) x ^= static_cast<unsigned char>(c);
    return Digits(x, 3);
}

int Sum5Value(QByteArrayView bytes) {
    unsigned sum = 0;
    for (char c : bytes) {
        if (c == ctl::kStx || c == ctl::kEtx || c == ctl::kCr || c == ctl::kLf) continue;
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<int>(sum % 65536u);
}

QByteArray Sum5(int value) {
    return Digits(value, 5);
}

char Mod64(QByteArrayView bytes) {
    unsigned sum = 0;
    for (char c : bytes) sum += static_cast<unsigned char>(c);
    return static_cast<char>(sum % 64u + 32u);
}

}  // namespace comm::protocol
