#pragma once
#include <QString>
#include <stdexcept>

namespace platform {

// Why a file could not be read or written, as far as the user can act on it.
enum class FileFault {
    NoPermission,  // a read-only folder or file, or no right to it
    Missing,       // the file or its folder is not there (moved, deleted, drive removed)
    DiskFull,
    NotAFile,  // a folder, device or pipe where a file was expected
    TooLarge,  // beyond what readers accept (kMaxReadBytes, TextFile.h)
    Other,
};

// The fault an errno value stands for.
FileFault FaultOfErrno(int errorNumber);
// The fault as a sentence for the user, in Japanese.
QString FaultReason(FileFault fault);

// A file that could not be read or written: carries the path, the system's message, the
// fault, and the line when known.
class FileError : public std::runtime_error {
  public:
    FileError(QString path, QString message, int line = 0);  // fault Other
    FileError(QString path, QString message, FileFault fault);
    const QString& Path() const { return path_; }
    const QString& Message() const { return message_; }
    int Line() const { return line_; }
    FileFault Fault() const { return fault_; }
    QString Reason() const { return FaultReason(fault_); }
    // What the user is told: the reason of a known fault, else the message.
    QString Explanation() const { return fault_ == FileFault::Other ? message_ : Reason(); }
    // "path: explanation", or the explanation alone when it names the path itself or there
    // is no path.
    QString Told() const;

  private:
    QString path_;
    QString message_;
    int line_ = 0;
    FileFault fault_ = FileFault::Other;
};

}  // namespace platform
