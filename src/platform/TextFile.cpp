#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "platform/CodePage.h"
#include "platform/FileError.h"

namespace platform {
namespace {

// The error of a failed operation on the file; errorNumber is errno right after the call
// (set to 0 before it, so that a call failing without a system error leaves no stale value).
FileError ErrorOf(const QFileDevice& file, const QString& path, int errorNumber) {
    FileFault fault = FaultOfErrno(errorNumber);
    if (fault == FileFault::Other && QFileInfo(path).isDir()) fault = FileFault::NotAFile;
    return FileError(path, file.errorString(), fault);
}

// Qt reports a write that found the disk full as a resource error.
FileError WriteErrorOf(const QFileDevice& file, const QString& path, int errorNumber) {
    FileError error = ErrorOf(file, path, errorNumber);
    if (error.Fault() == FileFault::Other && file.error() == QFileDevice::ResourceError)
        return FileError(path, file.errorString(), FileFault::DiskFull);
    return error;
}

FileError TooLarge(const QString& path) {
    return FileError(path, QStringLiteral("%1 バイトを超えています").arg(kMaxReadBytes),
                     FileFault::TooLarge);
}

}  // namespace

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
    // Checked before opening: opening a pipe would wait for a writer.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw FileError(path, QStringLiteral("通常のファイルではありません"), FileFault::NotAFile);
    if (info.size() > kMaxReadBytes) throw TooLarge(path);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) throw ErrorOf(file, path, errno);
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw ErrorOf(file, path, errno);
    if (bytes.size() > kMaxReadBytes) throw TooLarge(path);  // grew while being read
    return bytes;
}

QStringList ReadTextLines(const QString& path) {
    return SplitLines(cp932::Decode(ReadFileBytes(path)));
}

TextFileWriter::TextFileWriter(const QString& path) : file_(path) {
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly)) throw ErrorOf(file_, path, errno);
}

void TextFileWriter::WriteBytes(QByteArrayView bytes) {
    errno = 0;
    if (file_.write(bytes.data(), bytes.size()) != bytes.size()) throw WriteErrorOf(file_, file_.fileName(), errno);
}

void TextFileWriter::WriteLine(const QString& line) {
    WriteBytes(cp932::Encode(line) + "\r\n");
}

void TextFileWriter::Commit() {
    errno = 0;
    if (!file_.commit()) throw WriteErrorOf(file_, file_.fileName(), errno);
}

void WriteTextLines(const QString& path, const QStringList& lines) {
    TextFileWriter writer(path);
    for (const QString& line : lines) writer.WriteLine(line);
    writer.Commit();
}

}  // namespace platform
