#include "platform/FileError.h"

namespace platform {
namespace {
std::string Describe(const QString& path, const QString& message, int line) {
    QString text = path;
    if (line > 0) text += QStringLiteral(":%1").arg(line);
    return (text + QStringLiteral(": ") + message).toStdString();
}
}  // namespace

FileError::FileError(QString path, QString message, int line)
    : std::runtime_error(Describe(path, message, line)),
      path_(std::move(path)),
      message_(std::move(message)),
      line_(line) {}

}  // namespace platform
