#pragma once
// A SIMA file as the editor keeps it: its lines in order, so that every line nobody edits is
// written back as it was read. The file's own line end is kept (CR LF, or LF alone), and so
// is a last line without one; a file in UTF-8, as web tools write them, is read as such and
// written back in CP932, the code page of the instruments' side.

#include <QString>
#include <QStringList>

namespace coords {

struct SimaText {
    QStringList lines;
    QString lineEnd = QStringLiteral("\r\n");
    bool lastLineEnded = true;
    bool readAsUtf8 = false;
};

// The six lines a new file starts with.
QStringList NewSimaLines();

// Throws platform::FileError when the file cannot be read.
SimaText ReadSimaFile(const QString& path);
SimaText ParseSimaBytes(const QByteArray& bytes);
QByteArray SimaBytes(const SimaText& text);
// Replaces the file atomically; throws platform::FileError.
void WriteSimaFile(const QString& path, const SimaText& text);

}  // namespace coords
