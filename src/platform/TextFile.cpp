#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

namespace {

// Opens a file for reading whole, refusing what no reader takes. Checked before opening:
// opening a pipe would wait for a writer.
void OpenWhole(QFile& file, const QString& path, QIODevice::OpenMode extra = {}) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw FileError(path, QStringLiteral("通常のファイルではありません"), FileFault::NotAFile);
    if (info.size() > kMaxReadBytes) throw TooLarge(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly | extra)) throw ErrorOf(file, path, errno);
}

}  // namespace

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    OpenWhole(file, path);
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw ErrorOf(file, path, errno);
    if (bytes.size() > kMaxReadBytes) throw TooLarge(path);  // grew while being read
    return bytes;
}

void RequireReadableFile(const QString& path) {
    QFile file(path);
    OpenWhole(file, path);
}

FileBytes::FileBytes(const QString& path) {
    QFile file(path);
    OpenWhole(file, path, QIODevice::Unbuffered);
    // What the file holds when opened; a writer still appending to it is not waited for.
    capacity_ = std::max<size_t>(1, static_cast<size_t>(file.size()));
    void* pages = mmap(nullptr, capacity_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) throw FileError(path, QString::fromLocal8Bit(std::strerror(errno)));
    data_ = static_cast<char*>(pages);
    madvise(data_, capacity_, MADV_HUGEPAGE);  // only advice: without it the pages are small
    qint64 got = 0;
    while (got < static_cast<qint64>(capacity_)) {
        errno = 0;
        const qint64 n = file.read(data_ + got, static_cast<qint64>(capacity_) - got);
        if (n < 0) {
            const FileError error = ErrorOf(file, path, errno);
            munmap(data_, capacity_);
            throw error;
        }
        if (n == 0) break;
        got += n;
    }
    size_ = got;
}

FileBytes::~FileBytes() {
    munmap(data_, capacity_);
}

QStringList ReadTextLines(const QString& path) {
    return SplitLines(cp932::Decode(ReadFileBytes(path)));
}

TextFileWriter::TextFileWriter(const QString& path) : file_(path) {
    // The new file is renamed into place: over a device or pipe it would replace it (/dev/null
    // would become a plain file), so those are refused as the readers refuse them.
    if (const QFileInfo info(path); info.exists() && !info.isFile() && !info.isDir())
        throw FileError(path, QStringLiteral("通常のファイルではありません"), FileFault::NotAFile);
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

void TextFileWriter::Flush() {
    errno = 0;
    if (!file_.flush()) throw WriteErrorOf(file_, file_.fileName(), errno);
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

void WriteFileBytes(const QString& path, QByteArrayView bytes) {
    TextFileWriter writer(path);
    writer.WriteBytes(bytes);
    writer.Commit();
}

void CopyFileBytes(const QString& from, const QString& to) {
    WriteFileBytes(to, ReadFileBytes(from));
}

}  // namespace platform
