#pragma once
// The card reader's frames. A command goes out as STX, "0100M", the command, ETX and a
// frame check; a reply comes back in the same frame with the acknowledgement, an error
// code and the data at fixed byte positions:
//
//   position (1-based)   content
//   22                   'Y' when the command was accepted
//   22-25                "Y,00" while a read has more data to give
//   24-25                the two-character error code when it was not accepted
//   27 .. length-3       the data
//   last 3               ETX and the frame check
//
// The frame check is the low 8 bits of the sum of the bytes from STX through ETX, written as
// two upper-case hex digits. Positions count bytes: replies are CP932, and every check is
// computed over bytes.

#include <QByteArray>
#include <QByteArrayView>

namespace comm::card {

inline constexpr char kStx = 2;
inline constexpr char kEtx = 3;

// The low 8 bits of the byte sum of `text`.
int FrameSum(QByteArrayView text);

// `value` (0-255) as two upper-case hex digits.
QByteArray Hex2(int value);

// The value of up to seven hex digits, or 0 when they are empty, more or hold anything
// else (an unreadable count reads as none).
int HexValue(QByteArrayView digits);

// STX "0100M" command ETX check.
QByteArray CommandFrame(QByteArrayView command);

// The reply as the routines read it.
bool Accepted(QByteArrayView reply);        // 'Y' at 22
bool HasMoreData(QByteArrayView reply);     // "Y,00" at 22-25
QByteArray ErrorCode(QByteArrayView reply); // 24-25, shorter when the reply is
// The data from position 27 without the last three bytes; empty for a reply shorter than
// 30 bytes, which carries none.
QByteArray ReplyData(QByteArrayView reply);

// Whether the reply ends in ETX and a frame check that holds over the bytes from its
// start through that ETX. The reply check is this system's reading of the reader (the
// reader's own rule is not published); it lives here alone so that it can change.
bool ReplyCheckHolds(QByteArrayView reply);

// A card record: the line, then the two hex digits that bring its byte sum to 0 mod 256.
QByteArray CardRecord(QByteArrayView line);

}  // namespace comm::card
