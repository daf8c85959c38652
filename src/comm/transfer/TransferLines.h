#pragma once
// What the transfer form does with each block and line: a received block becomes a line of
// the raw file (bytes as they came, CP932), a line of the send file becomes the bytes handed
// to the link, a communication fault becomes its message, and the receive file's name takes
// the format as its extension.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace comm {

// The raw file's line for a received block, without its line end; nullopt when nothing is
// written. Before the last block: 3PD, 3GD and SDF write a block opening with STX as an
// empty line; FC5 keeps the 128 characters after the first; DR2 drops the first 4 and the
// last 3; other formats keep the block. The last block is written as it came unless it is a
// lone ETX or EOT.
std::optional<QByteArray> ReceivedLine(const QString& format, const QByteArray& block, bool last);

// The bytes a send-file line goes out as: for FC5 the line without its first character,
// followed by the XOR of its bytes as three decimal digits (not for "F00F000" or a lone
// EOT), between STX and ETX; for other formats the line unchanged, without a line end.
QByteArray SendBytes(const QString& format, const QByteArray& line);

// The lines of a file to send, bytes as they are (CP932), without their line ends; empty
// lines are left out. Throws platform::FileError when the file cannot be read.
QList<QByteArray> SendFileLines(const QString& path);

// The message of a communication fault code: 1 "TimeOutError", 2 "PacketDataError", 3 none,
// anything else "通信ｴﾗｰ".
QString CommErrorText(int code);

// The receive file's path with the format as its extension: the file name's part after its
// first "." is replaced, a name without one gets "." and the format. Only the file name
// changes, never a folder of the path.
QString WithFormatExtension(const QString& path, const QString& format);

}  // namespace comm
