#include "platform/TextFile.h"

#include <QFile>

#include "platform/CodePage.h"
#include "platform/FileError.h"

namespace platform {

QStringList SplitLines(const QString& content) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = content.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = content[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(content.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && content[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(content.mid(start));
    return lines;
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FileError(path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw FileError(path, file.errorString());
    return bytes;
}

QStringList ReadTextLines(const QString& path) {
    return SplitLines(cp932::Decode(ReadFileBytes(path)));
}

TextFileWriter::TextFileWriter(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::WriteOnly)) throw FileError(path, file_.errorString());
}

void TextFileWriter::WriteBytes(const QByteArray& bytes) {
    if (file_.write(bytes) != bytes.size()) throw FileError(file_.fileName(), file_.errorString());
}

void TextFileWriter::WriteLine(const QString& line) {
    WriteBytes(cp932::Encode(line) + "\r\n");
}

void TextFileWriter::Commit() {
    if (!file_.commit()) throw FileError(file_.fileName(), file_.errorString());
}

void WriteTextLines(const QString& path, const QStringList& lines) {
    TextFileWriter writer(path);
    for (const QString& line : lines) writer.WriteLine(line);
    writer.Commit();
}

}  // namespace platform
