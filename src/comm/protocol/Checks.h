#pragma once

// The check characters of the recorder protocols, computed over raw bytes.

#include <QByteArray>
#include <QByteArrayView>

namespace comm::protocol {

// TOPCON: XOR of every byte, as three decimal digits ("Z12" -> "089").
QByteArray Xor3(QByteArrayView bytes);

// SOKKIA SDR: sum of every byte except STX, ETX, CR and LF, modulo 65536.
int Sum5Value(QByteArrayView bytes);
// The same as five decimal digits with leading zeros.
QByteArray Sum5(int value);

// NIKON BCC and APA line check: byte sum modulo 64, plus 32 (always 20h-5Fh).
char Mod64(QByteArrayView bytes);

}  // namespace comm::protocol
