#pragma once
// The CP932 (Windows-31J) code page of the instrument files, field books and SIMA files.
// Text inside the program is QString (UTF-16); bytes exist only at the file boundary.
//
// Decoding is lossless: a byte that does not start a CP932 character of its own becomes
// the lone low surrogate U+DC00 + byte ("escaped"), which CP932 never maps to, and
// encoding turns it back into that byte. So Encode(Decode(bytes)) == bytes for any bytes,
// and lines nobody edited are written back as they were read. CP932 holds some characters
// under two codes (NEC and IBM extensions); the code Windows writes decodes to the
// character, the other one is escaped byte by byte so that it, too, survives.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace platform::cp932 {

// Encodes text in CP932. An escaped byte becomes that byte; a character CP932 cannot hold
// becomes "?", as the files' own tools write it; a surrogate pair counts as one such
// character.
QByteArray Encode(const QString& text);

// Decodes CP932 bytes, escaping what does not decode (see above).
QString Decode(QByteArrayView bytes);

// True when the text holds an escaped byte: the bytes it came from were not clean CP932.
bool HasEscapedBytes(const QString& text);

// Number of CP932 bytes the text takes when encoded.
int ByteLength(const QString& text);

// The longest prefix of the text that takes at most maxBytes bytes, never splitting a
// double-byte character. A negative maxBytes gives an empty string.
QString CutToBytes(const QString& text, int maxBytes);

}  // namespace platform::cp932
