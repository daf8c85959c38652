#include "comm/card/CardFrame.h"

#include "convert/CardLine.h"

namespace comm::card {
namespace {

constexpr qsizetype kAckAt = 21;   // 0-based position of the acknowledgement
constexpr qsizetype kCodeAt = 23;  // of the error code
constexpr qsizetype kDataAt = 26;  // of the data
constexpr qsizetype kShortestWithData = 30;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

int FrameSum(QByteArrayView text) {
    unsigned sum = 0;
    for (const char c : text) sum += static_cast<unsigned char>(c);
    return static_cast<int>(sum % 256);
}

QByteArray Hex2(int value) { return QByteArray::number(value & 0xFF, 16).toUpper().rightJustified(2, '0'); }

int HexValue(QByteArrayView digits) {
    if (digits.isEmpty() || digits.size() > 7) return 0;
    int value = 0;
    for (const char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return 0;
        value = value * 16 + digit;
    }
    return value;
}

QByteArray CommandFrame(QByteArrayView command) {
    QByteArray frame;
    frame.reserve(command.size() + 9);
    frame.append(kStx).append("0100M").append(command).append(kEtx);
    return frame + Hex2(FrameSum(frame));
}

bool Accepted(QByteArrayView reply) { return reply.size() > kAckAt && reply[kAckAt] == 'Y'; }

bool HasMoreData(QByteArrayView reply) {
    return reply.size() >= kAckAt + 4 && reply.sliced(kAckAt, 4) == "Y,00";
}

QByteArray ErrorCode(QByteArrayView reply) {
    if (reply.size() <= kCodeAt) return {};
    return reply.sliced(kCodeAt, qMin<qsizetype>(2, reply.size() - kCodeAt)).toByteArray();
}

QByteArray ReplyData(QByteArrayView reply) {
    if (reply.size() < kShortestWithData) return {};
    return reply.sliced(kDataAt, reply.size() - 3 - kDataAt).toByteArray();
}

bool ReplyCheckHolds(QByteArrayView reply) {
    if (reply.size() < 3 || reply[reply.size() - 3] != kEtx) return false;
    return Hex2(FrameSum(reply.first(reply.size() - 2))) == reply.last(2);
}

QByteArray CardRecord(QByteArrayView line) {
    return line.toByteArray() + Hex2(convert::card::CheckFor(line));
}

}  // namespace comm::card
