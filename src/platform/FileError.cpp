#include "platform/FileError.h"

#include <cerrno>

#include "platform/TextFile.h"

namespace platform {
namespace {

std::string Describe(const QString& path, const QString& message, int line) {
    QString text = path;
    if (line > 0) text += QStringLiteral(":%1").arg(line);
    return (text + QStringLiteral(": ") + message).toStdString();
}

}  // namespace

FileFault FaultOfErrno(int errorNumber) {
    switch (errorNumber) {
        case EACCES:
        case EPERM:
        case EROFS:
            return FileFault::NoPermission;
        case ENOENT:
        case ENOTDIR:
            return FileFault::Missing;
        case ENOSPC:
        case EDQUOT:
            return FileFault::DiskFull;
        case EISDIR:
            return FileFault::NotAFile;
        default:
            return FileFault::Other;
    }
}

QString FaultReason(FileFault fault) {
    switch (fault) {
        case FileFault::NoPermission:
            return QStringLiteral(
                "アクセスが許可されていません（読み取り専用のフォルダーまたはファイルです）。");
        case FileFault::Missing:
            return QStringLiteral(
                "フォルダーまたはファイルが見つかりません（移動・削除されたか、ドライブが外されて"
                "います）。");
        case FileFault::DiskFull:
            return QStringLiteral("ディスクの空き容量が足りません。");
        case FileFault::NotAFile:
            return QStringLiteral("通常のファイルではありません（フォルダーや装置は扱えません）。");
        case FileFault::TooLarge:
            return QStringLiteral("ファイルが大きすぎます（") +
                   QString::number(kMaxReadBytes / (1024 * 1024)) + QStringLiteral(" MiB まで）。");
        case FileFault::Other:
            break;
    }
    return QStringLiteral("ファイルの読み書きに失敗しました。");
}

FileError::FileError(QString path, QString message, int line)
    : std::runtime_error(Describe(path, message, line)),
      path_(std::move(path)),
      message_(std::move(message)),
      line_(line) {}

FileError::FileError(QString path, QString message, FileFault fault)
    : std::runtime_error(Describe(path, message, 0)),
      path_(std::move(path)),
      message_(std::move(message)),
      fault_(fault) {}

QString FileError::Told() const {
    const QString explanation = Explanation();
    if (path_.isEmpty() || explanation.contains(path_)) return explanation;
    return path_ + QStringLiteral(": ") + explanation;
}

}  // namespace platform
