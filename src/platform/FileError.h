#pragma once
#include <QString>
#include <stdexcept>

namespace platform {

// A file that could not be read or written: carries the path, and the line when known.
class FileError : public std::runtime_error {
  public:
    FileError(QString path, QString message, int line = 0);
    const QString& Path() const { return path_; }
    const QString& Message() const { return message_; }
    int Line() const { return line_; }

  private:
    QString path_;
    QString message_;
    int line_;
};

}  // namespace platform
