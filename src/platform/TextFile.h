#pragma once
// Text files in the CP932 code page. Lines are written with CR LF; readers accept CR LF,
// CR or LF alone, and a last line without a line end.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

namespace platform {

// Splits file content into lines. A final line end does not start another line.
QStringList SplitLines(const QString& content);

// Reads the whole file as CP932 lines. Throws FileError when it cannot be read.
QStringList ReadTextLines(const QString& path);

// Reads the raw bytes of a file. Throws FileError when it cannot be read.
QByteArray ReadFileBytes(const QString& path);

// Writes a file by replacing the old one atomically: until Commit() succeeds the old file
// stays as it was, and a writer dropped without Commit() leaves no trace.
class TextFileWriter {
  public:
    explicit TextFileWriter(const QString& path);  // throws FileError
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void WriteLine(const QString& line);  // the line, then CR LF
    void WriteBytes(const QByteArray& bytes);
    void Commit();  // throws FileError

  private:
    QSaveFile file_;
};

// Replaces the file with the given lines, each ending in CR LF.
void WriteTextLines(const QString& path, const QStringList& lines);

}  // namespace platform
