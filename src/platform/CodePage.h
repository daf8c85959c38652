#pragma once
// The CP932 (Windows-31J) code page of the instrument files, field books and SIMA files.
// Text inside the program is QString (UTF-16); bytes exist only at the file boundary.

#include <QByteArray>
#include <QString>

namespace platform::cp932 {

// Encodes text in CP932. A character CP932 cannot hold becomes "?", as the files' own
// tools write it; a surrogate pair counts as one such character.
QByteArray Encode(const QString& text);

// Decodes CP932 bytes. A byte sequence that is not CP932 becomes U+FFFD.
QString Decode(const QByteArray& bytes);

// Number of CP932 bytes the text takes when encoded.
int ByteLength(const QString& text);

// The longest prefix of the text that takes at most maxBytes bytes, never splitting a
// double-byte character. A negative maxBytes gives an empty string.
QString CutToBytes(const QString& text, int maxBytes);

}  // namespace platform::cp932
