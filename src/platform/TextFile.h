#pragma once
// Text files in the CP932 code page. Lines are written with CR LF; readers accept CR LF,
// CR or LF alone, and a last line without a line end.

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <QStringList>

namespace platform {

// Splits file content into lines. A final line end does not start another line.
QStringList SplitLines(const QString& content);

// The largest file the readers take: 256 MiB. A field book of a year's work is a few MiB;
// beyond this it is no file of the system's formats, and reading it would only exhaust
// memory.
inline constexpr qint64 kMaxReadBytes = qint64{256} * 1024 * 1024;

// Reads the whole file as CP932 lines (losslessly, see CodePage.h). Throws FileError when
// it cannot be read.
QStringList ReadTextLines(const QString& path);

// Reads the raw bytes of a file. Throws FileError when it cannot be read, and, without
// opening it, when it is no regular file (a folder, a device such as /dev/zero, a pipe)
// or is larger than kMaxReadBytes.
QByteArray ReadFileBytes(const QString& path);

// Throws the FileError ReadFileBytes would throw before reading anything: a file that is
// missing, no regular file, too large or cannot be opened.
void RequireReadableFile(const QString& path);

// The bytes of a whole file, read as ReadFileBytes reads them, into memory of their own that
// the system may back with huge pages: a raw file of tens of megabytes arrives several times
// faster than into ordinary pages. For readers that go through large files once.
class FileBytes {
  public:
    explicit FileBytes(const QString& path);  // throws FileError
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    QByteArrayView View() const { return QByteArrayView(data_, size_); }

  private:
    char* data_ = nullptr;
    size_t capacity_ = 0;
    qint64 size_ = 0;
};

// Writes a file by replacing the old one atomically: until Commit() succeeds the old file
// stays as it was, and a writer dropped without Commit() leaves no trace. Its FileErrors
// name the fault (a read-only or vanished folder, a full disk) for the user.
class TextFileWriter {
  public:
    explicit TextFileWriter(const QString& path);  // throws FileError
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void WriteLine(const QString& line);  // the line, then CR LF
    void WriteBytes(QByteArrayView bytes);
    // Writes out what is buffered, so that Commit() has only the file to put in place.
    void Flush();   // throws FileError
    void Commit();  // throws FileError

  private:
    QSaveFile file_;
};

// Replaces the file with the given lines, each ending in CR LF.
void WriteTextLines(const QString& path, const QStringList& lines);

// Replaces the file with the bytes.
void WriteFileBytes(const QString& path, QByteArrayView bytes);

// Copies a file byte for byte (a file in another code page arrives as it left), replacing
// the target atomically. Throws FileError naming the file that failed.
void CopyFileBytes(const QString& from, const QString& to);

}  // namespace platform
